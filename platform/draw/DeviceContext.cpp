#include "DeviceContext.h"

#include "GuiSession.h"
#include "TextLines.h"
#include "TextMeasurer.h"

#include <QPainter>
#include <QPolygon>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Cosmetic pen patterns: pixels on, pixels off.
constexpr int kDashOn = 18;
constexpr int kDashOff = 6;
constexpr int kDotOn = 3;
constexpr int kDotOff = 3;

bool PatternIsOn(int style, int phase)
{
    if (style == PS_DASH)
        return phase % (kDashOn + kDashOff) < kDashOn;
    if (style == PS_DOT)
        return phase % (kDotOn + kDotOff) < kDotOn;
    return true;
}

CRect Normalized(int left, int top, int right, int bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    return {left, top, right, bottom};
}

Qt::PenStyle ToQtStyle(int style)
{
    switch (style) {
    case PS_DASH:
        return Qt::DashLine;
    case PS_DOT:
        return Qt::DotLine;
    default:
        return Qt::SolidLine;
    }
}

// The path of a curved shape in the rectangle r (right and bottom edge
// excluded): a one-pixel pen centred on pixel centres covers exactly
// r.left..r.right-1; a fill without a pen ends one pixel earlier.
QRectF CurveRect(const CRect& r, bool withoutPen)
{
    if (withoutPen)
        return QRectF(r.left, r.top, r.Width() - 1, r.Height() - 1);
    return QRectF(r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1);
}

QPolygon ToQPolygon(const CPoint* points, int count)
{
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i)
        polygon.setPoint(i, points[i].x, points[i].y);
    return polygon;
}

} // namespace

CDC::CDC() : pen_(CPen::BlackPen()), brush_(CBrush::WhiteBrush())
{
}

CDC::~CDC() = default;

bool CDC::CreateCompatibleDC(const CDC* other)
{
    ownImage_ = QImage();
    SelectOwnImage();
    bitsPerPixel_ = other != nullptr ? other->bitsPerPixel_ : 32;
    return true;
}

void CDC::SelectOwnImage()
{
    if (ownImage_.isNull()) {
        ownImage_ = QImage(1, 1, QImage::Format_RGB32);
        ownImage_.fill(0xFF000000u);
    }
    image_ = &ownImage_;
    bitmap_ = nullptr;
}

void CDC::AttachImage(QImage* image)
{
    if (image != nullptr && image->format() != QImage::Format_RGB32 &&
        image->format() != QImage::Format_ARGB32)
        *image = image->convertToFormat(QImage::Format_RGB32);
    image_ = image;
    bitmap_ = nullptr;
}

void CDC::ShareTarget(const CDC& other)
{
    image_ = other.image_;
    bitmap_ = nullptr;
    bitsPerPixel_ = other.bitsPerPixel_;
    printing_ = other.printing_;
    origin_ = other.origin_;
    clip_ = other.clip_;
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* previous = pen_;
    pen_ = pen != nullptr ? pen : CPen::BlackPen();
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* previous = brush_;
    brush_ = brush != nullptr ? brush : CBrush::WhiteBrush();
    return previous;
}

CFont* CDC::SelectObject(CFont* font)
{
    if (font == nullptr || !font->IsCreated())
        return nullptr;
    CFont* previous = font_ != nullptr ? font_ : CFont::DefaultFont();
    font_ = font;
    return previous;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    CBitmap* previous = bitmap_;
    if (bitmap != nullptr && bitmap->IsCreated()) {
        bitmap_ = bitmap;
        image_ = &bitmap->Image();
    } else {
        SelectOwnImage();
    }
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF colour)
{
    COLORREF previous = textColour_;
    textColour_ = colour & 0xFFFFFF;
    return previous;
}

COLORREF CDC::SetBkColor(COLORREF colour)
{
    COLORREF previous = bkColour_;
    bkColour_ = colour & 0xFFFFFF;
    return previous;
}

int CDC::SetBkMode(int mode)
{
    int previous = bkMode_;
    if (mode == TRANSPARENT || mode == OPAQUE)
        bkMode_ = mode;
    return previous;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    CPoint previous = origin_;
    origin_ = {x, y};
    return previous;
}

