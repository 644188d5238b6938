#pragma once

#include <string>
#include <vector>

class QSettings;

// The most recently opened files, newest first, as the File menu lists them;
// kept in the settings file's section "Recent File List" as File1, File2, ...
class RecentFileList {
public:
    static constexpr int kDefaultSize = 8;
    static constexpr const char* kSection = "Recent File List";

    explicit RecentFileList(int size = kDefaultSize);

    // Puts the file first (as an absolute path); a file already listed moves
    // up, and the oldest entry drops out when the list is full.
    void Add(const std::string& path);
    void Remove(int index);
    const std::vector<std::string>& Entries() const { return entries_; }
    int Size() const { return size_; }

    // Replaces the list with the one stored; empty and repeated entries are
    // skipped.
    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

    // The menu text of an entry: "&1 " and the path, its ampersands doubled
    // and a long folder shortened in the middle.
    std::string MenuText(int index) const;

private:
    int size_;
    std::vector<std::string> entries_;
};
