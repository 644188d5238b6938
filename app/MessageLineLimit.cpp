#include "MessageLineLimit.h"

std::string HiddenBytesNote(std::size_t hidden)
{
    return " ... (" + std::to_string(hidden) + " more bytes not shown)";
}

std::string ShortenedLine(std::string_view line)
{
    if (line.size() <= kMaxShownLineBytes)
        return std::string(line);
    const std::size_t shown = WholeCharacterPrefix(line, kMaxShownLineBytes);
    return std::string(line.substr(0, shown)) + HiddenBytesNote(line.size() - shown);
}
