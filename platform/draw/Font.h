#pragma once

#include <QFont>
#include <QFontMetrics>

#include "GdiTypes.h"
#include <cstdint>
#include <memory>
#include <string>

// The description a font is made from. `height` below 0 is the character
// height in pixels, above 0 the cell height (character height plus internal
// leading), 0 the default size. `weight` 0 means the default weight; 700 and
// above are bold. The face name holds at most kMaxFaceName characters; longer
// names are cut.
struct LogFont {
    static constexpr size_t kMaxFaceName = 31;

    int32_t height = 0;
    int32_t width = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    std::string faceName;

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// A font made from a LogFont. The Qt font and its metrics are made once, when
// the font is created.
class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // Makes the font from the description as it stands. False (and no font)
    // when the height is beyond any size a screen can show.
    bool CreateFontIndirect(const LogFont& description);
    // As CreateFontIndirect, but `height` holds a size in tenths of a point,
    // turned into -trunc(96 * tenths / 720) pixels.
    bool CreatePointFontIndirect(const LogFont& description);
    bool CreatePointFont(int tenths, const std::string& faceName);
    void DeleteObject();

    bool IsCreated() const { return created_; }
    // The description the font was made from (false when there is no font).
    bool GetLogFont(LogFont* out) const;
    const LogFont& Description() const { return description_; }

    // Qt's view of the font; only valid while IsCreated().
    const QFont& GetQFont() const { return qfont_; }
    const QFontMetrics& Metrics() const { return *metrics_; }

    // The font every device context starts with.
    static CFont* DefaultFont();

private:
    bool created_ = false;
    LogFont description_;
    QFont qfont_;
    std::unique_ptr<QFontMetrics> metrics_;
};
