#include "VcFileReader.h"

#include "LanguageTable.h"
#include "MessageSink.h"
#include "VcSourceCheck.h"

bool CVcFileReader::Load(const std::string& path)
{
    const VcFileLocation location = LocateVcFile(path);
    open_ = lines_.Open(location.path, kMaxFileBytes) == ReadResult::Ok;
    path_ = path;
    if (open_)
        folder_ = location.folder;
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

void CVcFileReader::ReportWhenCutShort(const char* separator, int reason, bool always)
{
    if (open_ && lines_.Failed() && (report_ || always))
        MessageLine(sink_, MessageKind::Error)
            << GetLangString(3) << ": " << path_ << separator << GetLangString(reason);
}
