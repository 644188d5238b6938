#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A folder of its own under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-test-XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            path_ = pattern;
        }
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    // Writes the file (folders made as needed) and returns its path.
    std::string Write(const std::string& name, const std::string& content) const
    {
        const std::filesystem::path file = File(name);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
        return file.string();
    }

private:
    std::string path_;
};
