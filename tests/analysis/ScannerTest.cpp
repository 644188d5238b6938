#include "ScanHelpers.h"
#include "ScannerLexer.h"
#include "TokenType.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

using Types = std::vector<int>;
using Texts = std::vector<std::string>;
using Lines = std::vector<int>;

TEST(Scanner, StringsKeepEscapesAndDropTheWidePrefix)
{
    auto t = ScanText("\"a\\nb\" L\"wide\" \"\"");
    ASSERT_EQ(TypesOf(t), (Types {STRINGS, STRINGS, STRINGS}));
    EXPECT_EQ(TextsOf(t), (Texts {"a\\nb", "wide", ""}));
    // So do the other encoding prefixes, of strings and of characters; a
    // prefix before no string is a name.
    auto u = ScanText("u8\"a\" u\"b\" U\"c\" u8'd' u'e' U'f' u8\"c:\\dir\" u8");
    ASSERT_EQ(TypesOf(u),
        (Types {STRINGS, STRINGS, STRINGS, CHARS, CHARS, CHARS, IDENTIFIER, H_CHAR, IDENTIFIER}));
    EXPECT_EQ(TextsOf(u), (Texts {"a", "b", "c", "d", "e", "f", "u8", "c:\\dir", "u8"}));
}

TEST(Scanner, QuotedTextWithBadEscapeIsHeaderName)
{
    auto t = ScanText("#include \"..\\src\\x.h\"\n\"a\\qb\" L\"c:\\dir\"");
    ASSERT_EQ(
        TypesOf(t), (Types {SHARP, WORD_INCLUDE, H_CHAR, ENDLINE, H_CHAR, IDENTIFIER, H_CHAR}));
    EXPECT_EQ(TextsOf(t),
        (Texts {"<none>", "<none>", "..\\src\\x.h", "<none>", "a\\qb", "L", "c:\\dir"}));
    // A universal character name is an escape: Qt's QString("\u25cf") was a
    // header name in a constructor's initializer, which then failed with
    // its body, and '\u25cf' four unknown tokens. A path is still none.
    auto names = ScanText("\"\\u25cf\" '\\u00e9' \"\\U0001F600x\" \"c:\\users\" \"\\u12\"");
    ASSERT_EQ(TypesOf(names), (Types {STRINGS, CHARS, STRINGS, H_CHAR, H_CHAR}));
    EXPECT_EQ(TextsOf(names), (Texts {"\\u25cf", "\\u00e9", "\\U0001F600x", "c:\\users", "\\u12"}));
}

TEST(Scanner, CharacterLiterals)
{
    auto t = ScanText("'ab' L'x' '\\n' '\\0'");
    ASSERT_EQ(TypesOf(t), (Types {CHARS, CHARS, CHARS, CHARS}));
    EXPECT_EQ(TextsOf(t), (Texts {"ab", "x", "\\n", "\\0"}));
    // A bad escape: both quotes are unknown characters.
    auto bad = ScanText("'\\q'");
    EXPECT_EQ(TypesOf(bad), (Types {LEXERROR, SLASH, IDENTIFIER, LEXERROR}));
    EXPECT_EQ(bad[0].text, nullptr);
    // An empty literal is two unknown quotes.
    EXPECT_EQ(TypesOf(ScanText("''")), (Types {LEXERROR, LEXERROR}));
}

TEST(Scanner, BracketedIncludeJoinsIntoOneToken)
{
    auto t = ScanText("#include<stdio.h>\n#  include  <a b.h>\ninclude<<a>>\ninclude<>");
    ASSERT_EQ(TypesOf(t),
        (Types {SHARP, Q_CHAR, ENDLINE, SHARP, Q_CHAR, ENDLINE, Q_CHAR, GT, ENDLINE, Q_CHAR}));
    EXPECT_EQ(TextOf(t[1]), "stdio.h");
    EXPECT_EQ(TextOf(t[4]), "a b.h");
    EXPECT_EQ(TextOf(t[6]), "<a");
    EXPECT_EQ(t[9].text, nullptr);
    // No closing bracket on the line, or a form feed before '<': separate tokens.
    EXPECT_EQ(TypesOf(ScanText("include <a.h\n")),
        (Types {WORD_INCLUDE, LT_, IDENTIFIER, DOT, IDENTIFIER, ENDLINE}));
    EXPECT_EQ(TypesOf(ScanText("include\f<a>")), (Types {WORD_INCLUDE, LT_, IDENTIFIER, GT}));
}