CRect CDC::DeviceClip() const
{
    if (image_ == nullptr || image_->isNull())
        return {};
    CRect bounds(0, 0, image_->width(), image_->height());
    if (clip_)
        return CRect::Intersect(bounds, *clip_);
    return bounds;
}

CRect CDC::GetClipBox() const
{
    CRect clip = DeviceClip();
    if (clip.IsRectEmpty())
        return {};
    clip.OffsetRect(origin_.x, origin_.y);
    return clip;
}

void CDC::IntersectClipRect(const CRect& logical)
{
    CRect device = Normalized(logical.left, logical.top, logical.right, logical.bottom);
    device.OffsetRect(-origin_.x, -origin_.y);
    clip_ = clip_ ? CRect::Intersect(*clip_, device) : device;
}

void CDC::ResetClip()
{
    clip_.reset();
}

CDC::SavedClip CDC::SaveClip() const
{
    SavedClip saved;
    saved.clip_ = clip_;
    return saved;
}

void CDC::RestoreClip(const SavedClip& saved)
{
    clip_ = saved.clip_;
}

// ---- pixels -----------------------------------------------------------------

void CDC::FillDeviceRect(const CRect& device, uint32_t rgb)
{
    CRect r = CRect::Intersect(device, DeviceClip());
    if (r.IsRectEmpty())
        return;
    uchar* bits = image_->bits();
    const qsizetype stride = image_->bytesPerLine();
    // The first row pixel by pixel, the others as copies of it.
    auto* first = reinterpret_cast<uint32_t*>(bits + stride * r.top) + r.left;
    std::fill(first, first + r.Width(), rgb);
    const size_t rowBytes = static_cast<size_t>(r.Width()) * sizeof(uint32_t);
    for (int y = r.top + 1; y < r.bottom; ++y)
        std::memcpy(reinterpret_cast<uint32_t*>(bits + stride * y) + r.left, first, rowBytes);
}

void CDC::PlotPixel(int x, int y, uint32_t rgb, const CRect& clip)
{
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom)
        return;
    reinterpret_cast<uint32_t*>(image_->scanLine(y))[x] = rgb;
}

// Bresenham from (x1, y1) towards (x2, y2), device coordinates, end pixel
// left out. The pen's pattern continues from the context's pattern phase.
void CDC::PixelLine(int x1, int y1, int x2, int y2, const CPen& pen, const CRect& clip)
{
    const uint32_t on = ToQRgb(pen.Colour());
    const uint32_t off = ToQRgb(bkColour_);
    const bool solid = pen.Style() == PS_SOLID;
    const bool opaqueGaps = bkMode_ == OPAQUE;

    if (solid && (y1 == y2 || x1 == x2)) {
        // Straight runs, the common case of every ramp and frame.
        if (x1 == x2 && y1 == y2)
            return;
        if (y1 == y2) {
            int a = x2 > x1 ? x1 : x2 + 1;
            int b = x2 > x1 ? x2 : x1 + 1;
            FillDeviceRect(CRect::Intersect(CRect(a, y1, b, y1 + 1), clip), on);
        } else {
            int a = y2 > y1 ? y1 : y2 + 1;
            int b = y2 > y1 ? y2 : y1 + 1;
            FillDeviceRect(CRect::Intersect(CRect(x1, a, x1 + 1, b), clip), on);
        }
        return;
    }

    int dx = std::abs(x2 - x1);
    int dy = std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1;
    int sy = y1 < y2 ? 1 : -1;
    int steps = std::max(dx, dy);
    int x = x1;
    int y = y1;
    int err = dx - dy;
    for (int i = 0; i < steps; ++i) {
        if (solid || PatternIsOn(pen.Style(), patternPhase_))
            PlotPixel(x, y, on, clip);
        else if (opaqueGaps)
            PlotPixel(x, y, off, clip);
        ++patternPhase_;
        int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

void CDC::PlacePainter(QPainter& painter) const
{
    CRect clip = DeviceClip();
    painter.setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()));
    painter.translate(-origin_.x, -origin_.y);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void CDC::SetUpPainter(QPainter& painter, bool withPen, bool withBrush) const
{
    PlacePainter(painter);
    if (withPen && !pen_->IsNull()) {
        QPen qpen(QColor::fromRgb(ToQRgb(pen_->Colour())));
        qpen.setWidth(pen_->Width());
        qpen.setStyle(ToQtStyle(pen_->Style()));
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(qpen);
    } else {
        painter.setPen(Qt::NoPen);
    }
    if (withBrush && !brush_->IsHollow())
        painter.setBrush(QColor::fromRgb(ToQRgb(brush_->Colour())));
    else
        painter.setBrush(Qt::NoBrush);
    if (bkMode_ == OPAQUE) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(QColor::fromRgb(ToQRgb(bkColour_)));
    } else {
        painter.setBackgroundMode(Qt::TransparentMode);
    }
}

