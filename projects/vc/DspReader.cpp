#include "DspReader.h"

#include "LanguageTable.h"
#include "MessageSink.h"
#include "VcSourceCheck.h"

#include <algorithm>
#include <cctype>

namespace {

bool EndsWith(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

// Whether a "SOURCE=" line names a C or C++ file, by its last characters.
bool NamesCSource(std::string_view line)
{
    std::string tail(line.substr(line.size() - std::min<size_t>(5, line.size())));
    std::transform(tail.begin(), tail.end(), tail.begin(),
        [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return EndsWith(tail, ".CPP\"") || EndsWith(tail, ".CPP") || EndsWith(tail, ".C\"") ||
        EndsWith(tail, ".C");
}

} // namespace

CDspReader::CDspReader(MessageSink& sink, bool report) : CVcFileReader(sink, report)
{
}

bool CDspReader::Open(const std::string& path)
{
    return LoadOrReport(path, " ", 303);
}

void CDspReader::Read()
{
    if (!open_)
        return;
    ReadLines(lines_, folder_);
    ReportWhenCutShort(" ", 303);
}

void CDspReader::Read(std::string_view text, const std::string& folder)
{
    LineReader lines(LineEnds::LfOrCr);
    lines.Assign(text);
    ReadLines(lines, folder);
}

void CDspReader::ReadLines(LineReader& lines, const std::string& folder)
{
    const size_t known = sources_.Names().size();
    for (std::string_view line; !Stopped() && lines.Next(line);)
        if (line.size() > 7)
            TakeLine(line);
    const std::span<const std::string> names(sources_.Names());
    std::vector<std::string> found =
        FindVcSources(names.subspan(known), folder, report_, sink_, stop_);
    found_.insert(found_.end(), found.begin(), found.end());
}

void CDspReader::TakeLine(std::string_view line)
{
    if (line.substr(0, 7) == "SOURCE=") {
        if (!NamesCSource(line))
            return;
        std::string_view name = line.substr(7);
        if (name.front() == '"') {
            name.remove_prefix(1);
            if (!name.empty() && name.back() == '"')
                name.remove_suffix(1);
        }
        if (!name.empty())
            sources_.Add(name);
        return;
    }
    if (line.substr(0, 5) != "# ADD")
        return;
    bool afterD = false;
    size_t start = 0;
    while (start < line.size()) {
        if (line[start] == ' ') {
            ++start;
            continue;
        }
        size_t end = line.find(' ', start);
        if (end == std::string_view::npos)
            end = line.size();
        std::string_view token = line.substr(start, end - start);
        start = end;
        const bool isD = token == "/D";
        if (afterD && token.front() == '"') {
            token.remove_prefix(1);
            if (!token.empty() && token.back() == '"')
                token.remove_suffix(1);
            AddVcDefine(token, defines_);
        }
        afterD = isD;
    }
}