TEST(Scanner, KeywordsAreCaseSensitiveAndWholeWords)
{
    auto t = ScanText("int8 __int8 defines define Int __w64 wchar_t _forceinline");
    EXPECT_EQ(TypesOf(t),
        (Types {IDENTIFIER, WORD___INT8, IDENTIFIER, WORD_DEFINE, IDENTIFIER, WORD___W64,
            WORD_WCHAR_T, WORD__FORCEINLINE}));
    EXPECT_EQ(TextOf(t[0]), "int8");
    EXPECT_EQ(t[1].text, nullptr);
}

TEST(Scanner, EveryKeywordScansToItsOwnType)
{
    for (int type = WORD_AND; type <= WORD___W64; ++type) {
        const char* spelling = TokenTypeFixedSpelling(type);
        ASSERT_NE(spelling, nullptr);
        auto t = ScanText(spelling);
        ASSERT_EQ(t.size(), 1u) << spelling;
        EXPECT_EQ(t[0].type, type) << spelling;
    }
}

TEST(Scanner, Numbers)
{
    auto t = ScanText("0 08 123UL 0x1Fu 10i64 1.5e 1. .5 1e10f 017L 5lL");
    ASSERT_EQ(TypesOf(t),
        (Types {OCTALNUMBER, OCTALNUMBER, INTEGERNUMBER, INTEGERNUMBER, HEXNUMBER, INTEGERNUMBER,
            IDENTIFIER, FLOATNUMBER, IDENTIFIER, FLOATNUMBER, FLOATNUMBER, FLOATNUMBER, OCTALNUMBER,
            INTEGERNUMBER, IDENTIFIER}));
    EXPECT_EQ(TextsOf(t),
        (Texts {"0", "0", "8", "123UL", "0x1Fu", "10", "i64", "1.5", "e", "1.", ".5", "1e10f",
            "017L", "5l", "L"}));
    // Every order and case of the unsigned and long (and long long) suffixes
    // stays part of its number.
    const struct {
        const char* text;
        int type;
    } suffixed[] = {
        {"1ULL", INTEGERNUMBER},
        {"1ull", INTEGERNUMBER},
        {"1LLU", INTEGERNUMBER},
        {"1llu", INTEGERNUMBER},
        {"1uLL", INTEGERNUMBER},
        {"1LLu", INTEGERNUMBER},
        {"1LL", INTEGERNUMBER},
        {"1ll", INTEGERNUMBER},
        {"1lu", INTEGERNUMBER},
        {"0x10ULL", HEXNUMBER},
        {"0xffllU", HEXNUMBER},
        {"0777LL", OCTALNUMBER},
        {"0ULL", OCTALNUMBER},
        {"42Lu", INTEGERNUMBER},
    };
    for (const auto& c : suffixed) {
        auto one = ScanText(c.text);
        ASSERT_EQ(one.size(), 1u) << c.text;
        EXPECT_EQ(one[0].type, c.type) << c.text;
        EXPECT_EQ(TextOf(one[0]), c.text);
    }
    // A single quote between two digits separates them; any other stays a
    // character's quote. Binary numbers are integers.
    auto separated = ScanText("1'000'000 0xFF'FF 07'7 1'5.2'5e1'0f 0b1010'1010u 0b 2'a'");
    EXPECT_EQ(TypesOf(separated),
        (Types {INTEGERNUMBER, HEXNUMBER, OCTALNUMBER, FLOATNUMBER, INTEGERNUMBER, OCTALNUMBER,
            IDENTIFIER, INTEGERNUMBER, CHARS}));
    EXPECT_EQ(TextsOf(separated),
        (Texts {
            "1'000'000", "0xFF'FF", "07'7", "1'5.2'5e1'0f", "0b1010'1010u", "0", "b", "2", "a"}));
    auto dots = ScanText("1..2");
    ASSERT_EQ(TypesOf(dots), (Types {FLOATNUMBER, FLOATNUMBER}));
    EXPECT_EQ(TextsOf(dots), (Texts {"1.", ".2"}));
}