// ---- lines ------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    CPoint previous = position_;
    position_ = {x, y};
    patternPhase_ = 0;
    return previous;
}

bool CDC::WideLine(int x1, int y1, int x2, int y2)
{
    QPainter painter(image_);
    SetUpPainter(painter, true, false);
    painter.drawLine(x1, y1, x2, y2);
    return true;
}

bool CDC::LineTo(int x, int y)
{
    if (image_ == nullptr)
        return false;
    CPoint from = position_;
    position_ = {x, y};
    if (pen_->IsNull())
        return true;
    if (pen_->Width() > 1)
        return WideLine(from.x, from.y, x, y);
    PixelLine(
        from.x - origin_.x, from.y - origin_.y, x - origin_.x, y - origin_.y, *pen_, DeviceClip());
    return true;
}

bool CDC::Polyline(const CPoint* points, int count)
{
    if (image_ == nullptr || points == nullptr || count < 2)
        return false;
    if (pen_->IsNull())
        return true;
    if (pen_->Width() > 1) {
        QPainter painter(image_);
        SetUpPainter(painter, true, false);
        painter.drawPolyline(ToQPolygon(points, count));
        return true;
    }
    const CRect clip = DeviceClip();
    patternPhase_ = 0;
    for (int i = 1; i < count; ++i)
        PixelLine(points[i - 1].x - origin_.x, points[i - 1].y - origin_.y, points[i].x - origin_.x,
            points[i].y - origin_.y, *pen_, clip);
    return true;
}

// ---- shapes -----------------------------------------------------------------

// The outline of a rectangle that covers left..right-1 by top..bottom-1
// (logical coordinates), in the pen's width, style and colour.
void CDC::OutlineRect(int left, int top, int right, int bottom, const CPen& pen)
{
    const CRect clip = DeviceClip();
    const int width = pen.Width();
    for (int k = 0; k < width; ++k) {
        int d = k - (width - 1) / 2; // below 0 grows outwards
        int l = left + d - origin_.x;
        int t = top + d - origin_.y;
        int r = right - 1 - d - origin_.x; // last column
        int b = bottom - 1 - d - origin_.y; // last row
        if (r < l || b < t)
            break;
        if (r - l < 1 || b - t < 1) {
            // One pixel wide or high: the outline is the whole rectangle.
            FillDeviceRect(CRect::Intersect(CRect(l, t, r + 1, b + 1), clip), ToQRgb(pen.Colour()));
            continue;
        }
        patternPhase_ = 0;
        PixelLine(l, t, r, t, pen, clip);
        PixelLine(r, t, r, b, pen, clip);
        PixelLine(r, b, l, b, pen, clip);
        PixelLine(l, b, l, t, pen, clip);
    }
}

