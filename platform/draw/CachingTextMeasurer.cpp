#include "CachingTextMeasurer.h"

CachingTextMeasurer::CachingTextMeasurer(std::shared_ptr<const TextMeasurer> measurer)
    : measurer_(std::move(measurer))
{
}

CachingTextMeasurer::Extents& CachingTextMeasurer::TableOf(const LogFont& description) const
{
    // Texts come in runs of one font: the last table is tried first.
    if (lastFont_ < fonts_.size() && fonts_[lastFont_]->description == description)
        return fonts_[lastFont_]->extents;
    for (size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i]->description == description) {
            lastFont_ = i;
            return fonts_[i]->extents;
        }
    }
    fonts_.push_back(std::make_unique<FontExtents>(FontExtents {description, {}}));
    lastFont_ = fonts_.size() - 1;
    return fonts_.back()->extents;
}

CSize CachingTextMeasurer::Measure(const CFont& font, std::string_view text) const
{
    if (!font.IsCreated())
        return measurer_->Measure(font, text);
    {
        std::lock_guard lock(mutex_);
        const Extents& table = TableOf(font.Description());
        if (const auto found = table.find(text); found != table.end())
            return found->second;
    }
    const CSize extent = measurer_->Measure(font, text);
    std::lock_guard lock(mutex_);
    if (entries_ >= kMaxEntries) {
        fonts_.clear();
        entries_ = 0;
    }
    if (TableOf(font.Description()).emplace(std::string(text), extent).second)
        ++entries_;
    return extent;
}