TEST(Scanner, PunctuatorsTakeTheLongestMatch)
{
    EXPECT_EQ(TypesOf(ScanText("###")), (Types {SHARPSHARP, SHARP}));
    EXPECT_EQ(TypesOf(ScanText("....")), (Types {ELLIPSIS, DOT}));
    EXPECT_EQ(TypesOf(ScanText("->* -> >>= <<= .* :: || |= <: %:")),
        (Types {ARROWSTAR, ARROW, RSASSIGN, LSASSIGN, DOTSTAR, CLCL, OROR, ORASSIGN, LT_, COLON,
            MOD, COLON}));
    EXPECT_EQ(TypesOf(ScanText("a\\b")), (Types {IDENTIFIER, SLASH, IDENTIFIER}));
}

TEST(Scanner, LineEndsAndLineCounter)
{
    auto t = ScanText("a   \nb\r\nc\rd\n\n");
    ASSERT_EQ(TypesOf(t),
        (Types {
            IDENTIFIER, ENDLINE, IDENTIFIER, ENDLINE, IDENTIFIER, IDENTIFIER, ENDLINE, ENDLINE}));
    // An ENDLINE already counts its own newline.
    EXPECT_EQ(LinesOf(t), (Lines {1, 2, 2, 3, 3, 3, 4, 5}));
}

TEST(Scanner, CommentsAreSkippedAndCountTheirLines)
{
    auto t = ScanText("x // note\ny /* a\nb\n*/ z /** **/ w");
    ASSERT_EQ(TypesOf(t), (Types {IDENTIFIER, ENDLINE, IDENTIFIER, IDENTIFIER, IDENTIFIER}));
    EXPECT_EQ(LinesOf(t), (Lines {1, 2, 2, 4, 4}));
    // A line comment at the very end and one before a CR LF.
    EXPECT_EQ(TypesOf(ScanText("a // end")), (Types {IDENTIFIER}));
    EXPECT_EQ(TypesOf(ScanText("a // x\r\nb")), (Types {IDENTIFIER, ENDLINE, IDENTIFIER}));
}

TEST(Scanner, UnterminatedBlockCommentGivesOneErrorToken)
{
    auto t = ScanText("a /* never closed\n\n");
    ASSERT_EQ(TypesOf(t), (Types {IDENTIFIER, LEXERROR}));
    EXPECT_EQ(t[1].line, 3);
    // A NUL byte inside a comment ends it.
    EXPECT_EQ(TypesOf(ScanText(std::string("/* a\0b */ c", 11))),
        (Types {IDENTIFIER, STAR, DIV, IDENTIFIER}));
}

TEST(Scanner, UnknownCharactersAreReportedAndScanningGoesOn)
{
    auto t = ScanText("a $ @ ` \"open\n\xC3\xA9 b");
    EXPECT_EQ(TypesOf(t),
        (Types {IDENTIFIER, LEXERROR, LEXERROR, LEXERROR, LEXERROR, IDENTIFIER, ENDLINE, LEXERROR,
            LEXERROR, IDENTIFIER}));
}