bool CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (image_ == nullptr)
        return false;
    CRect r = Normalized(left, top, right, bottom);
    if (pen_->IsNull()) {
        if (!brush_->IsHollow()) {
            CRect fill(r.left - origin_.x, r.top - origin_.y, r.right - 1 - origin_.x,
                r.bottom - 1 - origin_.y);
            FillDeviceRect(fill, ToQRgb(brush_->Colour()));
        }
        return true;
    }
    if (!brush_->IsHollow()) {
        CRect inner(r.left + 1 - origin_.x, r.top + 1 - origin_.y, r.right - 1 - origin_.x,
            r.bottom - 1 - origin_.y);
        FillDeviceRect(inner, ToQRgb(brush_->Colour()));
    }
    OutlineRect(r.left, r.top, r.right, r.bottom, *pen_);
    return true;
}

template <typename Draw> bool CDC::CurvedShape(int left, int top, int right, int bottom, Draw draw)
{
    if (image_ == nullptr)
        return false;
    CRect r = Normalized(left, top, right, bottom);
    if (r.Width() < 2 || r.Height() < 2)
        return true;
    QPainter painter(image_);
    SetUpPainter(painter, true, true);
    draw(painter, CurveRect(r, pen_->IsNull()));
    return true;
}

bool CDC::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    return CurvedShape(left, top, right, bottom, [&](QPainter& painter, const QRectF& rect) {
        double rx = std::min(std::abs(ellipseWidth) / 2.0, rect.width() / 2.0);
        double ry = std::min(std::abs(ellipseHeight) / 2.0, rect.height() / 2.0);
        painter.drawRoundedRect(rect, rx, ry, Qt::AbsoluteSize);
    });
}

bool CDC::Ellipse(int left, int top, int right, int bottom)
{
    return CurvedShape(left, top, right, bottom,
        [](QPainter& painter, const QRectF& rect) { painter.drawEllipse(rect); });
}

bool CDC::Polygon(const CPoint* points, int count)
{
    if (image_ == nullptr || points == nullptr || count < 2)
        return false;
    const bool widePen = pen_->Width() > 1 && !pen_->IsNull();
    {
        QPainter painter(image_);
        SetUpPainter(painter, widePen, true);
        if (widePen) {
            painter.drawPolygon(ToQPolygon(points, count), Qt::OddEvenFill);
            return true;
        }
        // The fill covers the pixels whose centres lie inside the polygon.
        // Under a one-pixel outline its corners move onto pixel centres,
        // where the outline's pixels lie, so that no pixel is left out
        // between fill and outline.
        if (!pen_->IsNull())
            painter.translate(0.5, 0.5);
        if (!brush_->IsHollow())
            painter.drawPolygon(ToQPolygon(points, count), Qt::OddEvenFill);
    }
    if (!pen_->IsNull()) {
        const CRect clip = DeviceClip();
        patternPhase_ = 0;
        for (int i = 0; i < count; ++i) {
            const CPoint& a = points[i];
            const CPoint& b = points[(i + 1) % count];
            PixelLine(
                a.x - origin_.x, a.y - origin_.y, b.x - origin_.x, b.y - origin_.y, *pen_, clip);
        }
    }
    return true;
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour)
{
    if (image_ == nullptr)
        return;
    FillDeviceRect(
        CRect(x - origin_.x, y - origin_.y, x + width - origin_.x, y + height - origin_.y),
        ToQRgb(colour));
}

void CDC::FillSolidRect(const CRect& rect, COLORREF colour)
{
    FillSolidRect(rect.left, rect.top, rect.Width(), rect.Height(), colour);
}

void CDC::FillRect(const CRect& rect, const CBrush* brush)
{
    if (brush == nullptr || brush->IsHollow())
        return;
    FillSolidRect(rect, brush->Colour());
}

// ---- text -------------------------------------------------------------------

CSize CDC::GetTextExtent(std::string_view text) const
{
    return GetTextMeasurer().Measure(*GetCurrentFont(), text);
}

bool CDC::TextOut(int x, int y, std::string_view text)
{
    if (image_ == nullptr)
        return false;
    if (text.empty())
        return true;
    const CFont* font = GetCurrentFont();
    if (!font->IsCreated())
        return false;
    if (bkMode_ == OPAQUE) {
        CSize extent = GetTextExtent(text);
        FillSolidRect(x, y, extent.cx, extent.cy, bkColour_);
    }
    QPainter painter(image_);
    PlacePainter(painter);
    painter.setFont(font->GetQFont());
    painter.setPen(QColor::fromRgb(ToQRgb(textColour_)));
    painter.drawText(QPoint(x, y + font->Metrics().ascent()), ToQString(text));
    return true;
}

