#include "UnitSplitter.h"

#include "FileIndex.h"
#include "SourceFile.h"
#include "TokenType.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

// Gives back the room a unit list grew into and did not fill.
void FitToSize(std::vector<CUnit>& units)
{
    if (units.capacity() > units.size())
        units.shrink_to_fit();
}

} // namespace

void CUnitSplitter::SplitFile(CSourceFile& file)
{
    tokens_ = &file.scan.tokens;
    Split(file.units, 0, 0);
    file.split = true;
    SplitHeadersOf(file);
}

void CUnitSplitter::SplitHeadersOf(const CSourceFile& file)
{
    for (int32_t number : file.includes) {
        if (!index_ || number < 0 || static_cast<size_t>(number) >= index_->files.size())
            throw std::out_of_range("CUnitSplitter: included-file number outside the index");
        CSourceFile* header = index_->files[static_cast<size_t>(number)].get();
        if (header && !header->split)
            SplitFile(*header);
    }
}

void CUnitSplitter::SplitTokens(const std::vector<PPToken>& tokens, std::vector<CUnit>& units)
{
    CUnitSplitter splitter(tokens);
    splitter.Split(units, 0, 0);
}

int CUnitSplitter::NextContent(int from) const
{
    const int n = static_cast<int>(tokens_->size());
    while (from < n && (*tokens_)[static_cast<size_t>(from)].type == ENDLINE)
        ++from;
    return from;
}

int CUnitSplitter::StopAfterBlock(int afterBrace) const
{
    const int n = static_cast<int>(tokens_->size());
    const int q = NextContent(afterBrace);
    if (q >= n)
        return n;
    return (*tokens_)[static_cast<size_t>(q)].type == SEMI ? q : q - 1;
}

int CUnitSplitter::SkipBlock(int open) const
{
    const int n = static_cast<int>(tokens_->size());
    int depth = 0;
    for (int p = open; p < n; ++p) {
        const int type = (*tokens_)[static_cast<size_t>(p)].type;
        if (type == LC) {
            ++depth;
        } else if (type == RC) {
            if (--depth == 0)
                return StopAfterBlock(p + 1);
        }
    }
    return n;
}

bool CUnitSplitter::ArgumentsGoOnAfter(int stop) const
{
    const int n = static_cast<int>(tokens_->size());
    if (stop >= n || (*tokens_)[static_cast<size_t>(stop)].type == SEMI)
        return false;
    const int q = NextContent(stop + 1);
    if (q >= n)
        return false;
    const int type = (*tokens_)[static_cast<size_t>(q)].type;
    return type == RP || type == COMMA;
}

bool CUnitSplitter::ShortValueAt(int open) const
{
    constexpr int kLongestValue = 256;
    const int n = static_cast<int>(tokens_->size());
    const int end = std::min(n, open + kLongestValue);
    int depth = 0;
    for (int p = open; p < end; ++p) {
        const int type = (*tokens_)[static_cast<size_t>(p)].type;
        if (type == SEMI || type == SHARP)
            return false;
        if (type == LC) {
            ++depth;
        } else if (type == RC && --depth == 0) {
            return true;
        }
    }
    return false;
}

bool CUnitSplitter::ParametersEndBefore(const TokenIndices& indices) const
{
    const size_t n = indices.size();
    if (n == 0)
        return false;
    const PPToken& last = (*tokens_)[static_cast<size_t>(indices[n - 1])];
    if (last.type == RP)
        return true;
    // "Widget() noexcept : items{} {"
    return n >= 2 && last.type == IDENTIFIER && last.text &&
        std::strcmp(last.text, "noexcept") == 0 &&
        (*tokens_)[static_cast<size_t>(indices[n - 2])].type == RP;
}

int CUnitSplitter::KeepBracedValue(int open, TokenIndices& indices) const
{
    const int n = static_cast<int>(tokens_->size());
    int depth = 0;
    for (int p = open; p < n; ++p) {
        const int type = (*tokens_)[static_cast<size_t>(p)].type;
        if (type == ENDLINE)
            continue;
        indices.push_back(p);
        if (type == LC) {
            ++depth;
        } else if (type == RC && --depth == 0) {
            return p;
        }
    }
    return n - 1;
}

