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
{
    *this = other;
}

CFontHolder& CFontHolder::operator=(const CFontHolder& other)
{
    if (this == &other)
        return *this;
    font = CopyFont(other.font.get());
    dc = other.dc;
    previous = other.previous;
    faceName = other.faceName;
    size = other.size;
    bold = other.bold;
    return *this;
}

bool IsStorableFaceName(const std::string& face)
{
    if (face.size() > LogFont::kMaxFaceName)
        return false;
    for (char c : face) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

bool CFontHolder::Create(const std::string& face, int32_t sizePoints, uint8_t boldFlag)
{
    if (!IsStorableFaceName(face))
        return false;
    Make(face, static_cast<int32_t>(static_cast<int64_t>(sizePoints) * 10), boldFlag, true);
    size = sizePoints;
    return true;
}

bool CFontHolder::CreateWithHeight(const std::string& face, int32_t height, uint8_t boldFlag)
{
    if (!IsStorableFaceName(face))
        return false;
    Make(face, height, boldFlag, false);
    size = height;
    return true;
}

void CFontHolder::Make(
    const std::string& face, int32_t height, uint8_t boldFlag, bool tenthsOfPoints)
{
    LogFont description;
    description.height = height;
    description.weight = boldFlag == 1 ? FW_EXTRABOLD : FW_DONTCARE;
    description.faceName = face;
    font = std::make_unique<CFont>();
    if (tenthsOfPoints)
        font->CreatePointFontIndirect(description);
    else
        font->CreateFontIndirect(description);
    faceName = face;
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

CSize CFontHolder::GetTextExtent(std::string_view text) const
{
    return dc != nullptr ? dc->GetTextExtent(text) : CSize();
}
