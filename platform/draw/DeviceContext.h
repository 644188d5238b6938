#pragma once

#include "Bitmap.h"
#include "Brush.h"
#include "Font.h"
#include "GdiTypes.h"
#include "Pen.h"

#include <QImage>
#include <optional>
#include <string_view>

class QPainter;

// A device context in the manner of a Windows one, over a QImage.
//
// It draws into the bitmap selected into it (a memory context) or into an
// image attached from outside (a window's back buffer, a printed page). It
// holds a selected pen, brush, font and bitmap (none of them owned), text and
// background colours, a background mode, a window origin (logical point that
// maps to device pixel (0, 0)) and an optional clip rectangle.
//
// Pixel rules: a line leaves out its end pixel; a rectangle (l, t, r, b)
// covers l..r-1 by t..b-1 with its outline; a shape drawn without a pen is
// one pixel smaller on the right and bottom; dashed and dotted one-pixel pens
// fill their gaps with the background colour in OPAQUE mode.
class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory context compatible with `other` (or with the screen when null):
    // same bits per pixel, a 1-by-1 bitmap selected until one is selected.
    bool CreateCompatibleDC(const CDC* other);
    // Draws into an image owned elsewhere; the image must outlive the use.
    void AttachImage(QImage* image);
    QImage* GetImage() const { return image_; }

    // Selection returns what was selected before. Selecting a null pen or
    // brush pointer selects the context's default object; selecting a null or
    // never created font changes nothing and returns null; selecting a null
    // bitmap selects the context's own 1-by-1 bitmap again.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CPen* GetCurrentPen() const { return pen_; }
    CBrush* GetCurrentBrush() const { return brush_; }
    CFont* GetCurrentFont() const { return font_ != nullptr ? font_ : CFont::DefaultFont(); }
    CBitmap* GetCurrentBitmap() const { return bitmap_; }

    int GetBitsPerPixel() const { return bitsPerPixel_; }
    void SetBitsPerPixel(int bits) { bitsPerPixel_ = bits; }
    bool IsPrinting() const { return printing_; }
    void SetPrinting(bool printing) { printing_ = printing; }

    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return textColour_; }
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return bkColour_; }
    int SetBkMode(int mode);
    int GetBkMode() const { return bkMode_; }

    CPoint SetWindowOrg(int x, int y);
    CPoint GetWindowOrg() const { return origin_; }

    // The clip box in logical coordinates: the drawable part of the image,
    // narrowed by the clip rectangle when one is set.
    CRect GetClipBox() const;
    // Narrows the clip rectangle to a rectangle given in logical coordinates.
    void IntersectClipRect(const CRect& logical);
    // Removes the clip rectangle.
    void ResetClip();

    // The clip rectangle as it stands, for RestoreClip to put back after
    // drawing that narrows it for a while.
    class SavedClip {
        friend class CDC;
        std::optional<CRect> clip_; // device coordinates
    };
    SavedClip SaveClip() const;
    void RestoreClip(const SavedClip& saved);

    CPoint MoveTo(int x, int y);
    CPoint GetCurrentPosition() const { return position_; }
    // A line from the current position up to, not including, (x, y), which
    // becomes the current position.
    bool LineTo(int x, int y);
    bool Rectangle(int left, int top, int right, int bottom);
    bool RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    bool Ellipse(int left, int top, int right, int bottom);
    bool Polygon(const CPoint* points, int count);
    bool Polyline(const CPoint* points, int count);

    void FillSolidRect(int x, int y, int width, int height, COLORREF colour);
    void FillSolidRect(const CRect& rect, COLORREF colour);
    void FillRect(const CRect& rect, const CBrush* brush);

    // The text with its top-left corner at (x, y) in the selected font.
    bool TextOut(int x, int y, std::string_view text);
    // Width and height of the text in the selected font, through the
    // process-wide text measurer.
    CSize GetTextExtent(std::string_view text) const;

    // Metrics of the selected font, through the process-wide text measurer.
    TEXTMETRIC GetTextMetrics() const;
    // The text in the rectangle, aligned by `format` (DT_LEFT, DT_CENTER or
    // DT_RIGHT; for one line also DT_TOP, DT_VCENTER or DT_BOTTOM). Without
    // DT_SINGLELINE the text breaks at its line ends, and with DT_WORDBREAK
    // also between words where a line would be wider than the rectangle (a
    // single word wider than it stays whole). The drawing is clipped to the
    // rectangle unless DT_NOCLIP is given. DT_CALCRECT draws nothing and
    // sets the rectangle's right and bottom edge to the text's extent.
    // Returns the height of the text.
    int DrawText(std::string_view text, CRect& rect, unsigned format);
    // Inverts every other pixel of the rectangle's outline (left..right-1 by
    // top..bottom-1); drawing the same rectangle again takes it away.
    void DrawFocusRect(const CRect& rect);

    // Copies w by h pixels from `source` at (xs, ys) to (x, y), combining them
    // by the raster operation; DSTINVERT needs no source.
    bool BitBlt(
        int x, int y, int width, int height, const CDC* source, int xs, int ys, RasterOp rop);

    // The pixel at a logical point; 0xFFFFFFFF outside the image.
    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF colour);

protected:
    // Lets a wrapper draw into another context's image with that context's
    // state (used for printing, where nothing is buffered).
    void ShareTarget(const CDC& other);

private:
    // Draws into the context's own 1-by-1 image again.
    void SelectOwnImage();
    CRect DeviceClip() const;
    void FillDeviceRect(const CRect& device, uint32_t rgb);
    void PlotPixel(int x, int y, uint32_t rgb, const CRect& clip);
    void PixelLine(int x1, int y1, int x2, int y2, const CPen& pen, const CRect& clip);
    void OutlineRect(int left, int top, int right, int bottom, const CPen& pen);
    bool WideLine(int x1, int y1, int x2, int y2);
    // A rounded rectangle or ellipse in the rectangle; `draw` gets the set-up
    // painter and the shape's path rectangle.
    template <typename Draw> bool CurvedShape(int left, int top, int right, int bottom, Draw draw);
    // Clip, origin and aliased drawing for a painter on the image.
    void PlacePainter(QPainter& painter) const;
    // As PlacePainter, with the selected pen, brush and background mode.
    void SetUpPainter(QPainter& painter, bool withPen, bool withBrush) const;

    QImage* image_ = nullptr;
    QImage ownImage_;
    CBitmap* bitmap_ = nullptr;
    CPen* pen_ = nullptr;
    CBrush* brush_ = nullptr;
    CFont* font_ = nullptr;
    int bitsPerPixel_ = 32;
    bool printing_ = false;
    COLORREF textColour_ = RGB(0, 0, 0);
    COLORREF bkColour_ = RGB(255, 255, 255);
    int bkMode_ = OPAQUE;
    CPoint origin_;
    CPoint position_;
    std::optional<CRect> clip_; // device coordinates
    int patternPhase_ = 0;
};

// The Qt colour value of a colour (0xFFRRGGBB).
inline uint32_t ToQRgb(COLORREF c)
{
    return 0xFF000000u | (static_cast<uint32_t>(GetRValue(c)) << 16) |
        (static_cast<uint32_t>(GetGValue(c)) << 8) | static_cast<uint32_t>(GetBValue(c));
}
inline COLORREF FromQRgb(uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
