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

// The two hashes of a wide digest differ in their mixer, their hash of a
// text and the order in which a token's line and type are packed, so that
// they share nothing.
struct FirstHash {
    static constexpr size_t kSlot = 0;
    static constexpr uint64_t kSeed = 0x243f6a8885a308d3ULL;
    static uint64_t Mix(uint64_t seed, uint64_t value) { return MixDigest(seed, value); }
    static uint64_t Text(const char* text) { return TextDigest(text); }
    static uint64_t Position(const PPToken& token)
    {
        return (static_cast<uint64_t>(static_cast<uint32_t>(token.line)) << 32) |
            static_cast<uint32_t>(token.type);
    }
};

struct SecondHash {
    static constexpr size_t kSlot = 1;
    static constexpr uint64_t kSeed = 0x13198a2e03707344ULL;
    static uint64_t Mix(uint64_t seed, uint64_t value)
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
    static uint64_t Text(const char* text)
    {
        return std::hash<std::string_view> {}(
            text != nullptr ? std::string_view(text) : std::string_view());
    }
    static uint64_t Position(const PPToken& token)
    {
        return (static_cast<uint64_t>(static_cast<uint32_t>(token.type)) << 32) |
            static_cast<uint32_t>(token.line);
    }
};

template <class Hash> uint64_t TokensDigest(uint64_t h, const std::vector<PPToken>& tokens)
{
    h = Hash::Mix(h, tokens.size());
    for (const PPToken& token : tokens) {
        h = Hash::Mix(h, Hash::Position(token));
        if (token.text != nullptr && token.text[0] != '\0') {
            h = Hash::Mix(h, Hash::Text(token.text));
        }
    }
    return h;
}

// A definition's form, parameters and body, hashed once for all the tables
// that share it (in its digest slot `Hash::kSlot`).
template <class Hash> uint64_t DefinitionDigest(const CMacroDef& macro)
{
    uint64_t h = Hash::Mix(Hash::kSeed, macro.functionLike ? 1 : 2);
    for (const std::string& parameter : macro.parameters) {
        h = Hash::Mix(h, Hash::Text(parameter.c_str()));
    }
    return TokensDigest<Hash>(h, macro.body);
}

template <class Hash> uint64_t MacroDigest(const std::string& name, const SharedMacro& macro)
{
    return Hash::Mix(Hash::Text(name.c_str()), macro.Digest(Hash::kSlot, [](const CMacroDef& def) {
        return DefinitionDigest<Hash>(def);
    }));
}

// Goes on from a digest of the path and tokens with the macros.
template <class Hash>
uint64_t WithMacros(uint64_t pathAndTokens, const std::map<std::string, SharedMacro>& macros)
{
    uint64_t h = Hash::Mix(pathAndTokens, macros.size());
    for (const auto& [name, macro] : macros) {
        h = Hash::Mix(h, MacroDigest<Hash>(name, macro));
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

bool SameMacro(const SharedMacro& shared, const SharedMacro& other)
{
    if (shared.SameDefinition(other)) {
        return true;
    }
    const CMacroDef& a = *shared;
    const CMacroDef& b = *other;
    return a.functionLike == b.functionLike && a.parameters == b.parameters &&
        SameTokens(a.body, b.body);
}

} // namespace

uint64_t MacroDigest(const std::string& name, const SharedMacro& macro)
{
    return MacroDigest<FirstHash>(name, macro);
}

uint64_t PathAndTokensDigest(const std::string& path, const std::vector<PPToken>& tokens)
{
    return TokensDigest<FirstHash>(TextDigest(path.c_str()), tokens);
}

WideDigest PathAndTokensWideDigest(const std::string& path, const std::vector<PPToken>& tokens)
{
    return {PathAndTokensDigest(path, tokens),
        TokensDigest<SecondHash>(SecondHash::Text(path.c_str()), tokens)};
}

WideDigest BodyDigest(WideDigest pathAndTokens, const std::map<std::string, SharedMacro>& macros)
{
    return {WithMacros<FirstHash>(pathAndTokens.first, macros),
        WithMacros<SecondHash>(pathAndTokens.second, macros)};
}

WideDigest ReadingDigest(
    WideDigest body, int32_t size, int32_t mtime, const std::vector<WideDigest>& includes)
{
    if (!body.Known()) {
        return {};
    }
    // Apart from the body's own halves, so that a reading never hashes as
    // its body does.
    WideDigest h {MixDigest(body.first, 0x5245414445524953ULL),
        MixDigest(body.second, 0x494e434c55444553ULL)};
    const uint64_t place = MixDigest(static_cast<uint32_t>(size), static_cast<uint32_t>(mtime));
    h = {MixDigest(h.first, place), MixDigest(h.second, ~place)};
    h = {MixDigest(h.first, includes.size()), MixDigest(h.second, includes.size())};
    for (const WideDigest& include : includes) {
        if (!include.Known()) {
            return {};
        }
        h = {MixDigest(h.first, include.first), MixDigest(h.second, include.second)};
    }
    return h;
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
    return ContentDigest(
        file, WithMacros<FirstHash>(PathAndTokensDigest(file.path, file.scan.tokens), file.macros));
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
