#include "FontSizeLimits.h"
#include "SettingBytes.h"
#include "TestFiles.h"
#include "TextColorFile.h"
#include "XmlColorFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <vector>

// Colour files damaged by hand or by a disk: every number replaced by what a
// file may say. Whatever reader takes them, the fonts they give must keep
// sizes that the dialogs list and the diagrams can compute with.

namespace {

const std::vector<std::string> kDamagedNumbers = {"-2147483648", "2147483647", "-2147483649",
    "99999999999999999999", "-1", "0", "5", "33", "", "-", "+7", " 12", "0x7fffffff", "1e9"};

class Damager {
public:
    explicit Damager(unsigned seed) : random_(seed) { }

    // Each quoted value that reads as a number (colours included) is
    // replaced, half of the time, by a damaged number.
    std::string DamageXml(const std::string& text)
    {
        static const std::regex value("\"[-0-9a-f]+\"");
        return Replace(text, value, [this] { return "\"" + Pick() + "\""; });
    }

    // Each number of a text colour file's lines likewise.
    std::string DamageText(const std::string& text)
    {
        static const std::regex number("-?[0-9]+");
        return Replace(text, number, [this] { return Pick(); });
    }

private:
    template <typename Make>
    std::string Replace(const std::string& text, const std::regex& pattern, Make make)
    {
        std::string out;
        auto last = text.cbegin();
        for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
            out.append(last, (*it)[0].first);
            out += Below(2) == 0 ? make() : it->str();
            last = (*it)[0].second;
        }
        out.append(last, text.cend());
        return out;
    }

    const std::string& Pick() { return kDamagedNumbers[Below(kDamagedNumbers.size())]; }

    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }

    std::mt19937 random_;
};

// The font sizes a record writes that lie outside the listed sizes.
std::vector<std::string> SizesOutOfRange(const std::string& written)
{
    static const std::regex size(" Size=\"([^\"]*)\"");
    std::vector<std::string> bad;
    for (std::sregex_iterator it(written.begin(), written.end(), size), end; it != end; ++it) {
        const std::string text = (*it)[1].str();
        const long long value = std::stoll(text);
        if (value < kFontSizeMin || value > kFontSizeMax)
            bad.push_back(text);
    }
    return bad;
}

// Reads the file with every reader (each reads any view's file) and returns
// the sizes out of range in what the records then write.
std::vector<std::string> ReadWithEveryReader(const std::string& path)
{
    std::vector<std::string> bad;
    auto add = [&bad](const std::string& written) {
        for (const std::string& size : SizesOutOfRange(written))
            bad.push_back(size);
    };
    CFlowSetting flow;
    LoadFlowColorFile(path, flow);
    add(Bytes(flow));
    CNSDSetting nsd;
    LoadNSDColorFile(path, nsd);
    add(Bytes(nsd));
    CSequenceSetting sequence;
    LoadSequenceColorFile(path, sequence);
    add(Bytes(sequence));
    MacroPair xml;
    LoadMacroColorFile(path, xml.fonts, xml.styles);
    add(Bytes(xml));
    MacroPair text;
    LoadColorInfoFile(path, text.fonts, text.styles);
    add(Bytes(text));
    return bad;
}

TEST(DamagedColorFiles, FontSizesReadFromAnyFileStayWithinTheListedSizes)
{
    RecordingPrompt prompt; // a reader may find a damaged file unreadable
    TempFolder folder;
    const std::string path = folder.File("damaged");
    Damager damager(20261208);
    for (const char* golden :
        {"defaultFlow", "defaultNSD", "defaultSequence", "default.mcx", "default"}) {
        const bool xml = std::string(golden) != "default";
        for (int variant = 0; variant < 40; ++variant) {
            const std::string text =
                xml ? damager.DamageXml(Golden(golden)) : damager.DamageText(Golden(golden));
            WriteFileBytes(path, text);
            EXPECT_EQ(ReadWithEveryReader(path), std::vector<std::string> {})
                << golden << " variant " << variant << ":\n"
                << text;
        }
    }
}

} // namespace