TEXTMETRIC CDC::GetTextMetrics() const
{
    const TextMeasurer& measurer = GetTextMeasurer();
    const CFont& font = *GetCurrentFont();
    TEXTMETRIC metrics;
    metrics.tmHeight = measurer.Measure(font, "Xg").cy;
    metrics.tmAscent = metrics.tmHeight;
    if (font.IsCreated() && font.Metrics().height() > 0) {
        // The font's own share of the line above the base line.
        const int64_t ascent = static_cast<int64_t>(metrics.tmHeight) * font.Metrics().ascent();
        metrics.tmAscent =
            static_cast<int>((ascent + font.Metrics().height() / 2) / font.Metrics().height());
    }
    metrics.tmDescent = metrics.tmHeight - metrics.tmAscent;
    const int letters =
        measurer.Measure(font, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ").cx;
    metrics.tmAveCharWidth = (letters / 26 + 1) / 2;
    metrics.tmMaxCharWidth =
        std::max(measurer.Measure(font, "W").cx, measurer.Measure(font, "M").cx);
    return metrics;
}

namespace {

// The lines of a text: one for a single line, else split at line ends (a
// carriage return before one is dropped) and, with `width` set, between
// words so that a line stays within the width where it can.
std::vector<std::string_view> TextLines(
    const CDC& dc, std::string_view text, bool singleLine, std::optional<int> width)
{
    std::vector<std::string_view> lines;
    if (singleLine) {
        lines.push_back(text);
        return lines;
    }
    // A text that ends in a line end, like an empty text, has an empty last
    // line.
    std::vector<std::string_view> split = SplitLines(text);
    if (text.empty() || text.back() == '\n')
        split.emplace_back();
    for (const std::string_view line : split) {
        if (!width || line.empty()) {
            lines.push_back(line);
        } else {
            // Greedy: the first word always, then more while the line fits.
            size_t from = 0;
            while (true) {
                size_t lineEnd = std::min(line.find(' ', from), line.size());
                while (lineEnd < line.size()) {
                    const size_t next = std::min(line.find(' ', lineEnd + 1), line.size());
                    if (dc.GetTextExtent(line.substr(from, next - from)).cx > *width)
                        break;
                    lineEnd = next;
                }
                lines.push_back(line.substr(from, lineEnd - from));
                from = line.find_first_not_of(' ', lineEnd);
                if (from == std::string_view::npos)
                    break;
            }
        }
    }
    return lines;
}

} // namespace

int CDC::DrawText(std::string_view text, CRect& rect, unsigned format)
{
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    std::optional<int> width;
    if (!singleLine && (format & DT_WORDBREAK) != 0)
        width = rect.Width();
    const std::vector<std::string_view> lines = TextLines(*this, text, singleLine, width);
    std::vector<CSize> extents;
    int widest = 0;
    int height = 0;
    for (std::string_view line : lines) {
        extents.push_back(GetTextExtent(line));
        widest = std::max(widest, extents.back().cx);
        height += extents.back().cy;
    }
    if ((format & DT_CALCRECT) != 0) {
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }
    int y = rect.top;
    if (singleLine && (format & DT_VCENTER) != 0)
        y = rect.top + (rect.Height() - height) / 2;
    else if (singleLine && (format & DT_BOTTOM) != 0)
        y = rect.bottom - height;
    const SavedClip saved = SaveClip();
    if ((format & DT_NOCLIP) == 0)
        IntersectClipRect(rect);
    for (size_t i = 0; i < lines.size(); ++i) {
        int x = rect.left;
        if ((format & DT_CENTER) != 0)
            x = rect.left + (rect.Width() - extents[i].cx) / 2;
        else if ((format & DT_RIGHT) != 0)
            x = rect.right - extents[i].cx;
        TextOut(x, y, lines[i]);
        y += extents[i].cy;
    }
    RestoreClip(saved);
    return height;
}

void CDC::DrawFocusRect(const CRect& rect)
{
    if (image_ == nullptr)
        return;
    const CRect r = Normalized(rect.left, rect.top, rect.right, rect.bottom);
    if (r.IsRectEmpty())
        return;
    const CRect clip = DeviceClip();
    auto invert = [&](int x, int y) {
        const int dx = x - origin_.x;
        const int dy = y - origin_.y;
        if (((x + y) & 1) != 0 || dx < clip.left || dx >= clip.right || dy < clip.top ||
            dy >= clip.bottom)
            return;
        auto* pixel = reinterpret_cast<uint32_t*>(image_->scanLine(dy)) + dx;
        *pixel ^= 0x00FFFFFFu;
    };
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 > r.top)
            invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 > r.left)
            invert(r.right - 1, y);
    }
}

