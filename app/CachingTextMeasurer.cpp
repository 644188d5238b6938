#include "CachingTextMeasurer.h"

#include "Font.h"

CachingTextMeasurer::CachingTextMeasurer(std::shared_ptr<const TextMeasurer> measurer)
    : measurer_(std::move(measurer))
{
}

CSize CachingTextMeasurer::Measure(const CFont& font, std::string_view text) const
{
    if (!font.IsCreated())
        return measurer_->Measure(font, text);
    const LogFont& d = font.Description();
    std::string key;
    key.reserve(d.faceName.size() + text.size() + 32);
    key.append(d.faceName).push_back('\0');
    for (int32_t value : {d.height, d.width, d.weight, int32_t(d.italic), int32_t(d.underline),
                          int32_t(d.strikeOut), int32_t(d.charSet)})
        key.append(reinterpret_cast<const char*>(&value), sizeof value);
    key.append(text);
    {
        std::lock_guard lock(mutex_);
        if (const auto found = extents_.find(key); found != extents_.end())
            return found->second;
    }
    const CSize extent = measurer_->Measure(font, text);
    std::lock_guard lock(mutex_);
    if (extents_.size() >= kMaxEntries)
        extents_.clear();
    extents_.emplace(std::move(key), extent);
    return extent;
}
