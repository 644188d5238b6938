#include "VcProjectImport.h"

#include "DspReader.h"
#include "DswReader.h"
#include "FileType.h"
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

} // namespace

VcProjectContent ReadVcProjectFile(const std::string& path, MessageSink& sink, bool report)
{
    switch (GetFileType(path)) {
    case 2: {
        CDspReader reader(sink, report);
        return ReadProject(path, reader);
    }
    case 3: {
        CDswReader reader(sink, report);
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
        return ReadProject(path, reader);
    }
    default:
        return {};
    }
}
