#include "KstProjectFile.h"

#include "LineReader.h"
#include "NumberText.h"

#include <algorithm>
#include <cctype>
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

// A line of one or two whole numbers and blanks: the flags after a path.
bool IsFlagsLine(std::string_view line)
{
    size_t at = 0;
    int numbers = 0;
    while (at < line.size()) {
        if (line[at] == ' ' || line[at] == '\t') {
            ++at;
            continue;
        }
        if (numbers == 2)
            return false;
        if (line[at] == '+' || line[at] == '-')
            ++at;
        const size_t digits = at;
        while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at])))
            ++at;
        if (at == digits || (at < line.size() && line[at] != ' ' && line[at] != '\t'))
            return false;
        ++numbers;
    }
    return numbers > 0;
}

// The start of a section end that the file's end cut short ("</Fi").
bool IsCutShort(std::string_view line, std::string_view end)
{
    return !line.empty() && line.size() < end.size() &&
        SameNoCase(line, end.substr(0, line.size()));
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

namespace {

// Takes a project file's lines one at a time, so that the file need not be
// held: a path waits for the line after it, which may be its flags.
class ProjectFileParser {
public:
    explicit ProjectFileParser(ProjectFileContent& content) : content_(content)
    {
        content_ = ProjectFileContent();
    }

    // False once a line held a zero byte: no project file then.
    bool Take(std::string_view line)
    {
        if (line.find('\0') != std::string_view::npos)
            return false;
        if (first_) {
            first_ = false; // the header line is never a marker
            return true;
        }
        if (path_) {
            if (version_ == 7 && IsFlagsLine(line)) {
                // A number the line does not hold keeps its flag set.
                const std::optional<NumberRead> analyse = ReadDecimal(line);
                const std::optional<NumberRead> draw =
                    analyse ? ReadDecimal(line.substr(analyse->length)) : std::nullopt;
                path_->analyse = !analyse || analyse->value == 1;
                path_->draw = !draw || draw->value == 1;
                TakePath();
                return true;
            }
            // A path whose flags line is missing keeps both flags, and this
            // line is read for what it is.
            TakePath();
        }
        switch (section_) {
        case Section::None:
            if (SameNoCase(line, "<Option>"))
                section_ = Section::Option;
            else if (SameNoCase(line, "<File>"))
                section_ = Section::File;
            else if (SameNoCase(line, "<Define>"))
                section_ = Section::Define;
            else if (SameNoCase(line, "V0.6"))
                version_ = 6;
            else if (SameNoCase(line, "V0.7"))
                version_ = 7;
            break;
        case Section::Option:
            if (SameNoCase(line, "</Option>"))
                section_ = Section::None;
            break;
        case Section::Define:
            if (SameNoCase(line, "</Define>")) {
                section_ = Section::None;
            } else if (!countRead_) {
                countRead_ = true; // the count says nothing the pairs do not
            } else if (!name_) {
                name_ = std::string(line);
            } else {
                content_.defines.emplace(std::move(*name_), DecimalOrZero(line));
                name_.reset();
            }
            break;
        case Section::File:
            if (SameNoCase(line, "</File>"))
                section_ = Section::None;
            else if (version_ != 7 || !IsFlagsLine(line)) // a flags line without its path
                path_ = ProjectFileEntry {std::string(line)};
            break;
        }
        return true;
    }

    void Finish()
    {
        // The file's end cut inside the section's end is not a path.
        if (path_ && !IsCutShort(path_->path, "</File>"))
            TakePath();
        content_.sectionOpen = section_ != Section::None;
    }

private:
    enum class Section { None, Option, Define, File };

    void TakePath()
    {
        if (path_->path.size() > 2)
            content_.files.push_back(std::move(*path_));
        path_.reset();
    }

    ProjectFileContent& content_;
    bool first_ = true;
    Section section_ = Section::None;
    int version_ = 6;
    bool countRead_ = false;
    std::optional<std::string> name_; // a name waiting for its value line
    std::optional<ProjectFileEntry> path_; // a path waiting for its flags line
};

bool ParseLines(LineReader& lines, ProjectFileContent& content)
{
    ProjectFileParser parser(content);
    for (std::string_view line; lines.Next(line);) {
        if (!parser.Take(line)) {
            content = ProjectFileContent();
            return false;
        }
    }
    parser.Finish();
    return true;
}

} // namespace

bool ParseProjectFile(std::string_view bytes, ProjectFileContent& content)
{
    LineReader lines;
    lines.Assign(bytes);
    return ParseLines(lines, content);
}

ReadResult LoadProjectFile(const std::string& path, size_t maxSize, ProjectFileContent& content)
{
    content = ProjectFileContent();
    LineReader lines;
    const ReadResult opened = lines.Open(path, maxSize);
    if (opened != ReadResult::Ok)
        return opened;
    if (!ParseLines(lines, content) || lines.Failed()) {
        content = ProjectFileContent();
        return ReadResult::ReadFailed;
    }
    return ReadResult::Ok;
}

std::string CachePathOf(const std::string& projectPath)
{
    if (projectPath.size() <= 3)
        return {};
    return projectPath.substr(0, projectPath.size() - 3) + "car";
}
