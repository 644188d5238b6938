#include "MacroDefinition.h"

#include "MacroArguments.h"
#include "PreprocessorFailure.h"
#include "TokenText.h"
#include "TokenType.h"

#include <algorithm>

const PPToken& CDefineProcessor::At(size_t position) const
{
    if (position >= tokens_.size()) {
        throw std::out_of_range(kIndexFailureText);
    }
    return tokens_[position];
}

size_t CDefineProcessor::Parse(size_t i)
{
    try {
        isUndef_ = At(i + 1).type == WORD_UNDEF;
        const size_t p = ParseName(i);
        const size_t b = ParseParameters(p);
        const size_t end = ParseBody(b);
        if (!completed_) {
            return end;
        }
        if (isUndef_) {
            auto found = macros_.find(name_);
            if (found != macros_.end()) {
                replaced_ = std::move(found->second);
                hadOne_ = true;
                macros_.erase(found);
            }
        } else {
            made_ = SharedMacro(std::move(def_));
            auto [at, added] = macros_.try_emplace(name_);
            if (!added) {
                replaced_ = std::move(at->second);
                hadOne_ = true;
            }
            at->second = made_;
        }
        return end;
    } catch (const PreprocessorFailure& failure) {
        MessageLine(messages_, MessageKind::Error) << failure.what();
    } catch (const std::exception&) {
        MessageLine(messages_, MessageKind::Error)
            << "#define Analysis - (Cannot Complete Analysis)";
    }
    completed_ = false;
    return i;
}

size_t CDefineProcessor::ParseName(size_t i)
{
    const PPToken& name = At(i + 2);
    if (name.type == IDENTIFIER) {
        name_ = name.text ? name.text : "";
    } else {
        name_ = TokenSpelling(tokens_, static_cast<int>(i + 2));
    }
    return i + 3;
}

size_t CDefineProcessor::ParseParameters(size_t p)
{
    def_.functionLike = false;
    def_.parameters.clear();
    if (p >= tokens_.size() || tokens_[p].type != LP || tokens_[p].text != nullptr) {
        return p; // object-like; a '(' after a blank starts the body
    }
    std::vector<std::string> names;
    bool afterName = false;
    for (size_t j = p + 1; j < tokens_.size(); ++j) {
        const PPToken& token = tokens_[j];
        const char* name = ParameterNameOf(token);
        if (!afterName && (name != nullptr || token.type == IDENTIFIER)) {
            names.push_back(name ? name : "");
            afterName = true;
        } else if (token.type == RP && j == p + 1) {
            def_.functionLike = true; // F(): a function-like macro without parameters
            return j + 1;
        } else if (token.type == ELLIPSIS && !afterName && j + 1 < tokens_.size() &&
            tokens_[j + 1].type == RP) {
            names.push_back(kVariadicParameter); // F(a, ...): the rest of the arguments
            def_.functionLike = true;
            def_.parameters = std::move(names);
            return j + 2;
        } else if (token.type == COMMA && afterName) {
            afterName = false;
        } else if (token.type == RP && afterName) {
            def_.functionLike = true;
            def_.parameters = std::move(names);
            return j + 1;
        } else if (token.type == RP) {
            // a ')' not after a name is passed over
        } else {
            break;
        }
    }
    return p; // any other shape: object-like, the body starts at the '('
}

size_t CDefineProcessor::ParseBody(size_t b)
{
    def_.body.clear();
    size_t j = b;
    while (j < tokens_.size()) {
        const PPToken& token = tokens_[j];
        if (token.type == ENDLINE) {
            if (cut_) {
                DropUnclosedEnd();
            }
            completed_ = true;
            return j;
        }
        if (token.type == IDENTIFIER) {
            j = ExpandInBody(j) + 1;
        } else {
            if (BodyHasRoom(1)) {
                def_.body.push_back(token);
                if (token.type == LP) {
                    def_.body.back().FreeText(); // the mark stays on the #define line
                }
            }
            ++j;
        }
    }
    return tokens_.empty() ? 0 : tokens_.size() - 1;
}

