#include "SettingBytes.h"

#include "MacroViewDefaults.h"
#include "TestFiles.h"
#include "XmlColorFiles.h"

#include <cstdio>
#include <regex>

namespace {

// What the saving function writes for the record.
template <typename... Record>
std::string Saved(bool (*save)(const std::string&, const Record&...), const Record&... record)
{
    TempFolder folder;
    save(folder.File("f"), record...);
    return ReadFileBytes(folder.File("f"));
}

} // namespace

MacroPair::MacroPair()
{
    SetMacroViewDefaults(fonts, styles);
}

std::string Bytes(const CFlowSetting& setting)
{
    return Saved(SaveFlowColorFile, setting);
}
std::string Bytes(const CNSDSetting& setting)
{
    return Saved(SaveNSDColorFile, setting);
}
std::string Bytes(const CSequenceSetting& setting)
{
    return Saved(SaveSequenceColorFile, setting);
}
std::string Bytes(const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    return Saved(SaveMacroColorFile, fonts, styles);
}
std::string Bytes(const MacroPair& pair)
{
    return Bytes(pair.fonts, pair.styles);
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
        } else if (name == "Size" || name == "UnitSpace") {
            // Within the ranges the macro view's setting keeps (6 to 32).
            int size = 6 + counter % 27;
            if (std::to_string(size) == old)
                size = 6 + (counter + 1) % 27;
            changed = std::to_string(size);
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
