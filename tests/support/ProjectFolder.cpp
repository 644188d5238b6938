#include "ProjectFolder.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A whole second a day in the past: edits move forward from it.
fs::file_time_type BaseTime()
{
    const auto now = fs::file_time_type::clock::now() - std::chrono::hours(24);
    return std::chrono::time_point_cast<std::chrono::seconds>(now);
}

} // namespace

ProjectFolder::ProjectFolder(const std::string& name) : base_(BaseTime())
{
    if (!name.empty()) {
        fs::copy(std::string(KESTRIN_TEST_DATA) + "/engine/" + name, temp_.Path(),
            fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    for (const auto& entry : fs::recursive_directory_iterator(temp_.Path())) {
        if (entry.is_regular_file()) {
            fs::last_write_time(entry.path(), base_);
        }
    }
}

void ProjectFolder::Write(const std::string& relative, const std::string& text, int tick)
{
    temp_.Write(relative, text);
    Touch(relative, tick);
}

void ProjectFolder::Touch(const std::string& relative, int tick)
{
    fs::last_write_time(temp_.File(relative), base_ + std::chrono::seconds(tick));
}

void ProjectFolder::AppendComment(const std::string& relative, int tick)
{
    {
        std::ofstream out(temp_.File(relative), std::ios::binary | std::ios::app);
        out << "/* edited */";
    }
    Touch(relative, tick);
}

void ProjectFolder::Remove(const std::string& relative)
{
    fs::remove(temp_.File(relative));
}
