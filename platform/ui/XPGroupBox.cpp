#include "XPGroupBox.h"

#include "Brush.h"
#include "DeviceContext.h"
#include "GuiSession.h"
#include "Pen.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>

namespace {

COLORREF FromQColor(const QColor& colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

int Raised(int channel, int k)
{
    return std::min(255, channel + 2 * (k + 1));
}

} // namespace

void FillTitleGradient(CDC& dc, const CRect& rect, COLORREF colour)
{
    if (dc.GetBitsPerPixel() <= 16) {
        CBrush brush(colour);
        CBrush* old = dc.SelectObject(&brush);
        dc.Rectangle(rect.left, rect.top, rect.right, rect.bottom);
        dc.SelectObject(old);
        return;
    }
    constexpr int kShades = 30;
    const int width = rect.Width();
    if (width <= 0 || rect.Height() <= 0)
        return;
    std::array<CPen, kShades> pens;
    for (int k = 0; k < kShades; ++k) {
        pens[k].CreatePen(PS_SOLID, 1,
            RGB(Raised(GetRValue(colour), k), Raised(GetGValue(colour), k),
                Raised(GetBValue(colour), k)));
    }
    CPen* old = dc.GetCurrentPen();
    for (int x = 0; x < width; ++x) {
        dc.SelectObject(&pens[kShades * x / width]);
        dc.MoveTo(rect.left + x, rect.top);
        dc.LineTo(rect.left + x, rect.bottom);
    }
    dc.SelectObject(old);
}

CXPGroupBox::CXPGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent)
{
    const QPalette& colours = palette();
    border_ = FromQColor(colours.color(QPalette::Dark));
    titleBackground_ = FromQColor(colours.color(QPalette::Button));
    frameBackground_ = titleBackground_;
    titleText_ = FromQColor(colours.color(QPalette::Highlight));
    // The box's own font until a setter says otherwise.
    const QFont own = font();
    description_.faceName = own.family().toStdString();
    description_.height = own.pixelSize() > 0
        ? -own.pixelSize()
        : -std::max(1, qRound(own.pointSizeF() * kScreenDpi / 72.0));
    description_.weight = own.weight() >= QFont::Bold ? 700 : 400;
    RebuildFont();
}

void CXPGroupBox::SetBorderColor(COLORREF colour)
{
    border_ = colour;
    Redraw();
}

void CXPGroupBox::SetTitleColor(COLORREF colour)
{
    titleText_ = colour;
    Redraw();
}

void CXPGroupBox::SetBackgroundColors(COLORREF title, COLORREF frame)
{
    titleBackground_ = title;
    frameBackground_ = frame;
    Redraw();
}

void CXPGroupBox::SetFillColor(COLORREF colour)
{
    SetBackgroundColors(colour, colour);
}

CXPGroupBox* CXPGroupBox::MakeWhite(const QString& title)
{
    auto* box = new CXPGroupBox(title);
    box->SetBackgroundColor(RGB(255, 255, 255));
    return box;
}

void CXPGroupBox::SetBackgroundColor(COLORREF frame)
{
    frameBackground_ = frame;
    Redraw();
}

void CXPGroupBox::SetHeaderStyle(int style)
{
    headerStyle_ = style;
    Redraw();
}

void CXPGroupBox::SetText(const std::string& text)
{
    title_ = " " + text + " ";
    setTitle(ToQString(text));
    Redraw();
}

void CXPGroupBox::SetFontBold(bool bold)
{
    description_.weight = bold ? 700 : 400;
    RebuildFont();
}

void CXPGroupBox::SetFontName(const std::string& face, int charSet)
{
    description_.faceName = face;
    description_.charSet = static_cast<uint8_t>(charSet);
    RebuildFont();
}

void CXPGroupBox::SetFontUnderline(bool underline)
{
    description_.underline = underline ? 1 : 0;
    RebuildFont();
}

