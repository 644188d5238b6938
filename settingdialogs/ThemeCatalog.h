#pragma once

#include <string>
#include <vector>

// The named themes of one diagram kind: colour files in the "Color" folder
// of the user's configuration folder and in the one beside the program.
// Both are listed; a theme in both is listed once, with the user's file.
// Themes are saved and removed in the user's folder only, so a theme the
// program ships cannot be removed.
//
// A theme's name is its file name without the extension; extensions are
// matched whatever their case, and each entry keeps its real file name.
// A kind may read several formats (the macro view reads ".cif", then
// ".mcx", and writes ".mcx"); a name is listed once per format it has.
class ThemeCatalog {
public:
    struct Entry {
        std::string name;
        std::string path;
    };

    enum class SaveResult { Saved, Exists, BadName, Failed };
    enum class RemoveResult {
        // Removed, or no file of the name was left to remove.
        Removed,
        // Removed, and the program's theme of that name and format is
        // listed in its place.
        ProgramThemeStays,
        // The user has no file of the name: the theme comes with the
        // program, and nothing is removed.
        ProgramTheme,
        // The user's file could not be deleted.
        Failed,
    };

    // The longest name: a dot and an extension must still fit a file name.
    static constexpr size_t kMaxNameLength = 250;

    // `extensions` without the dot, in the order a name's files are read;
    // `writeExtension` is the one saved.
    ThemeCatalog(std::vector<std::string> extensions, std::string writeExtension,
        std::string userFolder, std::string programFolder);

    // Every theme in name order (for one name, in the order of the
    // extensions).
    std::vector<Entry> List() const;
    // The files of a name, in the order they are to be read: for each
    // extension the user's file, else the program's.
    std::vector<std::string> FilesOf(const std::string& name) const;

    // Whether a name can be a file name: not empty, no "/", no control
    // character, not "." or "..", at most kMaxNameLength bytes.
    static bool IsValidName(const std::string& name);

    // Writes a new theme through `save` (given the path) into the user's
    // folder, making the folder when missing; `save` is called even when
    // the folder could not be made, so that its failure reaches the user.
    // A name that exists already in the written format, in either folder,
    // is not written.
    template <typename Save> SaveResult SaveAs(const std::string& name, Save&& save) const
    {
        if (!IsValidName(name))
            return SaveResult::BadName;
        if (!FindFile(userFolder_, name, writeExtension_).empty() ||
            !FindFile(programFolder_, name, writeExtension_).empty())
            return SaveResult::Exists;
        const std::string path = PrepareUserPath(name);
        if (path.empty() || !save(path))
            return SaveResult::Failed;
        return SaveResult::Saved;
    }

    // Deletes the user's first file of the name (in the order of the
    // extensions) that can be deleted. When the program has a file of that
    // name and format, `instead` (when given) becomes its entry.
    RemoveResult Remove(const std::string& name, Entry* instead = nullptr) const;

private:
    // The file of the name with the extension in any case, or empty.
    static std::string FindFile(
        const std::string& folder, const std::string& name, const std::string& extension);
    std::string PrepareUserPath(const std::string& name) const;

    std::vector<std::string> extensions_;
    std::string writeExtension_;
    std::string userFolder_;
    std::string programFolder_;
};
