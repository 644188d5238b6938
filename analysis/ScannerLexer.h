#pragma once

// The flex-generated scanner class (rules in Scanner.ll). Most code wants
// SourceScanner.h instead, which turns a whole stream into tokens.

#if !defined(yyFlexLexerOnce)
#include <FlexLexer.h>
#endif

#include <atomic>
#include <cstddef>
#include <istream>
#include <stdexcept>
#include <string>

// When 1, the literal and comment rules print their names to the C standard
// output before they build their token (a debugging aid; nothing sets it).
extern int g_ScannerTrace;

// Thrown from inside the generated matcher when it meets a condition it
// cannot go on from (it never ends the process).
class ScannerFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Thrown from the next refill once the stop request is set, or from within a
// long token read by hand.
class ScanStopped { };

class KestrinLexer : public yyFlexLexer {
public:
    explicit KestrinLexer(std::istream* in, const std::atomic<bool>* stopRequest = nullptr)
        : yyFlexLexer(in, nullptr), stopRequest_(stopRequest)
    {
    }

    // The type of the next token, 0 at the end of the input.
    int yylex() override;

    // Unknown characters shown per file; the rest are counted only.
    static constexpr int kMaxUnknownReports = 100;

    // The bytes read from the stream so far (the token just returned and
    // what the buffer holds beyond it).
    std::size_t BytesRead() const { return bytesRead_; }

    // The line counter: after a token, it has counted every newline of it.
    int Line() const { return yylineno; }

    // The characters of the token just returned, for the types that carry a
    // text (strings, characters, numbers, identifiers, H_CHAR, Q_CHAR).
    // HasText() is false for an empty bracketed include name.
    bool HasText() const { return hasText_; }
    const char* Text() const { return text_; }
    std::size_t TextLength() const { return textLength_; }

    // Whether a blank or a comment came right before the token just returned.
    bool BlankBefore() const { return blankBefore_; }

protected:
    int LexerInput(char* buffer, int maxSize) override;
    void LexerError(const char* message) override;

private:
    void SetText(const char* start, std::size_t length);
    bool SetStringText(const char* start, std::size_t length);
    void SetIncludeNameText();

    // Quoted texts, numbers, bracketed include names and the rest of long
    // names are read by hand (see Scanner.ll).
    static constexpr std::size_t kStopCheckBytes = 65536;
    void BeginHandScan();
    // The byte at offset k from the start of the token, -1 past the input's
    // end.
    int ByteAt(std::size_t k)
    {
        if (k < handAvailable_ && (++handScanned_ % kStopCheckBytes) != 0) {
            return static_cast<unsigned char>(yytext[k]);
        }
        return ByteAtRefilling(k);
    }
    int ByteAtRefilling(std::size_t k);
    void EndTokenAt(std::size_t length);
    std::size_t NameEnd(std::size_t from);
    std::size_t EscapeEnd(std::size_t k, bool lineEndAllowed);
    int ScanQuoted();
    int ScanRawString();
    int ScanCharacter();
    std::size_t RunEnd(std::size_t k, bool (*inRun)(int));
    std::size_t IntegerSuffixEnd(std::size_t k);
    std::size_t ExponentEnd(std::size_t k);
    std::size_t FloatSuffixEnd(std::size_t k);
    int ScanNumber();
    int ScanInclude();
    void UnknownCharacter();

    const std::atomic<bool>* stopRequest_ = nullptr;
    std::size_t bytesRead_ = 0;
    const char* text_ = nullptr;
    std::size_t textLength_ = 0;
    bool hasText_ = false;
    bool blankBefore_ = false;
    bool blankEnded_ = false;
    std::string ownText_;
    int unknownCharacters_ = 0;
    std::size_t handScanned_ = 0;
    std::size_t handAvailable_ = 0;
    // A raw string ran to the end of the input without its closing
    // delimiter: later ones are not looked for, so the file is read once.
    bool unclosedRawString_ = false;
};
