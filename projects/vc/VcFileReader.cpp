#include "VcFileReader.h"

#include "LanguageTable.h"
#include "MessageSink.h"
#include "VcSourceCheck.h"

#include <optional>

bool CVcFileReader::Load(const std::string& path)
{
    const std::optional<VcFileLocation> location = LoadVcFile(path, text_);
    open_ = location.has_value();
    if (open_)
        folder_ = location->folder;
    return open_;
}

bool CVcFileReader::LoadOrReport(const std::string& path, const char* separator, int reason)
{
    if (Load(path))
        return true;
    if (report_)
        MessageLine(sink_, MessageKind::Error)
            << GetLangString(3) << ": " << path << separator << GetLangString(reason);
    return false;
}
