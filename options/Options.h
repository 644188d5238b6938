#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class CInputSet;

// The options' single values with their defaults.
struct OptionValues {
    // Kept in the settings file.
    bool preprocessingSameNameFile = false;
    bool fixedSizeArrange = true;
    int32_t macroInfoMode = 1;
    int32_t macroInfoSize = 150;
    int32_t macroDetailMode = 1;
    int32_t macroDetailSize = 150;
    bool showTutorial = true;
    bool showCode = false;
    int32_t codeFontSize = 100;
    std::string codeFontName = "Courier New";
    bool codeEditButtonShow = true;
    std::string codeEditProgram = "xdg-open";
    bool autoSort = true;
    std::string lastPath;
    std::string lastProjectPath;
    bool autoResizeMacroView = true;
    int32_t macroViewSort = 1;
    bool autoShowDetailContent = true;
    int32_t flowSequence = 1;
    int32_t includeDirectory = 0;

    friend bool operator==(const OptionValues&, const OptionValues&) = default;
};

// The process-wide options: 20 values kept in the user's settings file, the
// five include-directory lists of Include.ini and the common predefined words
// of predefined.ini (both beside the program), the open project's words, the
// screen's font names, the macro view's box-bitmap budget and count, and the
// project path that start-up opens.
//
// The constructor reads everything (a settings file or option file that is
// there but cannot be read is shown through the prompt service; missing or
// broken values keep their defaults; a first start without the files is
// quiet); the destructor writes everything back, except an option file of the
// user's that could not be read, which is kept as it is. Only the
// user-interface thread changes the fields.
class COptions : public OptionValues {
public:
    static constexpr int kVersionLists = 4;
    static constexpr const char* kGroup = "Kestrin";

    // `settingsFile` empty: CRegistry::DefaultFile(). Include.ini and
    // predefined.ini are read from `userFolder` (by default the user's
    // configuration folder) when they are there, else from `shippedFolder`
    // (by default the program's folder), and written to `userFolder` only.
    // Empty folders are not used.
    COptions();
    COptions(std::string settingsFile, std::string userFolder, std::string shippedFolder = {});
    ~COptions();
    COptions(const COptions&) = delete;
    COptions& operator=(const COptions&) = delete;

    void Load();
    void Save();

    // The include list chosen by includeDirectory (0 to 3); null otherwise.
    const std::vector<std::string>* GetIncludeDirs() const;
    // Each name not yet present joins the project words with value 0.
    void AddProjectWords(const std::set<std::string>& names);
    void ClearProjectWords() { projectWords.clear(); }
    // Fills the font names once, from the font families Qt knows.
    void EnumFontNames();
    // Include lists and predefined words into a run's project input
    // (library kestrin_options_input).
    void ApplyToGlobalInput(CInputSet& input) const;
    // The input's defines become the common words, then the project words,
    // each in name order.
    void ApplyPredefinedWords(CInputSet& input) const;

    std::array<std::vector<std::string>, kVersionLists> includeLists;
    std::vector<std::string> userIncludeList;
    std::map<std::string, int32_t> commonWords;
    std::map<std::string, int32_t> projectWords;
    std::set<std::string> fontNames;
    std::string pendingProjectPath;

private:
    struct OptionFileRead {
        bool read = false;
        bool writable = true; // see ReadOptionFile
        std::optional<std::string> ownText; // the bytes of the user's copy, when read
    };
    // Reads an option file into lines. A file that is there but cannot be
    // read is told once and, when it is the user's copy, never written over
    // (writable false).
    OptionFileRead ReadOptionFile(const char* name, std::vector<std::string>& lines) const;
    void ReadPredefinedFile();
    void ReadIncludeFile();
    void ReadSettings();
    std::string PredefinedFileText() const;
    std::string IncludeFileText() const;
    void WritePredefinedFile();
    void WriteIncludeFile();
    void WriteSettings();
    std::string PathToRead(const char* name) const;
    std::string PathToWrite(const char* name) const;

    std::string settingsFile_;
    // Whether Save may write the option file: it was read, or the user has
    // no copy of it.
    bool predefinedFileWritable_ = true;
    bool includeFileWritable_ = true;
    // What the user's files hold as far as this program knows: what it read
    // or last wrote. Save leaves a file alone while what it would write is
    // the same, and writes only the settings that changed, so that another
    // instance's changes saved meanwhile are not put back.
    std::optional<std::string> predefinedFileHolds_;
    std::optional<std::string> includeFileHolds_;
    std::optional<OptionValues> settingsHold_;
    std::string userFolder_;
    std::string shippedFolder_;
};
