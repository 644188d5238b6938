#pragma once

#include "PPToken.h"
#include "SourceScanner.h"

#include <sstream>
#include <string>
#include <vector>

inline std::vector<PPToken> ScanText(const std::string& text)
{
    std::istringstream in(text);
    std::vector<PPToken> tokens;
    GetSourceScanner().Scan(in, tokens);
    return tokens;
}

inline std::vector<int> TypesOf(const std::vector<PPToken>& tokens)
{
    std::vector<int> types;
    for (const PPToken& t : tokens) {
        types.push_back(t.type);
    }
    return types;
}

inline std::string TextOf(const PPToken& token)
{
    return token.text ? std::string(token.text) : std::string("<none>");
}

inline std::vector<std::string> TextsOf(const std::vector<PPToken>& tokens)
{
    std::vector<std::string> texts;
    for (const PPToken& t : tokens) {
        texts.push_back(TextOf(t));
    }
    return texts;
}

inline std::vector<int> LinesOf(const std::vector<PPToken>& tokens)
{
    std::vector<int> lines;
    for (const PPToken& t : tokens) {
        lines.push_back(t.line);
    }
    return lines;
}

// The text with every line end written as CR LF.
inline std::string WithCrLf(const std::string& text)
{
    std::string crlf;
    for (char c : text) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    return crlf;
}
