#include "XmlDocument.h"

#include "SettingBytes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

// Feeds the reader a few hundred thousand mutated colour files. Every input
// must either parse or fail with one of the reader's own error texts; an
// input that parses must come out of the writer and back unchanged.

namespace {

constexpr int kFuzzInputs = 300000;

// The shipped colour files and a few shapes they do not use.
std::vector<std::string> Seeds()
{
    std::vector<std::string> seeds;
    for (const char* name : {"defaultFlow", "default.mcx"})
        seeds.push_back(Golden(name));
    seeds.push_back("<?xml version=\"1.0\"?>\n<A=\"1\" B=\"2\"/>\n");
    seeds.push_back("<?xml version=\"1.0\"?><R><C><D><E K=\"\" L/></E></D></C><C></C></R>");
    return seeds;
}

class Mutator {
public:
    explicit Mutator(unsigned seed) : random_(seed) { }

    std::string Mutate(std::string text, const std::vector<std::string>& seeds)
    {
        int steps = 1 + Below(4);
        for (int i = 0; i < steps; ++i)
            MutateOnce(text, seeds);
        return text;
    }

private:
    size_t Below(size_t n)
    {
        return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(random_);
    }

    char Interesting()
    {
        static const char chars[] = {'<', '>', '/', '=', '"', ' ', '\n', '\r', '\t', '?', 'A', '_',
            '0', '\\', '\0', '\x80', '\xff'};
        return chars[Below(sizeof chars)];
    }

    void MutateOnce(std::string& text, const std::vector<std::string>& seeds)
    {
        size_t at = Below(text.size() + 1);
        switch (Below(8)) {
        case 0: // flip one bit
            if (!text.empty())
                text[Below(text.size())] ^= static_cast<char>(1 << Below(8));
            break;
        case 1: // overwrite with a character that matters to the reader
            if (!text.empty())
                text[Below(text.size())] = Interesting();
            break;
        case 2:
            text.insert(at, 1, Interesting());
            break;
        case 3: // delete a range
            text.erase(at, 1 + Below(16));
            break;
        case 4: // cut off
            text.resize(at);
            break;
        case 5: { // repeat a range (deepens nesting, lengthens values)
            size_t length = Below(text.size() - std::min(at, text.size()) + 1);
            std::string piece = text.substr(std::min(at, text.size()), length);
            size_t copies = 1 + Below(4);
            for (size_t c = 0; c < copies && text.size() < 65536; ++c)
                text.insert(Below(text.size() + 1), piece);
            break;
        }
        case 6: { // splice in a piece of another seed
            const std::string& other = seeds[Below(seeds.size())];
            size_t from = Below(other.size());
            text.insert(at, other.substr(from, 1 + Below(40)));
            break;
        }
        default: // random bytes
            for (size_t n = 1 + Below(8); n > 0; --n)
                text.insert(Below(text.size() + 1), 1, static_cast<char>(Below(256)));
            break;
        }
    }

    std::mt19937 random_;
};

} // namespace

TEST(XmlFuzz, MutatedFilesParseOrFailCleanly)
{
    std::vector<std::string> seeds = Seeds();
    Mutator mutator(20240611u);
    int parsed = 0;
    int refused = 0;
    for (int i = 0; i < kFuzzInputs; ++i) {
        std::string input = mutator.Mutate(seeds[static_cast<size_t>(i) % seeds.size()], seeds);
        CXmlDocument document;
        try {
            document.Parse(input);
        } catch (const XmlFileError& error) {
            ASSERT_EQ(std::string(error.what()).rfind("file ", 0), 0u) << error.what();
            ++refused;
            continue;
        }
        ++parsed;
        std::string written = document.Format();
        CXmlDocument again;
        ASSERT_NO_THROW(again.Parse(written)) << written;
        ASSERT_EQ(again.Format(), written);
    }
    // The mutations must leave enough inputs whole to reach the deep parts.
    EXPECT_GT(parsed, kFuzzInputs / 50);
    EXPECT_GT(refused, kFuzzInputs / 2);
    std::printf("fuzzed %d inputs: %d parsed, %d refused\n", kFuzzInputs, parsed, refused);
}
