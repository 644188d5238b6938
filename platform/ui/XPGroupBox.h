#pragma once

#include "Font.h"
#include "GdiTypes.h"

#include <QGroupBox>
#include <QImage>
#include <string>

class CDC;

// A group box that draws its own frame: a rounded frame with the title in a
// small gradient box on the frame line (header style 0), or a gradient band
// across the top with the title in it (any other header style). Children are
// laid out inside it as in any group box.
class CXPGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit CXPGroupBox(const QString& title = {}, QWidget* parent = nullptr);
    // A group box whose frame is filled white, as the project dialogs use.
    static CXPGroupBox* MakeWhite(const QString& title);

    void SetBorderColor(COLORREF colour);
    void SetTitleColor(COLORREF colour);
    void SetBackgroundColors(COLORREF title, COLORREF frame);
    void SetFillColor(COLORREF colour);
    // The frame's background only.
    void SetBackgroundColor(COLORREF frame);
    void SetHeaderStyle(int style);
    void SetText(const std::string& text);
    void SetFontBold(bool bold);
    void SetFontName(const std::string& face, int charSet = 0);
    void SetFontUnderline(bool underline);
    void SetFontItalic(bool italic);
    void SetFontSize(int points);
    void SetFont(const LogFont& font);
    // 0 left, 1 centre, 2 right; any other value is 0.
    void SetAlignment(int alignment);

    COLORREF BorderColor() const { return border_; }
    COLORREF TitleBackground() const { return titleBackground_; }
    COLORREF FrameBackground() const { return frameBackground_; }
    int HeaderStyle() const { return headerStyle_; }
    const std::string& Title() const { return title_; }

    // The box as it paints itself.
    QImage Render();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Draw(CDC& dc);
    void RebuildFont();
    void Redraw();

    std::string title_;
    COLORREF border_;
    COLORREF titleBackground_;
    COLORREF frameBackground_;
    COLORREF titleText_;
    int headerStyle_ = 0;
    int alignment_ = 0;
    LogFont description_;
    CFont font_;
};

// Fills a rectangle with the title gradient starting from `colour`: 30 shades,
// shade k having each channel raised by 2(k + 1) (at most 255), column x
// drawn in shade 30x / width. A context of 16 bits per pixel or fewer gets a
// plain rectangle in the selected pen filled with the colour.
void FillTitleGradient(CDC& dc, const CRect& rect, COLORREF colour);
