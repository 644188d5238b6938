#include "UnitSplitter.h"

#include "FileIndex.h"
#include "SourceFile.h"
#include "TokenType.h"

#include <stdexcept>

namespace {

enum class Mode { Normal, PreprocessingLine, BlockClosed };

} // namespace

void CUnitSplitter::SplitFile(CSourceFile& file)
{
    SplitIntoFile(file);
    SplitIncludes(file);
}

void CUnitSplitter::SplitIncluded(CSourceFile& file)
{
    SplitIntoFile(file);
    SplitIncludes(file);
}

void CUnitSplitter::SplitIntoFile(CSourceFile& file)
{
    tokens_ = &file.scan.tokens;
    Split(file.units, 0, 0);
    file.split = true;
}

void CUnitSplitter::SplitIncludes(const CSourceFile& file)
{
    // The list may not change while we walk it, but headers reached through
    // others are split from here too; copy the numbers first.
    const std::vector<int32_t> includes = file.includes;
    for (int32_t number : includes) {
        if (!index_ || number < 0 || static_cast<size_t>(number) >= index_->files.size())
            throw std::out_of_range("CUnitSplitter: included-file number outside the index");
        CSourceFile* header = index_->files[static_cast<size_t>(number)].get();
        if (header && !header->split)
            SplitIncluded(*header);
    }
}

void CUnitSplitter::SplitTokens(const std::vector<PPToken>& tokens, std::vector<CUnit>& units)
{
    CUnitSplitter splitter(tokens);
    splitter.Split(units, 0, 0);
}

int CUnitSplitter::StopAfterBlock(int afterBrace) const
{
    const int n = static_cast<int>(tokens_->size());
    int q = afterBrace;
    while (q < n && (*tokens_)[static_cast<size_t>(q)].type == ENDLINE)
        ++q;
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

int CUnitSplitter::Split(std::vector<CUnit>& units, int start, int depth)
{
    const std::vector<PPToken>& tokens = *tokens_;
    const int n = static_cast<int>(tokens.size());

    CUnit pending(tokens_);
    Mode mode = Mode::Normal;
    int parenDepth = 0;
    int previous = 0;
    int first = start;

    auto hasContent = [&pending]() {
        return !pending.tokenIndices.empty() || !pending.children.empty();
    };
    auto close = [&](int last) {
        pending.first = first;
        pending.last = last;
        units.push_back(std::move(pending));
        first = last + 1;
        pending = CUnit(tokens_);
    };

    int p = start;
    while (p < n) {
        const int type = tokens.at(static_cast<size_t>(p)).type;
        const int before = previous;
        previous = type;

        if (type == ENDLINE && mode != Mode::PreprocessingLine) {
            ++p;
            continue;
        }
        if (mode == Mode::BlockClosed) {
            // Stop at the first token after the closing brace.
            const bool semi = type == SEMI;
            if (hasContent())
                close(semi ? p : p - 1);
            return semi ? p : p - 1;
        }
        if (mode == Mode::PreprocessingLine) {
            if (type == ENDLINE && before != SLASH) {
                if (hasContent()) {
                    pending.kind = UNIT_PREPROCESSING;
                    pending.done = true;
                    close(p);
                } else {
                    pending = CUnit(tokens_);
                }
                mode = Mode::Normal;
                parenDepth = 0;
            } else {
                pending.tokenIndices.push_back(p);
            }
            ++p;
            continue;
        }

        switch (type) {
        case LP:
            ++parenDepth;
            pending.tokenIndices.push_back(p);
            break;
        case RP:
            --parenDepth;
            pending.tokenIndices.push_back(p);
            break;
        case LC: {
            const int r = depth < kMaxBraceDepth ? Split(pending.children, p + 1, depth + 1)
                                                 : SkipBlock(p);
            if (hasContent()) {
                pending.brace = true;
                close(r - 1);
                first = r + 1;
            } else {
                pending = CUnit(tokens_);
            }
            parenDepth = 0;
            p = r + 1;
            continue;
        }
        case SEMI:
            pending.tokenIndices.push_back(p);
            if (parenDepth == 0)
                close(p);
            break;
        case COLON:
            pending.tokenIndices.push_back(p);
            if (parenDepth == 0 &&
                (before == WORD_PUBLIC || before == WORD_PRIVATE || before == WORD_PROTECTED))
                close(p);
            break;
        case RC:
            mode = Mode::BlockClosed;
            break;
        case SHARP:
            mode = Mode::PreprocessingLine;
            pending.tokenIndices.push_back(p);
            break;
        default:
            pending.tokenIndices.push_back(p);
            break;
        }
        ++p;
    }

    if (mode == Mode::Normal && !pending.tokenIndices.empty()) {
        close(n - 1);
    } else if (mode == Mode::PreprocessingLine && !pending.tokenIndices.empty()) {
        pending.kind = UNIT_PREPROCESSING;
        pending.done = true;
        close(n - 1);
    } else if (mode == Mode::BlockClosed && hasContent()) {
        close(n - 1);
    }
    return n;
}
