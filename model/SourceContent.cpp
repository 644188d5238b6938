#include "SourceContent.h"

#include "SourceFile.h"

#include <cstring>

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

uint64_t BodyDigest(uint64_t pathAndTokens, const std::map<std::string, CMacroDef>& macros)
{
    uint64_t h = MixDigest(pathAndTokens, macros.size());
    for (const auto& [name, macro] : macros) {
        h = MixDigest(h, MacroDigest(name, macro));
    }
    return h;
}

uint64_t BodyDigest(const CSourceFile& file)
{
    return BodyDigest(PathAndTokensDigest(file.path, file.scan.tokens), file.macros);
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
    return ContentDigest(file, BodyDigest(file));
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
