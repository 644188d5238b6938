#include "ShownText.h"

#include "CharacterPrefix.h"

std::string_view ShownLine(std::string_view line, std::string& room)
{
    if (line.size() <= kLongestShownLine)
        return line;
    room.assign(line.substr(0, WholeCharacterPrefix(line, kLongestShownLine)));
    room += kCutMark;
    return room;
}

std::string ShownLine(std::string_view line)
{
    std::string room;
    if (line.size() <= kLongestShownLine)
        room.assign(line);
    else
        ShownLine(line, room);
    return room;
}

std::string ShownLine(std::string_view lead, std::string_view text)
{
    std::string line(lead);
    line += text.substr(0, kLongestShownLine + 1);
    return ShownLine(line);
}
