#pragma once

#include "CodeText.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <array>
#include <string>
#include <unordered_map>

class QPushButton;

// The text window of the code window: a read-only, syntax-coloured viewer
// with a caret, highlighted lines and a small "E" button in its top-right
// corner that hands the file to an external editor.
//
// It scrolls by lines vertically and by pixels horizontally. Keywords are
// blue, comments dark green, strings and character literals red; the
// highlighted lines have a light blue background.
class CCodeWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CCodeWnd(QWidget* parent = nullptr);

    // A new text: scroll, caret and highlight start over.
    void SetText(std::string_view text);
    // The face and size in points; the text is measured again.
    void SetFont(const std::string& face, int points);
    // The file the editor is given.
    void SetFileName(const std::string& path) { fileName_ = path; }
    void SetEditor(const std::string& program) { editor_ = program; }
    void ShowEditButton(bool show);
    // The texts shown when the editor cannot be started: it finds no
    // memory, is no program, is not found, its folder is not found.
    void SetMessages(const std::array<std::string, 4>& messages) { messages_ = messages; }

    // Lines from 0; -1 for none.
    void SetHighlight(int first, int last);
    int HighlightFirst() const { return highlightFirst_; }
    int HighlightLast() const { return highlightLast_; }
    // Makes the line the first shown, within the scroll range.
    void ScrollToLine(int index);
    int FirstLine() const;
    int LineCount() const { return text_.LineCount(); }
    // Whole lines the window shows.
    int VisibleLines() const;
    int HorizontalPosition() const;
    CodeText& Text() { return text_; }
    QPushButton* EditButton() const { return edit_; }

    // The "E" button: starts the editor on the file, without a shell.
    void OnEditButton();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    static std::array<int, 128> MakeUnknownWidths()
    {
        std::array<int, 128> widths;
        widths.fill(-1);
        return widths;
    }
    int CharWidth(char32_t ch);
    CodeText::CharWidth Widths();
    int CaretX();
    void Measure();
    void UpdateScrollBars();
    void PlaceEditButton();
    int LastFirstLine() const;
    int LineEndColumn(int line) const;
    void SetFirstLine(int line);
    void FollowCaret();

    CodeText text_;
    QFont font_;
    std::unordered_map<char32_t, int> widths_;
    std::array<int, 128> asciiWidths_ = MakeUnknownWidths(); // -1: not measured yet
    int lineHeight_ = 1;
    int blankWidth_ = 1;
    int widestChar_ = 1;
    int widestLine_ = 10;
    int highlightFirst_ = -1;
    int highlightLast_ = -1;
    int caretLine_ = 0;
    int caretColumn_ = 0;
    QPushButton* edit_ = nullptr;
    bool editShown_ = true;
    std::string fileName_;
    std::string editor_;
    std::array<std::string, 4> messages_;
};
