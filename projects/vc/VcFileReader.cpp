#include "VcFileReader.h"

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
