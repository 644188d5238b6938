#pragma once

#include "GdiTypes.h"

#include <optional>
#include <string>
#include <string_view>

class QRect;
class QSettings;
class QWidget;

// Show commands and flags of a stored window placement.
constexpr unsigned SW_HIDE = 0;
constexpr unsigned SW_SHOWNORMAL = 1;
constexpr unsigned SW_SHOWMINIMIZED = 2;
constexpr unsigned SW_SHOWMAXIMIZED = 3;
constexpr unsigned SW_SHOW = 5;
constexpr unsigned SW_MINIMIZE = 6;
constexpr unsigned SW_SHOWMINNOACTIVE = 7;
constexpr unsigned WPF_RESTORETOMAXIMIZED = 2;

// Where a window is and how it is shown: flags, show command, the positions
// it takes minimised and maximised, and its normal rectangle (right and
// bottom edge excluded), in screen pixels of its client area.
struct WindowPlacement {
    unsigned flags = 0;
    unsigned showCmd = SW_SHOWNORMAL;
    CPoint minPosition {-1, -1};
    CPoint maxPosition {-1, -1};
    CRect normal;
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// The ten fields as "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d".
std::string FormatPlacement(const WindowPlacement& placement);
// Reads that text; empty unless all ten numbers are there (text after the
// tenth is ignored, as are blanks before a number). A negative number in an
// unsigned field or a number beyond 32 bits makes the text invalid.
std::optional<WindowPlacement> ParsePlacement(std::string_view text);

WindowPlacement GetWindowPlacement(const QWidget& window);
// The normal rectangle, moved onto a screen when it lies outside every one
// and given the window's current size when it has none.
QRect PlacementRect(const QWidget& window, const WindowPlacement& placement);
// Moves the window to the normal rectangle and shows it by the show command:
// hidden, maximised, or normal. A window stored minimised comes back normal
// (maximised with WPF_RESTORETOMAXIMIZED): a program does not start as an icon.
void SetWindowPlacement(QWidget& window, const WindowPlacement& placement);

// The section of the settings file that holds the placements ("WindowPos",
// "CodeWindowPos").
inline constexpr const char* kPlacementSection = "KestrinSettings";
std::optional<WindowPlacement> ReadPlacement(QSettings& settings, const std::string& name);
void WritePlacement(QSettings& settings, const std::string& name, const WindowPlacement& placement);
