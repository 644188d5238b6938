#pragma once

#include <string_view>
#include <vector>

// The line of `text` that starts at `pos`, without its LF or CR LF; `pos`
// moves past the line end. A last line without a line end counts.
inline std::string_view NextLine(std::string_view text, size_t& pos)
{
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos)
        end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    pos = end < text.size() ? end + 1 : end;
    return line;
}

// The lines of a text, each without its LF or CR LF; a last line without a
// line end counts, an empty text has none. The views point into `text`.
inline std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (size_t pos = 0; pos < text.size();)
        lines.push_back(NextLine(text, pos));
    return lines;
}
