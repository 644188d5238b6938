#include "DswReader.h"

#include "DspReader.h"
#include "IncludePaths.h"
#include "LanguageTable.h"
#include "MessageSink.h"
#include "VcSourceCheck.h"

#include <strings.h>
#include <unordered_set>

namespace {

// The project path of a "Project: "Name"=path - Package Owner=<4>" line, or
// empty when the line names none.
std::string_view ProjectPathOf(std::string_view line)
{
    if (line.size() < 13 || strncasecmp(line.data(), "Project:", 8) != 0)
        return {};
    const size_t equals = line.find('=', 7);
    if (equals == std::string_view::npos || equals <= 8)
        return {};
    std::string_view rest = line.substr(equals + 1);
    size_t end;
    if (!rest.empty() && rest.front() == '"') {
        rest.remove_prefix(1);
        end = rest.find('"');
    } else {
        end = rest.find(' ');
    }
    return end == std::string_view::npos ? std::string_view() : rest.substr(0, end);
}

} // namespace

CDswReader::CDswReader(MessageSink& sink, bool report) : CVcFileReader(sink, report)
{
}

bool CDswReader::Open(const std::string& path)
{
    return LoadOrReport(path, " ", 303);
}

void CDswReader::ReadProjects()
{
    if (!open_)
        return;
    ReadLines(lines_);
    ReportWhenCutShort(" ", 303);
}

void CDswReader::ReadProjects(std::string_view text, const std::string& folder)
{
    folder_ = folder;
    LineReader lines(LineEnds::LfOrCr);
    lines.Assign(text);
    ReadLines(lines);
}

void CDswReader::ReadLines(LineReader& lines)
{
    for (std::string_view line; !Stopped() && lines.Next(line);) {
        const std::string_view path = ProjectPathOf(line);
        if (!path.empty())
            projects_.Add(path);
    }
}

void CDswReader::LoadProjects()
{
    CIncludePaths paths;
    std::unordered_set<std::string> read;
    for (const std::string& project : projects_.Names()) {
        if (Stopped())
            break;
        const std::string path = FindVcFile(paths, folder_, project);
        if (!path.empty() && !read.insert(path).second)
            continue;
        if (report_)
            MessageLine(sink_) << GetLangString(1) << ": Load \"" << project << "\"";
        CDspReader reader(sink_, report_);
        reader.SetStopRequest(stop_);
        if (path.empty()) {
            if (report_)
                MessageLine(sink_, MessageKind::Error)
                    << GetLangString(3) << ": " << project << " " << GetLangString(303);
            continue;
        }
        if (!reader.Open(path))
            continue;
        reader.Read();
        files_.insert(files_.end(), reader.FoundFiles().begin(), reader.FoundFiles().end());
        for (const auto& [word, value] : reader.Defines())
            defines_.emplace(word, value);
    }
}
