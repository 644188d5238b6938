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

void CachingTextMeasurer::MeasureAll(std::span<const TextInFont> texts, CSize* out) const
{
    std::vector<size_t> missing;
    {
        std::lock_guard lock(mutex_);
        for (size_t i = 0; i < texts.size(); ++i) {
            const CFont* font = texts[i].font;
            out[i] = CSize();
            if (font == nullptr)
                continue;
            if (font->IsCreated()) {
                const Extents& table = TableOf(font->Description());
                if (const auto found = table.find(texts[i].text); found != table.end()) {
                    out[i] = found->second;
                    continue;
                }
            }
            missing.push_back(i);
        }
    }
    for (size_t i : missing)
        out[i] = measurer_->Measure(*texts[i].font, texts[i].text);
    std::lock_guard lock(mutex_);
    for (size_t i : missing) {
        const CFont& font = *texts[i].font;
        if (!font.IsCreated())
            continue;
        if (entries_ >= kMaxEntries) {
            fonts_.clear();
            entries_ = 0;
        }
        if (TableOf(font.Description()).emplace(std::string(texts[i].text), out[i]).second)
            ++entries_;
    }
}

size_t CachingTextMeasurer::CountKnown(std::span<const TextInFont> texts) const
{
    size_t known = 0;
    std::lock_guard lock(mutex_);
    for (const TextInFont& text : texts) {
        if (text.font != nullptr && text.font->IsCreated()) {
            const Extents& table = TableOf(text.font->Description());
            known += table.find(text.text) != table.end() ? 1 : 0;
        }
    }
    return known;
}
