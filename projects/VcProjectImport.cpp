#include "VcProjectImport.h"

#include "DspReader.h"
#include "DswReader.h"
#include "FileType.h"
#include "LanguageTable.h"
#include "MessageSink.h"
#include "VcprojReader.h"

namespace {

template <typename Reader> VcProjectContent ReadProject(const std::string& path, Reader& reader)
{
    VcProjectContent content;
    content.read = reader.Open(path);
    if (content.read) {
        reader.Read();
        content.files = reader.FoundFiles();
        content.defines = reader.Defines();
    }
    return content;
}

VcProjectContent ReadByType(
    const std::string& path, MessageSink& sink, bool report, const std::atomic<bool>* stop)
{
    switch (GetFileType(path)) {
    case 2: {
        CDspReader reader(sink, report);
        reader.SetStopRequest(stop);
        return ReadProject(path, reader);
    }
    case 3: {
        CDswReader reader(sink, report);
        reader.SetStopRequest(stop);
        VcProjectContent content;
        content.read = reader.Open(path);
        if (content.read) {
            reader.ReadProjects();
            reader.LoadProjects();
            content.files = reader.Files();
            content.defines = reader.Defines();
        }
        return content;
    }
    case 5: {
        CVcprojReader reader(sink, report);
        reader.SetStopRequest(stop);
        return ReadProject(path, reader);
    }
    default:
        return {};
    }
}

} // namespace

VcProjectContent ReadVcProjectFile(
    const std::string& path, MessageSink& sink, bool report, const std::atomic<bool>* stop)
{
    VcProjectContent content = ReadByType(path, sink, report, stop);
    content.stopped = stop != nullptr && stop->load();
    if (content.read && !content.stopped && content.files.empty() && report)
        MessageLine(sink, MessageKind::Info)
            << GetLangString(2) << ": " << path << " - " << GetLangString(320);
    return content;
}