TEST(Scanner, UnknownCharactersOfABinaryFileAreShownUpToABound)
{
    // Every byte of this "file" is an unknown character.
    const std::string binary(5000, '\x01');
    testing::internal::CaptureStdout();
    auto t = ScanText(binary);
    std::fflush(stdout);
    const std::string shown = testing::internal::GetCapturedStdout();
    EXPECT_EQ(t.size(), binary.size());
    size_t lines = 0;
    for (size_t at = shown.find("Error Unkonwn Token"); at != std::string::npos;
         at = shown.find("Error Unkonwn Token", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, static_cast<size_t>(KestrinLexer::kMaxUnknownReports));
    EXPECT_NE(shown.find("the rest of this file's are not shown"), std::string::npos);
    EXPECT_LT(shown.size(), 10000u);
}

TEST(Scanner, IncludeWithoutClosingBracketOnALongLine)
{
    // The word, then '<' and the rest as ordinary tokens, however often the
    // line repeats it; the next line may hold a bracketed name again.
    std::string line;
    for (int i = 0; i < 2000; ++i) {
        line += "include<";
    }
    auto t = ScanText(line + "\ninclude <a.h> include<b \"x\\\ny\" include<c.h>");
    ASSERT_EQ(t.size(), 4000u + 7u);
    for (size_t i = 0; i < 4000; i += 2) {
        ASSERT_EQ(t[i].type, WORD_INCLUDE) << i;
        ASSERT_EQ(t[i + 1].type, LT_) << i;
    }
    EXPECT_EQ(TypesOf(std::vector<PPToken>(t.begin() + 4000, t.end())),
        (Types {ENDLINE, Q_CHAR, WORD_INCLUDE, LT_, IDENTIFIER, STRINGS, Q_CHAR}));
    EXPECT_EQ(TextOf(t.back()), "c.h");
}

TEST(Scanner, StringContinuedOverLinesCountsTheLine)
{
    auto t = ScanText("\"ab\\\ncd\" x");
    ASSERT_EQ(TypesOf(t), (Types {STRINGS, IDENTIFIER}));
    EXPECT_EQ(TextOf(t[0]), "ab\\\ncd");
    EXPECT_EQ(t[0].line, 2);
    auto crlf = ScanText("\"ab\\\r\ncd\" x");
    ASSERT_EQ(TypesOf(crlf), (Types {STRINGS, IDENTIFIER}));
    EXPECT_EQ(TextOf(crlf[0]), "ab\\\ncd");
    EXPECT_EQ(crlf[0].line, 2);
}

// A raw string holds quotes, braces and line ends without ending; what is no
// raw string falls back to a name and what follows it.
TEST(Scanner, RawStrings)
{
    auto t = ScanText("R\"(a \"quoted\" {brace})\" x u8R\"sql(SELECT \")\" )sql\" y\n"
                      "LR\"(one\ntwo)\" z\nw");
    ASSERT_EQ(TypesOf(t),
        (Types {STRINGS, IDENTIFIER, STRINGS, IDENTIFIER, ENDLINE, STRINGS, IDENTIFIER, ENDLINE,
            IDENTIFIER}));
    EXPECT_EQ(TextOf(t[0]), "a \"quoted\" {brace}");
    EXPECT_EQ(TextOf(t[2]), "SELECT \")\" ");
    EXPECT_EQ(TextOf(t[5]), "one\ntwo");
    EXPECT_EQ(t[6].line, 3);
    EXPECT_EQ(t[8].line, 4);
    auto crlf = ScanText(WithCrLf("LR\"(one\ntwo)\" z"));
    ASSERT_EQ(TypesOf(crlf), (Types {STRINGS, IDENTIFIER}));
    EXPECT_EQ(TextOf(crlf[0]), "one\ntwo");

    // A blank before the quote, a delimiter over 16 characters.
    EXPECT_EQ(TypesOf(ScanText("R \"x\" R\"abcdefghijklmnopq(x)abcdefghijklmnopq\"")),
        (Types {IDENTIFIER, STRINGS, IDENTIFIER, STRINGS}));
    // One left open is read as a name and the rest goes on as before, later
    // ones too.
    auto open = ScanText("R\"(open\nint a ; R\"x(y)x\" b");
    ASSERT_FALSE(open.empty());
    EXPECT_EQ(open[0].type, IDENTIFIER);
    const Types types = TypesOf(open);
    EXPECT_NE(std::find(types.begin(), types.end(), WORD_INT), types.end());
    EXPECT_EQ(TextOf(open.back()), "b");
}

TEST(Scanner, CrLfFilesGiveTheSameTokensAsLfFiles)
{
    const std::string lf = "#include <windows.h>\n#define X(a) \\\n  ((a) + 1) // twice\n"
                           "int main()\n{\n  /* two\n lines */ return X(2);\n}\n";
    auto a = ScanText(lf);
    auto b = ScanText(WithCrLf(lf));
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(TypesOf(a), TypesOf(b));
    EXPECT_EQ(LinesOf(a), LinesOf(b));
    EXPECT_EQ(TextsOf(a), TextsOf(b));
}

// Visual C++ saves files as UTF-8 with a byte order mark before the first
// line: it made three unknown tokens that ran into the first declaration.
TEST(Scanner, AByteOrderMarkIsNoToken)
{
    const std::string plain = "#define X 1\nint a = X;\n";
    auto a = ScanText(plain);
    auto b = ScanText("\xEF\xBB\xBF" + plain);
    EXPECT_EQ(TypesOf(a), TypesOf(b));
    EXPECT_EQ(LinesOf(a), LinesOf(b));
}

TEST(Scanner, TokensOfAnyLength)
{
    const std::string longName(100000, 'n');
    const std::string longString = "\"" + std::string(100000, 's') + "\"";
    const std::string blanks(70000, ' ');
    auto t = ScanText(
        longName + blanks + longString + blanks + "\n/*" + std::string(200000, '*') + "*/ end");
    ASSERT_EQ(TypesOf(t), (Types {IDENTIFIER, STRINGS, ENDLINE, IDENTIFIER}));
    EXPECT_EQ(std::string(t[0].text), longName);
    EXPECT_EQ(std::string(t[1].text).size(), 100000u);
    EXPECT_EQ(TextOf(t[3]), "end");
}

TEST(Scanner, EmptyInputGivesNoTokens)
{
    EXPECT_TRUE(ScanText("").empty());
    EXPECT_TRUE(ScanText("/* only a comment */").empty());
}

namespace {

// A stream over a text that counts the scanner's refills and the bytes it
// handed out, and can set a stop request once a number of bytes went out.
class CountingInput : public std::streambuf {
public:
    explicit CountingInput(
        std::string text, std::atomic<bool>* stop = nullptr, size_t stopAfter = std::string::npos)
        : text_(std::move(text)), stop_(stop), stopAfter_(stopAfter)
    {
    }
    int Reads() const { return reads_; }
    size_t Given() const { return given_; }

protected:
    std::streamsize xsgetn(char* out, std::streamsize count) override
    {
        ++reads_;
        const size_t n = std::min(static_cast<size_t>(count), text_.size() - given_);
        std::copy_n(text_.data() + given_, n, out);
        given_ += n;
        if (stop_ != nullptr && given_ >= stopAfter_)
            *stop_ = true;
        return static_cast<std::streamsize>(n);
    }
    int_type underflow() override { return traits_type::eof(); }

private:
    std::string text_;
    std::atomic<bool>* stop_;
    size_t stopAfter_;
    size_t given_ = 0;
    int reads_ = 0;
};

} // namespace

// The matcher scans a token again from its start after each refill: a token
// of megabytes must come in a few refills, each reading as much again, not
// in one small block after another (which took seconds for a few megabytes).
TEST(Scanner, LongTokensAreReadInAFewRefills)
{
    const std::string body(4 << 20, 'x');
    const struct {
        std::string text;
        Types types;
    } cases[] = {
        {"\"" + body + "\" end", {STRINGS, IDENTIFIER}},
        {body + " end", {IDENTIFIER, IDENTIFIER}},
    };
    for (const auto& c : cases) {
        CountingInput input(c.text);
        std::istream in(&input);
        std::vector<PPToken> tokens;
        CSourceScanner().Scan(in, tokens);
        EXPECT_EQ(TypesOf(tokens), c.types) << c.text.substr(0, 3);
        EXPECT_EQ(TextOf(tokens.back()), "end");
        // 64 KiB doubled up to 8 MiB, and the read that finds the end.
        EXPECT_LE(input.Reads(), 11) << c.text.substr(0, 3);
    }
}

// A stop ends the scan at the next refill, with no message: the run that
// asked for it drops the file anyway. Comments and blanks, however long, are
// no long tokens: the next refill comes within one buffer.
TEST(Scanner, StopRequestEndsTheScanAtTheNextRefill)
{
    std::string statements;
    while (statements.size() < (4u << 20))
        statements += "a = b;\n";
    const std::string run(8 << 20, 'x');
    const std::string stars(8 << 20, '*');
    const std::string blanks(8 << 20, ' ');
    for (const std::string& text :
        {statements, "/*" + run + "*/", "/*" + stars + "/", "// " + run + "\n", blanks + "\n"}) {
        std::atomic<bool> stop {false};
        CountingInput input(text, &stop, 1 << 20);
        std::istream in(&input);
        std::vector<PPToken> tokens;
        std::ostringstream messages;
        StreamSink sink(messages);
        CSourceScanner(&stop).Scan(in, tokens, sink);
        EXPECT_LE(input.Given(), (1u << 20) + 65536u) << text.substr(0, 3);
        EXPECT_EQ(messages.str(), "");
    }
}

// A stop set while a long name, number or quoted text is read ends the scan inside
// it: the read that sets it brings the token's end, yet no token comes out.
TEST(Scanner, StopRequestEndsTheScanInsideALongToken)
{
    // Not near a power of two: the last read brings megabytes of the token.
    const std::string body(6 << 20, 'x');
    const std::string digits(6 << 20, '7');
    for (const std::string& text : {"\"" + body + "\" end", "L\"" + body + "\"", body + " end",
             "'" + body + "'", "\"" + body + "\\q\" end", "\"" + body + "\n",
             "1" + digits + "e5 end", "include <" + body + "\nend"}) {
        std::atomic<bool> stop {false};
        CountingInput input(text, &stop, text.size());
        std::istream in(&input);
        std::vector<PPToken> tokens;
        CSourceScanner(&stop).Scan(in, tokens);
        EXPECT_EQ(input.Given(), text.size());
        EXPECT_TRUE(tokens.empty()) << text.substr(0, 3);
    }
}

// Quoted texts fall back at their first fault as a longest match over all
// rules would: a header name, else an unknown quote (and a lone L as a name),
// also at the end of the input and when the text runs over many refills.
TEST(Scanner, QuotedTextsFallBackAtTheirFirstFault)
{
    const std::string run(200000, 'r');
    const struct {
        std::string text;
        Types types;
        Texts texts;
    } cases[] = {
        {"\"open", {LEXERROR, IDENTIFIER}, {"<none>", "open"}},
        {"L\"open", {IDENTIFIER, LEXERROR, IDENTIFIER}, {"L", "<none>", "open"}},
        {"\"a\\", {LEXERROR, IDENTIFIER, SLASH}, {"<none>", "a", "<none>"}},
        {"\"a\\q\\\"", {H_CHAR}, {"a\\q\\"}},
        {"\"\\x\" y", {H_CHAR, IDENTIFIER}, {"\\x", "y"}},
        {"\"\\x41\\101\\0\\\"\"", {STRINGS}, {"\\x41\\101\\0\\\""}},
        {"\"a\\\rb\"", {H_CHAR}, {"a\\\rb"}},
        {"'\\x41' '\\101' L'\\''", {CHARS, CHARS, CHARS}, {"\\x41", "\\101", "\\'"}},
        {"'\\x'", {LEXERROR, SLASH, IDENTIFIER, LEXERROR}, {"<none>", "<none>", "x", "<none>"}},
        {"'a\nb'", {LEXERROR, IDENTIFIER, ENDLINE, IDENTIFIER, LEXERROR},
            {"<none>", "a", "<none>", "b", "<none>"}},
        {"L'", {IDENTIFIER, LEXERROR}, {"L", "<none>"}},
        {"\"" + run + "\\q\"", {H_CHAR}, {run + "\\q"}},
        {"L\"" + run + "\nx", {IDENTIFIER, LEXERROR, IDENTIFIER, ENDLINE, IDENTIFIER},
            {"L", "<none>", run, "<none>", "x"}},
        {"'" + run + "'", {CHARS}, {run}},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        auto t = ScanText(c.text);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(TypesOf(t), c.types) << c.text.substr(0, 8);
        EXPECT_EQ(TextsOf(t), c.texts) << c.text.substr(0, 8);
    }
    // A NUL byte is an ordinary character of a string.
    EXPECT_EQ(TypesOf(ScanText(std::string("\"a\0b\" c", 7))), (Types {STRINGS, IDENTIFIER}));
}

// Names longer than the matcher's piece go on to their last name character,
// whatever follows.
TEST(Scanner, LongNamesEndWhereTheyEnd)
{
    for (const size_t length : {63u, 64u, 65u, 128u, 300000u}) {
        const std::string name(length, 'L');
        auto t = ScanText(name + "\"s\"" + name + "'c'" + name);
        ASSERT_EQ(TypesOf(t), (Types {IDENTIFIER, STRINGS, IDENTIFIER, CHARS, IDENTIFIER}))
            << length;
        EXPECT_EQ(TextsOf(t), (Texts {name, "s", name, "c", name})) << length;
    }
}

// Comments in pieces still end where they end, whatever the runs of stars
// and blanks before their ends.
TEST(Scanner, LongCommentsAndBlanksEndWhereTheyEnd)
{
    for (size_t n : {1u, 62u, 63u, 64u, 65u, 127u, 128u, 129u, 1000u}) {
        const std::string stars(n, '*');
        const std::string blanks(n, ' ');
        auto t = ScanText("/*" + stars + "/ a /*" + stars + " */ b" + blanks + "\n//" + stars +
            blanks + "\nc" + blanks);
        EXPECT_EQ(TypesOf(t), (Types {IDENTIFIER, IDENTIFIER, ENDLINE, ENDLINE, IDENTIFIER})) << n;
        EXPECT_EQ(LinesOf(t), (Lines {1, 1, 2, 3, 3})) << n;
    }
}

// A file of more tokens than the budget, and far more than its size gives
// source code, keeps the first ones and ends in an error token with one line
// that says why; a file of as many tokens at the density of code is whole.
TEST(Scanner, TokensBeyondTheBudgetAreDroppedWithALine)
{
    std::istringstream in(std::string(2000, ';') + "\nend\n");
    std::vector<PPToken> tokens;
    std::ostringstream messages;
    StreamSink sink(messages);
    CSourceScanner(nullptr, 1000).Scan(in, tokens, sink);
    ASSERT_EQ(tokens.size(), 1001u);
    EXPECT_EQ(tokens[999].type, SEMI);
    EXPECT_EQ(tokens.back().type, LEXERROR);
    EXPECT_EQ(messages.str(),
        "Scanner stopped: more than 1000 tokens, far more than source code has for its size: "
        "the rest is not read (line 1)\n");

    std::string code;
    for (int i = 0; i < 2000; ++i)
        code += "    value = 1;\n";
    std::istringstream sparse(code);
    tokens.clear();
    CSourceScanner(nullptr, 1000).Scan(sparse, tokens, sink);
    EXPECT_EQ(tokens.size(), 10000u);
    EXPECT_EQ(messages.str().find("Scanner stopped", 10), std::string::npos);
}

// Texts placed in a store are the texts scanned without one, and stay with
// their tokens after the store has gone, copied or moved on (a text too long
// for the store's blocks gets a block of its own).
TEST(Scanner, TextsPlacedInAStoreAreTheTokensOwn)
{
    const std::string source = "int name_1 = 42; char* s = \"text\"; x = 'c' + 0x1F + 2.5e3;\n"
                               "#include <dir/file.h>\n" +
        std::string(5000, 'w') + " end\n";
    auto scan = [&source](TokenTextStore* store) {
        std::istringstream in(source);
        std::vector<PPToken> tokens;
        CSourceScanner(nullptr, store).Scan(in, tokens);
        return tokens;
    };
    const std::vector<PPToken> own = scan(nullptr);
    std::vector<PPToken> placed;
    {
        TokenTextStore store;
        placed = scan(&store);
    }
    std::vector<PPToken> copies = placed;
    std::vector<PPToken> moved = std::move(placed);
    placed.clear();
    ASSERT_EQ(copies.size(), own.size());
    for (size_t i = 0; i < own.size(); ++i) {
        EXPECT_EQ(copies[i].type, own[i].type) << i;
        EXPECT_EQ(copies[i].line, own[i].line) << i;
        EXPECT_EQ(TextOf(copies[i]), TextOf(own[i])) << i;
        EXPECT_EQ(TextOf(moved[i]), TextOf(own[i])) << i;
    }
    moved.front().SetText("replaced");
    EXPECT_EQ(TextOf(moved.front()), "replaced");
}
