#include "VcprojReader.h"

#include "LanguageTable.h"
#include "MessageSink.h"
#include "VcSourceCheck.h"

#include <cctype>
#include <strings.h>

namespace {

bool IsNamePart(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':' || c == '.' ||
        c == '-';
}

// Where the attribute `name` (ending in '=') starts in the line as a whole
// attribute, not as the end of a longer one; npos when it is not there.
size_t FindAttribute(std::string_view line, std::string_view name)
{
    for (size_t at = line.find(name); at != std::string_view::npos; at = line.find(name, at + 1))
        if (at == 0 || !IsNamePart(line[at - 1]))
            return at;
    return std::string_view::npos;
}

// The quoted value after position `from`: the text between the next two
// double quotes; empty when there are not two.
std::string_view QuotedValue(std::string_view line, size_t from)
{
    const size_t open = line.find('"', from);
    if (open == std::string_view::npos)
        return {};
    const size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    return line.substr(open + 1, close - open - 1);
}

bool EndsWithNoCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() &&
        strncasecmp(text.data() + text.size() - ending.size(), ending.data(), ending.size()) == 0;
}

} // namespace

CVcprojReader::CVcprojReader(MessageSink& sink, bool report) : CVcFileReader(sink, report)
{
}

bool CVcprojReader::Open(const std::string& path)
{
    if (Load(path))
        return true;
    MessageLine(sink_, MessageKind::Error)
        << GetLangString(3) << ": " << path << " - " << GetLangString(28);
    return false;
}

void CVcprojReader::Read()
{
    if (!open_)
        return;
    ReadLines(lines_, folder_);
    ReportWhenCutShort(" - ", 28, true);
}

void CVcprojReader::Read(std::string_view text, const std::string& folder)
{
    LineReader lines(LineEnds::LfOrCr);
    lines.Assign(text);
    ReadLines(lines, folder);
}

void CVcprojReader::ReadLines(LineReader& lines, const std::string& folder)
{
    const size_t known = sources_.Names().size();
    for (std::string_view line; !Stopped() && lines.Next(line);) {
        if (const size_t at = line.find("RelativePath="); at != std::string_view::npos) {
            const std::string_view value = QuotedValue(line, at);
            if (EndsWithNoCase(value, ".cpp") || EndsWithNoCase(value, ".c"))
                sources_.Add(value);
        } else if (const size_t at = FindAttribute(line, "PreprocessorDefinitions=");
                   at != std::string_view::npos) {
            AddDefines(QuotedValue(line, at));
        }
    }
    const std::span<const std::string> names(sources_.Names());
    std::vector<std::string> found =
        FindVcSources(names.subspan(known), folder, report_, sink_, stop_);
    found_.insert(found_.end(), found.begin(), found.end());
}

void CVcprojReader::AddDefines(std::string_view value)
{
    // Visual Studio takes a comma between two definitions as it takes a
    // semicolon, and projects written by hand or converted use both.
    while (!value.empty()) {
        const size_t separator = value.find_first_of(";,");
        AddVcDefine(value.substr(0, separator), defines_);
        if (separator == std::string_view::npos)
            break;
        value.remove_prefix(separator + 1);
    }
}