int CUnitSplitter::Split(std::vector<CUnit>& units, int start, int depth)
{
    const std::vector<PPToken>& tokens = *tokens_;
    const int n = static_cast<int>(tokens.size());

    CUnit pending(tokens_);
    // The pending unit's token positions are gathered here and handed over
    // in a list of their exact size when the unit closes: the lists stay
    // with the file for the life of the model.
    TokenIndices indices;
    bool inLine = false; // inside a preprocessing line
    int parenDepth = 0;
    int previous = 0;
    int first = start;

    auto hasContent = [&pending, &indices]() {
        return !indices.empty() || !pending.children.empty();
    };
    // The last unit made is a run of empty declarations or statements (a
    // unit that begins with ';' holds nothing else).
    auto continuesEmptyRun = [&]() {
        if (units.empty() || inLine)
            return false;
        const CUnit& last = units.back();
        return !last.brace && last.children.empty() && last.kind == UNIT_UNKNOWN &&
            !last.tokenIndices.empty() &&
            tokens[static_cast<size_t>(last.tokenIndices.front())].type == SEMI;
    };
    // A ':' right after a function's parameters (outside parentheses) has
    // been met in the pending unit: a constructor's initializer list may
    // follow.
    bool initializerList = false;
    // A 'return' outside parentheses has been met in the pending unit: braces
    // after it hold the value it returns.
    bool returnValue = false;
    // A '=' outside parentheses has been met in the pending unit, and no
    // word that begins a template, a class, an enumeration, a namespace or
    // an operator's name: braces after a type's name hold a value.
    bool assignedValue = false;
    bool keyMet = false;
    auto close = [&](int last) {
        initializerList = false;
        returnValue = false;
        assignedValue = false;
        keyMet = false;
        pending.first = first;
        pending.last = last;
        if (inLine) {
            pending.kind = UNIT_PREPROCESSING;
            pending.done = true;
        }
        pending.tokenIndices.assign(indices.begin(), indices.end());
        indices.clear();
        units.push_back(std::move(pending));
        first = last + 1;
        pending = CUnit(tokens_);
    };

    for (int p = start; p < n; ++p) {
        const int type = tokens.at(static_cast<size_t>(p)).type;
        const int before = previous;
        previous = type;

        if (inLine) {
            // The line ends at a line end that no backslash continues.
            if (type == ENDLINE && before != SLASH) {
                close(p);
                inLine = false;
                parenDepth = 0;
            } else {
                indices.push_back(p);
            }
            continue;
        }

        switch (type) {
        case ENDLINE:
            break;
        case LP:
            ++parenDepth;
            indices.push_back(p);
            break;
        case RP:
            --parenDepth;
            indices.push_back(p);
            break;
        case LC: {
            // Braces that hold a value stay in the unit as its tokens:
            // "f(Point{1, 2})", "void g(Options o = {})", inside parentheses
            // and without a statement (a lambda's body or a statement
            // expression is still a block); and in an initializer list,
            // "Widget() : items{}, count{0} {", after a member's name or a
            // template's '>', where the next block is the body. So do
            // braces a statement returns, "return {};", "return Point{1, 2};",
            // and braces after a type's name in a value,
            // "static constexpr uint64_t kMul = wide ? uint64_t{1} : uint64_t{2};".
            const int last = indices.empty() ? 0 : tokens[static_cast<size_t>(indices.back())].type;
            const bool afterTypeName = last == IDENTIFIER || last == GT;
            if (((parenDepth > 0 || returnValue ||
                     (assignedValue && parenDepth == 0 && afterTypeName)) &&
                    ShortValueAt(p)) ||
                (initializerList && parenDepth == 0 && afterTypeName)) {
                p = KeepBracedValue(p, indices);
                break;
            }
            // The block's units go to the unit as they are (a unit without
            // any takes no list at all).
            std::vector<CUnit> block;
            const int r = depth < kMaxBraceDepth ? Split(block, p + 1, depth + 1) : SkipBlock(p);
            if (pending.children.empty()) {
                pending.children = std::move(block);
            } else {
                pending.children.insert(pending.children.end(),
                    std::make_move_iterator(block.begin()), std::make_move_iterator(block.end()));
            }
            // A lambda's body in a call's arguments, "sort(b, e, [](int x) {
            // ... });": the statement goes on after it to its ';'.
            if (parenDepth > 0 && hasContent() && ArgumentsGoOnAfter(r)) {
                pending.brace = true;
                p = r;
                break;
            }
            if (hasContent()) {
                pending.brace = true;
                close(r - 1);
                first = r + 1;
            }
            parenDepth = 0;
            p = r;
            break;
        }
        case SEMI:
            if (parenDepth == 0 && !hasContent() && continuesEmptyRun()) {
                // Another empty declaration or statement right after one:
                // the run is one unit, not a unit per ';' (a file of ';'
                // would otherwise cost a unit per byte).
                units.back().tokenIndices.push_back(p);
                units.back().last = p;
                first = p + 1;
                break;
            }
            indices.push_back(p);
            if (parenDepth == 0)
                close(p);
            break;
        case COLON:
            if (parenDepth == 0 && ParametersEndBefore(indices))
                initializerList = true;
            indices.push_back(p);
            if (parenDepth == 0 && IsAccessWord(before))
                close(p);
            break;
        case RC: {
            // The enclosing block ends here.
            const int stop = StopAfterBlock(p + 1);
            if (hasContent())
                close(stop == n ? n - 1 : stop);
            FitToSize(units);
            return stop;
        }
        case SHARP:
            // Only a '#' that begins its line opens a preprocessing line; one
            // further on came out of a macro (#x in a stringising macro) and
            // is an ordinary token.
            if (p == 0 || tokens[static_cast<size_t>(p) - 1].type == ENDLINE)
                inLine = true;
            indices.push_back(p);
            break;
        case ASSIGN:
            if (parenDepth == 0 && !keyMet)
                assignedValue = true;
            indices.push_back(p);
            break;
        case WORD_TEMPLATE:
        case WORD_CLASS:
        case WORD_STRUCT:
        case WORD_UNION:
        case WORD_ENUM:
        case WORD_NAMESPACE:
        case WORD_OPERATOR:
            keyMet = true;
            assignedValue = false;
            indices.push_back(p);
            break;
        case WORD_RETURN:
            if (parenDepth == 0)
                returnValue = true;
            indices.push_back(p);
            break;
        default:
            indices.push_back(p);
            break;
        }
    }

    if (hasContent())
        close(n - 1);
    FitToSize(units);
    return n;
}
