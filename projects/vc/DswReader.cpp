#include "DswReader.h"

#include "DspReader.h"
#include "IncludePaths.h"
#include "LanguageTable.h"
#include "MessageSink.h"
#include "TextLines.h"
#include "VcSourceCheck.h"

#include <strings.h>

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
    if (open_)
        ReadProjects(text_, folder_);
}

void CDswReader::ReadProjects(std::string_view text, const std::string& folder)
{
    folder_ = folder;
    for (const std::string_view line : SplitLines(text)) {
        const std::string_view path = ProjectPathOf(line);
        if (!path.empty())
            projects_.emplace_back(path);
    }
}

void CDswReader::LoadProjects()
{
    CIncludePaths paths;
    for (const std::string& project : projects_) {
        if (report_)
            MessageLine(sink_) << GetLangString(1) << ": Load \"" << project << "\"";
        CDspReader reader(sink_, report_);
        const std::string path = FindVcFile(paths, folder_, project);
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
