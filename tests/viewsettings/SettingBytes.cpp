#include "SettingBytes.h"

#include "TestFiles.h"
#include "XmlColorFiles.h"

#include <cstdio>
#include <regex>

std::string Bytes(const CFlowSetting& setting)
{
    TempFolder folder;
    SaveFlowColorFile(folder.File("f"), setting);
    return ReadFileBytes(folder.File("f"));
}

std::string Bytes(const CNSDSetting& setting)
{
    TempFolder folder;
    SaveNSDColorFile(folder.File("f"), setting);
    return ReadFileBytes(folder.File("f"));
}

std::string Bytes(const CSequenceSetting& setting)
{
    TempFolder folder;
    SaveSequenceColorFile(folder.File("f"), setting);
    return ReadFileBytes(folder.File("f"));
}

std::string Bytes(const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    TempFolder folder;
    SaveMacroColorFile(folder.File("f"), fonts, styles);
    return ReadFileBytes(folder.File("f"));
}

std::string Golden(const std::string& name)
{
    return ReadFileBytes(std::string(KESTRIN_TEST_DATA) + "/viewsettings/" + name);
}

std::string ChangeEveryValue(const std::string& xmlText)
{
    static const std::regex value("(\\w+)=\"([^\"]*)\"");
    static const std::regex hexColour("[0-9a-f]{6}");
    std::string out;
    int counter = 0;
    auto last = xmlText.cbegin();
    for (std::sregex_iterator it(xmlText.begin(), xmlText.end(), value), end; it != end; ++it) {
        const std::string name = (*it)[1];
        const std::string old = (*it)[2];
        std::string changed = old;
        ++counter;
        if (name == "ShowText" || name == "ShowTitle" || name == "Bold") {
            changed = old == "1" ? "0" : "1";
        } else if (name == "Name") {
            changed = "Face " + std::to_string(counter);
        } else if (std::regex_match(old, hexColour)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%06x", (0x2A1F0B * counter + 0x10305) & 0xFFFFFF);
            changed = hex;
        } else if (name != "Version" && name != "version") {
            changed = std::to_string(100 + counter);
        }
        out.append(last, (*it)[2].first);
        out += changed;
        last = (*it)[2].second;
    }
    out.append(last, xmlText.cend());
    return out;
}

std::string WithoutCarriageReturns(std::string text)
{
    std::erase(text, '\r');
    return text;
}
