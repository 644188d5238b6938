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