bool CDefineProcessor::BodyHasRoom(size_t count)
{
    return CutUnless(count <= BodyRoom());
}

size_t CDefineProcessor::BodyRoom() const
{
    return cut_ || def_.body.size() >= kMaxBodyTokens ? 0 : kMaxBodyTokens - def_.body.size();
}

bool CDefineProcessor::CutUnless(bool fits)
{
    if (fits && !cut_) {
        return true;
    }
    if (!cut_) {
        cut_ = true;
        MessageLine(messages_, MessageKind::Error)
            << "The body of macro " << name_ << " grows past " << kMaxBodyTokens
            << " tokens: the rest of it is left out";
    }
    return false;
}

namespace {

int BracketStep(int type)
{
    if (type == LC || type == LP || type == LB) {
        return 1;
    }
    return type == RC || type == RP || type == RB ? -1 : 0;
}

int ClosingBracket(int type)
{
    return type == LC ? RC : type == LP ? RP : RB;
}

} // namespace

// A cut body stops anywhere, often inside a brace it opened: each use would
// then open a block that nothing closes, and the rest of the file would be
// read into it. It ends instead where what it opened is closed again (where
// the bracket depth is back at its lowest so far, so that a body may close
// what its uses opened). A body that never comes back to where it began, such
// as a table in braces, ends where its depth is lowest after its first token,
// between two entries, and the brackets still open there are closed.
void CDefineProcessor::DropUnclosedEnd()
{
    int depth = 0;
    int lowest = 0; // so far, counting the start
    int least = 0; // after the first token
    size_t end = 0; // after the last token at `lowest`
    size_t leastEnd = 0; // after the last token at `least`
    for (size_t k = 0; k < def_.body.size(); ++k) {
        depth += BracketStep(def_.body[k].type);
        lowest = std::min(lowest, depth);
        if (depth == lowest) {
            end = k + 1;
        }
        if (k == 0 || depth <= least) {
            least = depth;
            leastEnd = k + 1;
        }
    }
    if (end > 0) {
        def_.body.resize(end);
        return;
    }
    def_.body.resize(leastEnd);
    std::vector<int> open;
    for (const PPToken& token : def_.body) {
        const int step = BracketStep(token.type);
        if (step > 0) {
            open.push_back(token.type);
        } else if (step < 0 && !open.empty()) {
            open.pop_back();
        }
    }
    const int32_t line = def_.body.empty() ? 0 : def_.body.back().line;
    for (auto type = open.rbegin(); type != open.rend(); ++type) {
        def_.body.emplace_back(line, ClosingBracket(*type), nullptr);
    }
}

size_t CDefineProcessor::ExpandInBody(size_t position)
{
    const PPToken& token = tokens_[position];
    auto found = FindParameter(def_, token) >= 0 ? macros_.end()
                                                 : macros_.find(token.text ? token.text : "");
    if (found == macros_.end()) {
        if (BodyHasRoom(1)) {
            def_.body.push_back(token);
        }
        return position;
    }
    const CMacroDef& macro = *found->second;
    if (!macro.functionLike) {
        if (BodyHasRoom(macro.body.size())) {
            def_.body.insert(def_.body.end(), macro.body.begin(), macro.body.end());
        }
        return position;
    }
    std::vector<MacroArgument> args;
    if (position + 1 >= tokens_.size() || tokens_[position + 1].type != LP) {
        if (BodyHasRoom(1)) {
            def_.body.push_back(token);
        }
        return position;
    }
    const size_t close = CollectMacroArguments(tokens_, position + 1, args, kBodyArgumentsEndText);
    if (CutUnless(SubstitutionFits(macro, args, BodyRoom()))) {
        SubstituteArguments(macro, tokens_, args, def_.body);
    }
    return close;
}
