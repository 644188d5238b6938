#include "KstProjectFile.h"

#include "Options.h"
#include "TextLines.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>

namespace {

bool SameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
            std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::string FormatProjectFile(
    const std::map<std::string, int32_t>& defines, const std::vector<ProjectFileEntry>& files)
{
    std::string out;
    auto line = [&out](std::string_view text) {
        out.append(text);
        out.append("\r\n");
    };
    line("Kestrin Project File");
    line("V0.7");
    line("<Option>");
    line("</Option>");
    line("<Define>");
    line(std::to_string(defines.size()));
    for (const auto& [name, value] : defines) {
        line(name);
        line(std::to_string(value));
    }
    line("</Define>");
    line("<File>");
    for (const ProjectFileEntry& file : files) {
        line(file.path);
        line(std::string(file.analyse ? "1" : "0") + " " + (file.draw ? "1" : "0"));
    }
    line("</File>");
    return out;
}

bool ParseProjectFile(std::string_view bytes, ProjectFileContent& content)
{
    content = ProjectFileContent();
    if (bytes.find('\0') != std::string_view::npos)
        return false;
    enum class Section { None, Option, Define, File };
    Section section = Section::None;
    int version = 6;
    bool countRead = false;
    std::optional<std::string> pendingName; // a name waiting for its value line
    const std::vector<std::string_view> lines = SplitLines(bytes);
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        switch (section) {
        case Section::None:
            if (SameNoCase(line, "<Option>"))
                section = Section::Option;
            else if (SameNoCase(line, "<File>"))
                section = Section::File;
            else if (SameNoCase(line, "<Define>"))
                section = Section::Define;
            else if (SameNoCase(line, "V0.6"))
                version = 6;
            else if (SameNoCase(line, "V0.7"))
                version = 7;
            break;
        case Section::Option:
            if (SameNoCase(line, "</Option>"))
                section = Section::None;
            break;
        case Section::Define:
            if (SameNoCase(line, "</Define>")) {
                section = Section::None;
            } else if (!countRead) {
                countRead = true; // the count says nothing the pairs do not
            } else if (!pendingName) {
                pendingName = std::string(line);
            } else {
                content.defines.emplace(std::move(*pendingName), ParseDecimal(std::string(line)));
                pendingName.reset();
            }
            break;
        case Section::File:
            if (SameNoCase(line, "</File>")) {
                section = Section::None;
                break;
            }
            ProjectFileEntry entry {std::string(line)};
            if (version == 7 && i + 1 < lines.size()) {
                // A number the line does not hold keeps its flag set.
                int analyse = 1;
                int draw = 1;
                std::sscanf(std::string(lines[++i]).c_str(), "%d %d", &analyse, &draw);
                entry.analyse = analyse == 1;
                entry.draw = draw == 1;
            }
            if (entry.path.size() > 2)
                content.files.push_back(std::move(entry));
            break;
        }
    }
    content.sectionOpen = section != Section::None;
    return true;
}

std::string CachePathOf(const std::string& projectPath)
{
    if (projectPath.size() <= 3)
        return {};
    return projectPath.substr(0, projectPath.size() - 3) + "car";
}
