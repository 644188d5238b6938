#include "FontHolder.h"

namespace {

std::unique_ptr<CFont> CopyFont(const CFont* source)
{
    if (source == nullptr)
        return nullptr;
    auto copy = std::make_unique<CFont>();
    LogFont description;
    if (source->GetLogFont(&description))
        copy->CreateFontIndirect(description);
    return copy;
}

} // namespace

CFontHolder::CFontHolder(const CFontHolder& other)
    : dc(other.dc),
      font(CopyFont(other.font.get())),
      previous(other.previous),
      faceName(other.faceName),
      size(other.size),
      bold(other.bold)
{
}

CFontHolder& CFontHolder::operator=(const CFontHolder& other)
{
    if (this == &other)
        return *this;
    dc = other.dc;
    previous = other.previous;
    faceName = other.faceName;
    size = other.size;
    bold = other.bold;
    font.reset();
    font = CopyFont(other.font.get());
    return *this;
}

void CFontHolder::Create(const std::string& face, int32_t sizePoints, uint8_t boldFlag)
{
    font.reset();
    LogFont description;
    description.height = static_cast<int32_t>(static_cast<int64_t>(sizePoints) * 10);
    description.weight = boldFlag == 1 ? FW_EXTRABOLD : FW_DONTCARE;
    description.faceName = face;
    font = std::make_unique<CFont>();
    font->CreatePointFontIndirect(description);
    faceName = face;
    size = sizePoints;
    bold = boldFlag;
}

void CFontHolder::CreateWithHeight(const std::string& face, int32_t height, uint8_t boldFlag)
{
    font.reset();
    LogFont description;
    description.height = height;
    description.weight = boldFlag == 1 ? FW_EXTRABOLD : FW_DONTCARE;
    description.faceName = face;
    font = std::make_unique<CFont>();
    font->CreateFontIndirect(description);
    faceName = face;
    size = height;
    bold = boldFlag;
}

void CFontHolder::SelectInto()
{
    if (!font || dc == nullptr)
        return;
    previous = dc->SelectObject(font.get());
}

void CFontHolder::Restore()
{
    if (previous != nullptr && dc != nullptr)
        dc->SelectObject(previous);
}

CSize CFontHolder::GetTextExtent(const char* text) const
{
    if (dc == nullptr || text == nullptr)
        return {};
    return dc->GetTextExtent(text);
}
