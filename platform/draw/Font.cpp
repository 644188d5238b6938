#include "Font.h"

#include "GuiSession.h"

#include <QFontMetricsF>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int32_t kMaxPixelHeight = 16384;
constexpr int kDefaultPixelSize = 13;

QFont MakeQFont(const LogFont& d)
{
    QFont font;
    if (!d.faceName.empty())
        font.setFamily(ToQString(d.faceName));
    font.setWeight(
        d.weight <= 0 ? QFont::Normal : static_cast<QFont::Weight>(std::clamp(d.weight, 1, 1000)));
    font.setItalic(d.italic != 0);
    font.setUnderline(d.underline != 0);
    font.setStrikeOut(d.strikeOut != 0);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferDefault);

    int pixels = kDefaultPixelSize;
    if (d.height < 0) {
        pixels = -d.height;
    } else if (d.height > 0) {
        // A cell height: find the character size whose line height matches.
        font.setPixelSize(100);
        QFontMetricsF probe(font);
        double cell = probe.ascent() + probe.descent();
        pixels = cell > 0 ? static_cast<int>(std::lround(d.height * 100.0 / cell)) : d.height;
    }
    font.setPixelSize(std::max(1, pixels));
    return font;
}

} // namespace

bool CFont::CreateFontIndirect(const LogFont& description)
{
    DeleteObject();
    if (std::abs(static_cast<int64_t>(description.height)) > kMaxPixelHeight)
        return false;
    if (!HasGuiApplication())
        return false;
    description_ = description;
    if (description_.faceName.size() > LogFont::kMaxFaceName)
        description_.faceName.resize(LogFont::kMaxFaceName);
    qfont_ = MakeQFont(description_);
    metrics_ = std::make_unique<QFontMetrics>(qfont_);
    created_ = true;
    return true;
}

bool CFont::CreatePointFontIndirect(const LogFont& description)
{
    LogFont d = description;
    d.height = static_cast<int32_t>(-(static_cast<int64_t>(kScreenDpi) * description.height / 720));
    return CreateFontIndirect(d);
}

bool CFont::CreatePointFont(int tenths, const std::string& faceName)
{
    LogFont d;
    d.height = tenths;
    d.faceName = faceName;
    return CreatePointFontIndirect(d);
}

void CFont::DeleteObject()
{
    created_ = false;
    metrics_.reset();
    qfont_ = QFont();
    description_ = LogFont();
}

bool CFont::GetLogFont(LogFont* out) const
{
    if (!created_ || out == nullptr)
        return false;
    *out = description_;
    return true;
}

CFont* CFont::DefaultFont()
{
    // Made on first use once an application object exists.
    static CFont* font = new CFont;
    if (!font->IsCreated()) {
        LogFont d;
        d.height = -kDefaultPixelSize;
        d.faceName = "DejaVu Sans";
        font->CreateFontIndirect(d);
    }
    return font;
}
