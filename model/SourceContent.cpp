#include "SourceContent.h"

#include "SourceFile.h"

#include <cstring>
#include <functional>
#include <string_view>

namespace {

uint64_t TextDigest(const char* text)
{
    // FNV-1a over the bytes up to the terminating NUL.
    uint64_t h = 0xcbf29ce484222325ULL;
    if (text != nullptr) {
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
            h = (h ^ *p) * 0x100000001b3ULL;
        }
    }
    return h;
}

uint64_t TokensDigest(uint64_t h, const std::vector<PPToken>& tokens)
{
    h = MixDigest(h, tokens.size());
    for (const PPToken& token : tokens) {
        const uint64_t position = (static_cast<uint64_t>(static_cast<uint32_t>(token.line)) << 32) |
            static_cast<uint32_t>(token.type);
        h = MixDigest(h, position);
        if (token.text != nullptr && token.text[0] != '\0') {
            h = MixDigest(h, TextDigest(token.text));
        }
    }
    return h;
}

bool SameText(const char* a, const char* b)
{
    return std::strcmp(a ? a : "", b ? b : "") == 0;
}

} // namespace

bool SameTokens(const std::vector<PPToken>& a, const std::vector<PPToken>& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t k = 0; k < a.size(); ++k) {
        if (a[k].line != b[k].line || a[k].type != b[k].type || !SameText(a[k].text, b[k].text)) {
            return false;
        }
    }
    return true;
}

namespace {

bool SameMacro(const CMacroDef& a, const CMacroDef& b)
{
    return a.functionLike == b.functionLike && a.parameters == b.parameters &&
        SameTokens(a.body, b.body);
}

} // namespace

uint64_t MacroDigest(const std::string& name, const CMacroDef& macro)
{
    uint64_t h = MixDigest(TextDigest(name.c_str()), macro.functionLike ? 1 : 2);
    for (const std::string& parameter : macro.parameters) {
        h = MixDigest(h, TextDigest(parameter.c_str()));
    }
    return TokensDigest(h, macro.body);
}

uint64_t PathAndTokensDigest(const std::string& path, const std::vector<PPToken>& tokens)
{
    return TokensDigest(TextDigest(path.c_str()), tokens);
}

namespace {

// The second hash: another mixer, and libstdc++'s hash of the bytes for
// texts, so that it shares nothing with the first.
uint64_t MixSecond(uint64_t seed, uint64_t value)
{
    uint64_t x = ((seed << 27) | (seed >> 37)) * 0x9e3779b97f4a7c15ULL;
    x ^= value * 0xc2b2ae3d27d4eb4fULL;
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

uint64_t SecondTextDigest(const char* text)
{
    return std::hash<std::string_view> {}(
        text != nullptr ? std::string_view(text) : std::string_view());
}

uint64_t SecondTokensDigest(uint64_t h, const std::vector<PPToken>& tokens)
{
    h = MixSecond(h, tokens.size());
    for (const PPToken& token : tokens) {
        const uint64_t position = (static_cast<uint64_t>(static_cast<uint32_t>(token.type)) << 32) |
            static_cast<uint32_t>(token.line);
        h = MixSecond(h, position);
        if (token.text != nullptr && token.text[0] != '\0') {
            h = MixSecond(h, SecondTextDigest(token.text));
        }
    }
    return h;
}

} // namespace

WideDigest PathAndTokensWideDigest(const std::string& path, const std::vector<PPToken>& tokens)
{
    return {PathAndTokensDigest(path, tokens),
        SecondTokensDigest(SecondTextDigest(path.c_str()), tokens)};
}

WideDigest BodyDigest(WideDigest pathAndTokens, const std::map<std::string, CMacroDef>& macros)
{
    uint64_t first = MixDigest(pathAndTokens.first, macros.size());
    uint64_t second = MixSecond(pathAndTokens.second, macros.size());
    for (const auto& [name, macro] : macros) {
        first = MixDigest(first, MacroDigest(name, macro));
        uint64_t h = MixSecond(SecondTextDigest(name.c_str()), macro.functionLike ? 1 : 2);
        h = MixSecond(h, macro.parameters.size());
        for (const std::string& parameter : macro.parameters) {
            h = MixSecond(h, SecondTextDigest(parameter.c_str()));
        }
        second = MixSecond(second, SecondTokensDigest(h, macro.body));
    }
    return {first, second};
}

WideDigest BodyDigest(const CSourceFile& file)
{
    return BodyDigest(PathAndTokensWideDigest(file.path, file.scan.tokens), file.macros);
}

uint64_t ContentDigest(const CSourceFile& file, uint64_t body)
{
    uint64_t h = MixDigest(body, file.includes.size());
    for (int32_t number : file.includes) {
        h = MixDigest(h, static_cast<uint32_t>(number));
    }
    return h;
}

uint64_t ContentDigest(const CSourceFile& file)
{
    uint64_t body = MixDigest(PathAndTokensDigest(file.path, file.scan.tokens), file.macros.size());
    for (const auto& [name, macro] : file.macros) {
        body = MixDigest(body, MacroDigest(name, macro));
    }
    return ContentDigest(file, body);
}

bool SameContent(const CSourceFile& a, const CSourceFile& b)
{
    if (a.path != b.path || a.includes != b.includes || a.macros.size() != b.macros.size() ||
        !SameTokens(a.scan.tokens, b.scan.tokens)) {
        return false;
    }
    for (auto i = a.macros.begin(), j = b.macros.begin(); i != a.macros.end(); ++i, ++j) {
        if (i->first != j->first || !SameMacro(i->second, j->second)) {
            return false;
        }
    }
    return true;
}