void CXPGroupBox::SetFontItalic(bool italic)
{
    description_.italic = italic ? 1 : 0;
    RebuildFont();
}

void CXPGroupBox::SetFontSize(int points)
{
    description_.height = -std::max(1, points * kScreenDpi / 72);
    RebuildFont();
}

void CXPGroupBox::SetFont(const LogFont& font)
{
    description_ = font;
    RebuildFont();
}

void CXPGroupBox::SetAlignment(int alignment)
{
    alignment_ = (alignment == 1 || alignment == 2) ? alignment : 0;
    Redraw();
}

void CXPGroupBox::RebuildFont()
{
    font_.DeleteObject();
    font_.CreateFontIndirect(description_);
    Redraw();
}

void CXPGroupBox::Redraw()
{
    update();
    if (parentWidget() != nullptr)
        parentWidget()->update(geometry());
}

QImage CXPGroupBox::Render()
{
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    CDC dc;
    dc.AttachImage(&image);
    Draw(dc);
    return image;
}

void CXPGroupBox::paintEvent(QPaintEvent* event)
{
    const QImage image = Render();
    QPainter painter(this);
    painter.drawImage(event->rect(), image, event->rect());
}

void CXPGroupBox::Draw(CDC& dc)
{
    CRect rect(1, 1, width() - 1, height() - 1);
    CFont* oldFont = dc.SelectObject(&font_);
    if (title_.empty() && !title().isEmpty())
        title_ = " " + title().toStdString() + " ";
    const CSize extent = title_.empty() ? CSize() : dc.GetTextExtent(title_);

    CPen borderPen(PS_SOLID, 1, border_);
    CBrush frameBrush(frameBackground_);
    CPen* oldPen = dc.SelectObject(&borderPen);
    CBrush* oldBrush = dc.SelectObject(&frameBrush);
    CRect titleRect;
    if (headerStyle_ == 0) {
        int left = rect.left + 10;
        if (alignment_ == 1)
            left = rect.left + (rect.Width() - extent.cx) / 2;
        else if (alignment_ == 2)
            left = rect.right - 10 - extent.cx;
        titleRect = CRect(left, rect.top, left + extent.cx, rect.top + extent.cy + 3);
        dc.RoundRect(rect.left, rect.top + extent.cy / 2, rect.right, rect.bottom, 10, 10);
        if (!title_.empty()) {
            titleRect =
                CRect(titleRect.left - 2, titleRect.top, titleRect.right + 2, titleRect.bottom);
            dc.IntersectClipRect(titleRect);
            FillTitleGradient(dc,
                CRect(titleRect.left + 1, titleRect.top + 1, titleRect.right - 1,
                    titleRect.bottom - 1),
                titleBackground_);
            dc.SelectObject(&borderPen);
            dc.SelectObject(CBrush::HollowBrush());
            dc.RoundRect(titleRect.left, titleRect.top, titleRect.right, titleRect.bottom, 5, 5);
        }
    } else {
        const CRect band(rect.left, rect.top, rect.right, rect.top + extent.cy + 2);
        FillTitleGradient(dc, band, titleBackground_);
        dc.SelectObject(&borderPen);
        dc.SelectObject(&frameBrush);
        dc.Rectangle(rect.left, band.bottom, rect.right, rect.bottom);
        int left = rect.left + 1;
        if (alignment_ == 1)
            left = rect.left + (rect.Width() - extent.cx) / 2;
        else if (alignment_ == 2)
            left = rect.right - 2 - extent.cx;
        titleRect = CRect(left, band.top, left + extent.cx, band.bottom);
    }
    if (!title_.empty()) {
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(titleText_);
        dc.TextOut(titleRect.left + (titleRect.Width() - extent.cx) / 2,
            titleRect.top + (titleRect.Height() - extent.cy) / 2, title_);
    }
    dc.ResetClip();
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldFont);
}
