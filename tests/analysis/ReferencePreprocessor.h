#pragma once

// A small, literal preprocessor for comparison: it edits the token vector in
// place (erase and insert at the current position, handlers returning the
// index to go on from), exactly as the rules are usually stated. It is slow
// (quadratic) on big files and reads no headers; the real preprocessor must
// give the same tokens and macro table on every input without #include.

#include "ConditionExpression.h"
#include "ConditionalGroups.h"
#include "MacroArguments.h"
#include "MacroDefinition.h"
#include "MfcMacros.h"
#include "TokenText.h"
#include "TokenType.h"

#include <cstring>
#include <set>
#include <string>
#include <vector>

class ReferencePreprocessor {
public:
    ReferencePreprocessor(std::vector<PPToken>& tokens, MacroTable& macros, std::string path)
        : t_(tokens), macros_(macros), path_(std::move(path))
    {
    }

    void Run()
    {
        try {
            Loop();
        } catch (const std::exception&) {
        }
    }

private:
    using Index = long;

    Index Size() const { return static_cast<Index>(t_.size()); }

    void Loop()
    {
        int previous = -1;
        Index i = 0;
        while (i < Size()) {
            const int type = t_[i].type;
            if (type == SHARP) {
                i = Dispatch(i) + 1;
                previous = SHARP;
            } else if (type == IDENTIFIER) {
                i = ExpandAt(i) + 1;
                previous = IDENTIFIER;
            } else if (previous == SHARP) {
                ++i;
                previous = type;
            } else {
                const char* word = SourceWordSpelling(type);
                if (word != nullptr) {
                    MakeIdentifierToken(t_[i], word);
                }
                ++i;
                previous = type;
            }
        }
    }

    void Erase(Index a, Index b)
    {
        if (a > b || a >= Size()) {
            return;
        }
        t_.erase(t_.begin() + a, t_.begin() + std::min(b + 1, Size()));
    }

    void RemoveLine(Index i)
    {
        for (Index k = i; k < Size(); ++k) {
            if (t_[k].type == ENDLINE) {
                Erase(i, k);
                return;
            }
        }
        Erase(i, Size() - 1);
    }

    bool Top() const { return !stack_.empty() && stack_.back(); }
    void Pop()
    {
        if (!stack_.empty()) {
            stack_.pop_back();
        }
    }

    void SkipFalseBranch(Index i)
    {
        const BranchEnd end = FindBranchEnd(t_, static_cast<size_t>(i));
        const Index j = static_cast<Index>(end.word);
        switch (end.kind) {
        case BranchEnd::Endif:
            Erase(i, j);
            Pop();
            break;
        case BranchEnd::Elif:
            Erase(i, j - 2);
            break;
        case BranchEnd::Else:
            if (Top()) {
                Erase(i, j - 2);
            } else {
                Erase(i, j + 1);
            }
            break;
        case BranchEnd::NotClosed:
            Erase(i, Size() - 1);
            Pop();
            break;
        }
    }

    Index Dispatch(Index i)
    {
        if (i + 1 >= Size()) {
            return i;
        }
        switch (t_[i + 1].type) {
        case Q_CHAR:
            return i;
        case WORD_INCLUDE:
            if (i + 2 < Size() && (t_[i + 2].type == STRINGS || t_[i + 2].type == H_CHAR)) {
                return i + 2;
            }
            return i;
        case WORD_ELSE:
            return Else(i);
        case WORD_IF:
            return If(i, true);
        case WORD_ELIF:
            return If(i, false);
        case WORD_IFDEF:
            return Ifdef(i, true);
        case WORD_IFNDEF:
            return Ifdef(i, false);
        case WORD_ENDIF:
            Pop();
            Erase(i, i + 1);
            return i - 1;
        case WORD_DEFINE:
        case WORD_UNDEF: {
            CDefineProcessor define(t_, macros_, StandardOutputSink());
            return static_cast<Index>(define.Parse(static_cast<size_t>(i)));
        }
        case WORD_PRAGMA:
            return Pragma(i);
        default:
            return i;
        }
    }

    Index If(Index i, bool isIf)
    {
        if (!isIf && Top()) {
            SkipFalseBranch(i);
            return i - 1;
        }
        const int32_t value = EvaluateConditionOrFalse(
            t_, static_cast<size_t>(i + 2), macros_, StandardOutputSink(), path_);
        if (isIf) {
            stack_.push_back(value != 0);
        }
        if (value != 0) {
            RemoveLine(i);
            if (!isIf && !stack_.empty()) {
                stack_.back() = true;
            }
        } else {
            SkipFalseBranch(i);
        }
        return i - 1;
    }

    Index Ifdef(Index i, bool isIfdef)
    {
        if (i + 3 >= Size() || t_[i + 3].type != ENDLINE) {
            return i;
        }
        const PPToken& name = t_[i + 2];
        const std::string text = name.type == IDENTIFIER
            ? std::string(name.text ? name.text : "")
            : TokenSpelling(t_, static_cast<int>(i + 2));
        const bool defined = macros_.count(text) != 0;
        if (defined == isIfdef) {
            stack_.push_back(true);
            Erase(i, i + 3);
        } else {
            stack_.push_back(false);
            SkipFalseBranch(i);
        }
        return i - 1;
    }

    Index Else(Index i)
    {
        if (i + 2 >= Size()) {
            return i;
        }
        if (stack_.empty()) {
            throw std::runtime_error("else without if");
        }
        if (stack_.back()) {
            const size_t before = t_.size();
            SkipFalseBranch(i);
            if (t_.size() == before) {
                throw std::runtime_error("else never ends");
            }
        } else {
            RemoveLine(i);
        }
        return i - 1;
    }

    Index Pragma(Index i)
    {
        if (i + 2 < Size() && t_[i + 2].type == IDENTIFIER && t_[i + 2].text != nullptr &&
            std::strcmp(t_[i + 2].text, "once") == 0) {
            if (!once_.insert(path_).second) {
                t_.clear();
                return i - 1;
            }
        }
        RemoveLine(i);
        return i - 1;
    }

    Index ExpandAt(Index i)
    {
        const size_t mfc = MfcMacroLength(t_, static_cast<size_t>(i));
        if (mfc > 0) {
            Erase(i, i + static_cast<Index>(mfc) - 1);
            return i - 1;
        }
        auto found = macros_.find(t_[i].text ? t_[i].text : "");
        if (found == macros_.end()) {
            return i;
        }
        const CMacroDef& macro = *found->second;
        if (!macro.functionLike) {
            const std::vector<PPToken> body = macro.body;
            t_.erase(t_.begin() + i);
            t_.insert(t_.begin() + i, body.begin(), body.end());
            MakeDirectiveWordsIdentifiers(t_.data() + i, t_.data() + i + body.size());
            return i + static_cast<Index>(body.size()) - 1;
        }
        if (i + 1 >= Size() || t_[i + 1].type != LP) {
            return i;
        }
        std::vector<MacroArgument> args;
        const Index close = static_cast<Index>(
            CollectMacroArguments(t_, static_cast<size_t>(i + 1), args, kArgumentsEndText));
        std::vector<PPToken> expansion;
        SubstituteArguments(macro, t_, args, expansion);
        MakeDirectiveWordsIdentifiers(expansion.data(), expansion.data() + expansion.size());
        Erase(i, close);
        t_.insert(t_.begin() + i, expansion.begin(), expansion.end());
        return i + static_cast<Index>(expansion.size()) - 1;
    }

    std::vector<PPToken>& t_;
    MacroTable& macros_;
    std::string path_;
    std::vector<bool> stack_;
    std::set<std::string> once_;
};
