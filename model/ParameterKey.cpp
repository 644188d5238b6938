#include "ParameterKey.h"

#include "TokenType.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

uint32_t ReadWord(const char*& at)
{
    uint32_t value;
    std::memcpy(&value, at, sizeof(value));
    at += sizeof(value);
    return value;
}

void PutWord(std::string& out, uint32_t value)
{
    out.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

} // namespace

void ParameterKey::Builder::Add(int32_t type, const char* text)
{
    ++counts_.back();
    PutWord(tokens_, static_cast<uint32_t>(type));
    if (type == IDENTIFIER) {
        tokens_ += text ? text : "";
        tokens_ += '\0';
    }
}

const char* ParameterKey::Builder::Pack()
{
    if (counts_.empty()) {
        Clear();
        return nullptr;
    }
    const size_t length = (2 + counts_.size()) * sizeof(uint32_t) + tokens_.size();
    packed_.clear();
    packed_.reserve(length);
    PutWord(packed_, static_cast<uint32_t>(length));
    PutWord(packed_, static_cast<uint32_t>(counts_.size()));
    for (uint32_t count : counts_) {
        PutWord(packed_, count);
    }
    packed_ += tokens_;
    Clear();
    return packed_.data();
}

ParameterKey::ParameterKey(const char* packed)
{
    if (packed) {
        const char* at = packed;
        const uint32_t length = ReadWord(at);
        bytes_ = std::make_unique_for_overwrite<char[]>(length);
        std::memcpy(bytes_.get(), packed, length);
    }
}

ParameterKey::ParameterKey(const std::vector<std::vector<PPToken>>& parameters)
{
    Builder builder;
    for (const auto& tokens : parameters) {
        builder.Start();
        for (const PPToken& token : tokens) {
            builder.Add(token.type, token.text);
        }
    }
    *this = builder.Take();
}

ParameterKey::ParameterKey(const ParameterKey& other) : ParameterKey(other.bytes_.get())
{
}

ParameterKey& ParameterKey::operator=(const ParameterKey& other)
{
    if (this != &other) {
        ParameterKey copy(other);
        *this = std::move(copy);
    }
    return *this;
}

int ParameterKey::Compare(const ParameterKey& a, const ParameterKey& b)
{
    return Compare(a.bytes_.get(), b.bytes_.get());
}

int ParameterKey::Compare(const char* x, const char* y)
{
    if (x) {
        ReadWord(x);
    }
    if (y) {
        ReadWord(y);
    }
    const uint32_t count = x ? ReadWord(x) : 0;
    const uint32_t otherCount = y ? ReadWord(y) : 0;
    if (count != otherCount) {
        return count < otherCount ? -1 : 1;
    }
    uint64_t tokens = 0;
    for (uint32_t p = 0; p < count; ++p) {
        const uint32_t n = ReadWord(x);
        const uint32_t m = ReadWord(y);
        if (n != m) {
            return n < m ? -1 : 1;
        }
        tokens += n;
    }
    for (uint64_t t = 0; t < tokens; ++t) {
        const auto type = static_cast<int32_t>(ReadWord(x));
        const auto otherType = static_cast<int32_t>(ReadWord(y));
        if (type != otherType) {
            return type < otherType ? -1 : 1;
        }
        if (type == IDENTIFIER) {
            const int c = std::strcmp(x, y);
            if (c != 0) {
                return c < 0 ? -1 : 1;
            }
            x += std::strlen(x) + 1;
            y += std::strlen(y) + 1;
        }
    }
    return 0;
}
