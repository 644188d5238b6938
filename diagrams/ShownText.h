#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest line, in bytes, that a diagram shows in a box that grows to
// hold its text (a Nassi-Shneiderman block, a macro view box, a detail box,
// the names and calls of the sequence diagrams, the flow chart's explanation
// box). A longer line shows its first kLongestShownLine bytes, cut between
// characters, and "..". Such a line is some ten screens wide already:
// measuring and drawing the rest (a string of megabytes) would only keep the
// window busy and help no reader.
inline constexpr std::size_t kLongestShownLine = 4096;

// What ends a line that is cut.
inline constexpr std::string_view kCutMark = "..";

// The line as such a box shows it: the line itself, or its first part and
// "..", made in `room`.
std::string_view ShownLine(std::string_view line, std::string& room);
// The same in a text of its own.
std::string ShownLine(std::string_view line);
// The line `lead` + `text` as such a box shows it; of a long text only the
// part that shows is copied.
std::string ShownLine(std::string_view lead, std::string_view text);
