#pragma once

#include "GdiTypes.h"

#include <QPlainTextEdit>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The message pane: a read-only log at the bottom of the main window. Every
// text goes to the end, whatever the user selected, and the pane scrolls to
// it. A completed line that begins with the language's error, information or
// warning prefix (texts 3, 1, 2, tested in that order) is coloured; a prefix
// whose text is missing from the language table matches nothing. Lines never
// wrap; a line longer than kMaxShownLineBytes shows its first part and a note
// of how many bytes were left out.
class CInfoView : public QPlainTextEdit {
    Q_OBJECT
public:
    // `drawRunning` tells whether a Draw runs; clicks are ignored meanwhile.
    explicit CInfoView(QWidget* parent = nullptr, std::function<bool()> drawRunning = {});

    // Appends text with "\n" or "\r\n" line ends; a text without a final
    // line end leaves its line open for the next call to complete.
    void AppendMessage(std::string_view text);
    // Appends a line whose first part is `shown` and whose `leftOut` bytes
    // after it are not given, and its line end: as AppendMessage shows the
    // whole line.
    void AppendLongLine(std::string_view shown, size_t leftOut);
    void Clear();

    // The colour of a completed line by its prefix; none for a plain line.
    static std::optional<COLORREF> LineColour(std::string_view line);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::function<bool()> drawRunning_;
    // The shown text of the last line while it has no line end yet, and the
    // bytes of that line so far (shown or not).
    std::string openLine_;
    size_t openLineBytes_ = 0;
};