// ---- pixels and block transfers ---------------------------------------------

COLORREF CDC::GetPixel(int x, int y) const
{
    if (image_ == nullptr)
        return 0xFFFFFFFFu;
    int dx = x - origin_.x;
    int dy = y - origin_.y;
    if (dx < 0 || dy < 0 || dx >= image_->width() || dy >= image_->height())
        return 0xFFFFFFFFu;
    return FromQRgb(reinterpret_cast<const uint32_t*>(image_->constScanLine(dy))[dx]);
}

void CDC::SetPixel(int x, int y, COLORREF colour)
{
    if (image_ == nullptr)
        return;
    PlotPixel(x - origin_.x, y - origin_.y, ToQRgb(colour), DeviceClip());
}

bool CDC::BitBlt(
    int x, int y, int width, int height, const CDC* source, int xs, int ys, RasterOp rop)
{
    if (image_ == nullptr || image_->isNull())
        return false;
    if (rop != SRCCOPY && rop != SRCPAINT && rop != SRCAND && rop != DSTINVERT)
        return false;
    if (width <= 0 || height <= 0)
        return true;

    CRect dest(x - origin_.x, y - origin_.y, x - origin_.x + width, y - origin_.y + height);
    if (rop == DSTINVERT) {
        CRect r = CRect::Intersect(dest, DeviceClip());
        for (int row = r.top; row < r.bottom; ++row) {
            auto* line = reinterpret_cast<uint32_t*>(image_->scanLine(row));
            for (int col = r.left; col < r.right; ++col)
                line[col] = ~line[col] | 0xFF000000u;
        }
        return true;
    }

    if (source == nullptr || source->image_ == nullptr || source->image_->isNull())
        return false;
    // Where the source rectangle lies on the source's image.
    const int sx = xs - source->origin_.x;
    const int sy = ys - source->origin_.y;
    const QImage& srcImage = *source->image_;
    CRect srcBounds(0, 0, srcImage.width(), srcImage.height());
    // Shift the source bounds into destination device coordinates and clip.
    srcBounds.OffsetRect(dest.left - sx, dest.top - sy);
    CRect r = CRect::Intersect(CRect::Intersect(dest, DeviceClip()), srcBounds);
    if (r.IsRectEmpty())
        return true;

    const int offX = sx - dest.left;
    const int offY = sy - dest.top;
    QImage copy;
    const QImage* from = &srcImage;
    if (source->image_ == image_) {
        copy = srcImage.copy();
        from = &copy;
    }
    for (int row = r.top; row < r.bottom; ++row) {
        auto* dst = reinterpret_cast<uint32_t*>(image_->scanLine(row));
        const auto* src = reinterpret_cast<const uint32_t*>(from->constScanLine(row + offY)) + offX;
        switch (rop) {
        case SRCCOPY:
            std::memcpy(dst + r.left, src + r.left, sizeof(uint32_t) * r.Width());
            break;
        case SRCPAINT:
            for (int col = r.left; col < r.right; ++col)
                dst[col] |= src[col];
            break;
        case SRCAND:
            for (int col = r.left; col < r.right; ++col)
                dst[col] &= src[col];
            break;
        default:
            break;
        }
    }
    return true;
}
