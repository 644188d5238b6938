#include "FlowItemText.h"

#include "PPToken.h"
#include "ShownText.h"
#include "TokenType.h"
#include "Unit.h"
#include "UnitDetail.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace {

// A token's spelling: an opening, the token's own text (none for a fixed
// spelling) and a closing, as TokensToText spells it.
struct Spelling {
    std::string_view open;
    const char* text = nullptr;
    std::string_view close;
};

Spelling SpellingAt(const std::vector<PPToken>& tokens, int i)
{
    if (i < 0 || static_cast<size_t>(i) >= tokens.size())
        throw std::out_of_range("token position out of range");
    const PPToken& token = tokens[static_cast<size_t>(i)];
    const char* text = token.text ? token.text : "";
    switch (token.type) {
    case STRINGS:
    case H_CHAR:
        return {"\"", text, "\""};
    case CHARS:
        return {"'", text, "'"};
    case INTEGERNUMBER:
    case FLOATNUMBER:
    case HEXNUMBER:
    case OCTALNUMBER:
    case IDENTIFIER:
        return {{}, text, {}};
    case NEWLINE:
        return {"\n", nullptr, {}};
    case Q_CHAR:
        return {"include<", text, ">"};
    default:
        break;
    }
    const char* fixed = token.type >= SHARP ? TokenTypeFixedSpelling(token.type) : nullptr;
    return {fixed ? fixed : "Error Token", nullptr, {}};
}

JoinedText Joined(const CUnit* unit, JoinedText::Positions first, JoinedText::Positions last)
{
    if (unit == nullptr || unit->tokens == nullptr)
        return {};
    return {unit->tokens, first, last};
}

JoinedText Joined(const CUnit* unit, const TokenIndices& indices)
{
    return Joined(unit, indices.begin(), indices.end());
}

std::optional<int> LineAt(const CUnit* unit, bool first)
{
    if (unit == nullptr || unit->tokens == nullptr || unit->tokenIndices.empty())
        return std::nullopt;
    const int index = first ? unit->tokenIndices.front() : unit->tokenIndices.back();
    if (index < 0 || static_cast<size_t>(index) >= unit->tokens->size())
        return std::nullopt;
    return (*unit->tokens)[static_cast<size_t>(index)].line;
}

} // namespace

size_t JoinedText::Length() const
{
    if (!length_) {
        size_t raw = 0; // every blank kept
        if (tokens_ != nullptr) {
            for (Positions at = first_; at != last_; ++at) {
                const Spelling spelling = SpellingAt(*tokens_, *at);
                raw += spelling.open.size() + spelling.close.size() + 1;
                if (spelling.text != nullptr)
                    raw += std::strlen(spelling.text);
            }
        }
        length_ = raw >= 2 ? raw - 1 : raw;
    }
    return *length_;
}

std::string JoinedText::Part(size_t from, size_t count) const
{
    std::string out;
    if (tokens_ == nullptr)
        return out;
    const size_t end = count > std::numeric_limits<size_t>::max() - from
        ? std::numeric_limits<size_t>::max()
        : from + count;
    size_t pos = 0; // in the text with every blank kept
    const auto take = [&](std::string_view piece) {
        if (pos < end && pos + piece.size() > from) {
            const size_t first = from > pos ? from - pos : 0;
            const size_t last = std::min(piece.size(), end - pos);
            out.append(piece.substr(first, last - first));
        }
        pos += piece.size();
    };
    // Whatever follows `end` is not looked at: a blank follows every token,
    // so the last blank, which a whole text drops, lies beyond it too.
    for (Positions at = first_; at != last_; ++at) {
        if (pos >= end)
            return out;
        const Spelling spelling = SpellingAt(*tokens_, *at);
        take(spelling.open);
        if (spelling.text != nullptr) {
            // Of a long token text only what the part needs is read.
            const size_t wanted = pos < end ? end - pos : 0;
            const size_t length = strnlen(spelling.text, wanted);
            take(std::string_view(spelling.text, length));
            if (length == wanted)
                return out;
        }
        take(spelling.close);
        take(" ");
    }
    if (pos >= 2 && from < pos && end >= pos)
        out.pop_back(); // the last blank
    return out;
}

std::string JoinedText::Shown(std::string_view lead, size_t from, size_t to) const
{
    const size_t count = to > from ? to - from : 0;
    std::string line(lead);
    line += Part(from, std::min(count, kLongestShownLine + 1));
    return ShownLine(line);
}

JoinedText UnitText(const CUnit* unit)
{
    return unit ? Joined(unit, unit->tokenIndices) : JoinedText();
}

JoinedText ConditionText(const CUnit* unit)
{
    const CTokenListInfo* info = unit ? AsTokenListInfo(*unit) : nullptr;
    return info ? Joined(unit, info->tokens) : JoinedText();
}

JoinedText TokenRangeText(const CUnit* unit, int from, int dropLast)
{
    if (unit == nullptr)
        return {};
    // As TokenRangeToText: entries from..to, both included, the ones beyond
    // the list's end skipped.
    const int count = static_cast<int>(unit->tokenIndices.size());
    const int to = std::min(count - dropLast - 1, count - 1);
    if (from > to || to < 0)
        return {};
    const int first = std::max(from, 0);
    const JoinedText::Positions start = unit->tokenIndices.begin() + first;
    return Joined(unit, start, start + (to - first + 1));
}

ForTexts ForHeadTexts(const CUnit* unit)
{
    const CForInfo* info = unit ? AsForInfo(*unit) : nullptr;
    if (info == nullptr)
        return {};
    // The first two parts are recorded with the semicolon that ends them;
    // a part shows without it, so an empty part shows nothing.
    const auto part = [unit](const TokenIndices& tokens) {
        JoinedText::Positions last = tokens.end();
        if (!tokens.empty() && unit->tokens != nullptr && tokens.back() >= 0 &&
            static_cast<size_t>(tokens.back()) < unit->tokens->size() &&
            (*unit->tokens)[static_cast<size_t>(tokens.back())].type == SEMI)
            --last;
        return Joined(unit, tokens.begin(), last);
    };
    return {part(info->initTokens), part(info->conditionTokens), part(info->stepTokens)};
}

std::optional<int> FirstLineOf(const CUnit* unit)
{
    return LineAt(unit, true);
}

std::optional<int> LastLineOf(const CUnit* unit)
{
    return LineAt(unit, false);
}
