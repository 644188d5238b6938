#include "DistinctTexts.h"

#include <functional>
#include <string_view>

size_t DistinctTexts::SlotOf(const TextInFont& text) const
{
    const size_t mask = table_.size() - 1;
    size_t slot =
        (std::hash<std::string_view>()(text.text) ^ std::hash<const CFont*>()(text.font) * 31) &
        mask;
    while (table_[slot] != 0) {
        const TextInFont& kept = texts_[table_[slot] - 1];
        if (kept.font == text.font && kept.text == text.text)
            break;
        slot = (slot + 1) & mask;
    }
    return slot;
}

// The table stays at least twice as long as the list, so that a look-up
// meets few neighbours.
void DistinctTexts::Grow()
{
    table_.assign(table_.empty() ? 64 : 2 * table_.size(), 0);
    for (size_t i = 0; i < texts_.size(); ++i)
        table_[SlotOf(texts_[i])] = static_cast<uint32_t>(i + 1);
}

size_t DistinctTexts::Add(TextInFont text)
{
    if (2 * (texts_.size() + 1) > table_.size())
        Grow();
    const size_t slot = SlotOf(text);
    if (table_[slot] == 0) {
        texts_.push_back(text);
        table_[slot] = static_cast<uint32_t>(texts_.size());
    }
    return table_[slot] - 1;
}
