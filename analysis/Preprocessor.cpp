#include "Preprocessor.h"

#include "ConditionExpression.h"
#include "ConditionalGroups.h"
#include "LanguageTable.h"
#include "MacroArguments.h"
#include "MacroDefinition.h"
#include "MfcMacros.h"
#include "PreprocessorFailure.h"
#include "SourceLanguage.h"
#include "SourceScanner.h"
#include "TextHelpers.h"
#include "TokenText.h"
#include "TokenType.h"

#include <cstring>

namespace {

void WriteStopLine(MessageSink& messages, const std::string& path)
{
    MessageLine(messages) << GetLangString(1) << ": " << path;
}

} // namespace

CPreprocessor::CPreprocessor(CProjectFile* file, CInputSet* input, CFileIndex* index,
    ScannedFiles* scanned, TokenTextStore* texts)
    : file_(file),
      macros_(&file->macros),
      ownMacros_(nullptr),
      input_(input),
      index_(index),
      chain_(nullptr),
      depth_(0),
      ownChain_(std::make_unique<Chain>())
{
    chain_ = ownChain_.get();
    chain_->projectPath = file->path;
    chain_->macros = &file->macros;
    chain_->macroDigest.Reset(file->macros);
    chain_->onceFiles = &file->onceFiles;
    chain_->namesRead = &file->namesRead;
    chain_->scanned = scanned;
    chain_->texts = texts;
    if (scanned != nullptr) {
        chain_->paths.ShareListings(&scanned->Folders());
    }
}

CPreprocessor::CPreprocessor(CSourceFile* file, MacroTable* ownMacros, CInputSet* input,
    CFileIndex* index, Chain* chain, int depth)
    : file_(file),
      macros_(chain->macros),
      ownMacros_(ownMacros),
      input_(input),
      index_(index),
      chain_(chain),
      depth_(depth)
{
}

void CPreprocessor::ReadAheadOf(
    EarlierFirsts* earlier, size_t order, std::vector<TakenFirst>* taken, bool* waited)
{
    chain_->waited = waited;
    chain_->earlier = earlier;
    chain_->order = order;
    chain_->taken = taken;
}

void CPreprocessor::Run()
{
    try {
        ProcessTokens();
    } catch (const std::bad_alloc&) {
        file_->readingCut = true;
        MessageLine(input_->Messages(), MessageKind::Error)
            << "Out of memory while preprocessing " << file_->path;
        WriteStopLine(input_->Messages(), file_->path);
    } catch (const std::exception&) {
        file_->readingCut = true;
        WriteStopLine(input_->Messages(), file_->path);
    }
}

const PPToken* CPreprocessor::Peek(size_t offset) const
{
    return pos_ + offset < in_.size() ? &in_[pos_ + offset] : nullptr;
}

void CPreprocessor::Keep(size_t count)
{
    const size_t end = std::min(in_.size(), pos_ + count);
    for (; pos_ < end; ++pos_) {
        out_.push_back(std::move(in_[pos_]));
    }
}

void CPreprocessor::Drop(size_t count)
{
    pos_ = std::min(in_.size(), pos_ + count);
}

void CPreprocessor::PopGroup()
{
    if (!branchTaken_.empty()) {
        branchTaken_.pop_back();
    }
}

void CPreprocessor::ProcessTokens()
{
    std::vector<PPToken>& tokens = file_->scan.tokens;
    in_ = std::move(tokens);
    tokens.clear();
    if (depth_ == 0) {
        chain_->readsC = ReadsAsC(file_->path, in_);
    }
    if (chain_->readsC) {
        MakeCppOnlyKeywordsIdentifiers(in_);
    }
    pos_ = 0;
    out_.clear();
    out_.reserve(in_.size());

    // Whatever happens, the file ends up with the result so far followed by
    // the tokens not yet handled. When memory has run out and there is no
    // room for those, the file keeps only the result so far: this must not
    // fail again.
    struct Finish {
        CPreprocessor& self;
        std::vector<PPToken>& tokens;
        ~Finish()
        {
            try {
                self.out_.reserve(self.out_.size() + (self.in_.size() - self.pos_));
                for (size_t k = self.pos_; k < self.in_.size(); ++k) {
                    self.out_.push_back(std::move(self.in_[k]));
                }
            } catch (const std::bad_alloc&) {
            }
            tokens = std::move(self.out_);
            std::vector<PPToken>().swap(self.in_);
            // The tokens stay with the file for the life of the model: room
            // reserved for them and not taken is given back.
            if (tokens.capacity() - tokens.size() > tokens.size() / 8) {
                try {
                    tokens.shrink_to_fit();
                } catch (const std::bad_alloc&) {
                }
            }
            std::vector<PPToken>().swap(self.out_);
            self.pos_ = 0;
        }
    } finish {*this, tokens};

    int32_t previous = -1;
    while (pos_ < in_.size()) {
        if (input_ != nullptr && input_->stopRequest.load(std::memory_order_relaxed)) {
            break;
        }
        PPToken& token = in_[pos_];
        const int32_t type = token.type;
        if (type == SHARP) {
            Keep(DispatchDirective());
            previous = SHARP;
        } else if (type == IDENTIFIER) {
            Keep(ExpandAt());
            previous = IDENTIFIER;
        } else {
            const char* word = previous == SHARP ? nullptr : SourceWordSpelling(type);
            if (word != nullptr) {
                MakeIdentifierToken(token, word);
            }
            Keep(1);
            previous = type;
        }
    }
    branchTaken_.clear(); // groups still open at the end of the file end there
}

size_t CPreprocessor::DispatchDirective()
{
    const PPToken* next = Peek(1);
    if (next == nullptr) {
        return 1;
    }
    switch (next->type) {
    case Q_CHAR:
    case WORD_INCLUDE:
        return HandleInclude();
    case WORD_ELSE:
        return HandleElse();
    case WORD_IF:
        return HandleIf(true);
    case WORD_ELIF:
        return HandleIf(false);
    case WORD_IFDEF:
        return HandleIfdef(true);
    case WORD_IFNDEF:
        return HandleIfdef(false);
    case WORD_ENDIF:
        return HandleEndif();
    case WORD_DEFINE:
    case WORD_UNDEF:
        return HandleDefine();
    case WORD_PRAGMA:
        return HandlePragma();
    default:
        return 1;
    }
}

size_t CPreprocessor::HandleInclude()
{
    const PPToken* word = Peek(1);
    if (word->type == Q_CHAR) {
        if (word->text != nullptr && word->text[0] != '\0') {
            IncludeFile(word->text, false);
        }
        return 1;
    }
    const PPToken* name = Peek(2);
    if (name != nullptr && (name->type == STRINGS || name->type == H_CHAR)) {
        IncludeFile(name->text ? name->text : "", true);
        return 3;
    }
    // A name a macro makes is not followed. The line stays as written: its
    // expansion would leave an include of a header never read among the
    // tokens, where the check for moved headers finds the includes again.
    size_t end = 2;
    while (Peek(end) != nullptr && Peek(end)->type != ENDLINE) {
        ++end;
    }
    return end;
}

void CPreprocessor::RemoveLine()
{
    for (size_t k = pos_; k < in_.size(); ++k) {
        if (in_[k].type == ENDLINE) {
            Drop(k - pos_ + 1);
            return;
        }
    }
    // A directive on the last line, without a line end: the rest goes.
    Drop(in_.size() - pos_);
}

void CPreprocessor::SkipFalseBranch()
{
    const BranchEnd end = FindBranchEnd(in_, pos_);
    switch (end.kind) {
    case BranchEnd::Endif:
        Drop(end.word - pos_ + 1);
        PopGroup();
        return;
    case BranchEnd::Elif:
        Drop(end.word - 1 - pos_);
        return;
    case BranchEnd::Else:
        if (branchTaken_.empty()) {
            MessageLine(input_->Messages(), MessageKind::Error) << "preprocessing If is not pair.";
        }
        if (TopTaken()) {
            Drop(end.word - 1 - pos_);
        } else {
            Drop(end.word + 2 - pos_);
        }
        return;
    case BranchEnd::NotClosed:
        MessageLine(input_->Messages(), MessageKind::Error)
            << "#endif missing: the conditional group ends at the end of " << file_->path;
        Drop(in_.size() - pos_);
        PopGroup();
        return;
    }
}

size_t CPreprocessor::HandleIf(bool isIf)
{
    if (!isIf && TopTaken()) {
        SkipFalseBranch();
        return 0;
    }
    const int32_t value =
        EvaluateConditionOrFalse(in_, pos_ + 2, *macros_, input_->Messages(), file_->path);
    if (isIf) {
        branchTaken_.push_back(value != 0);
    }
    if (value != 0) {
        RemoveLine();
        if (!isIf && !branchTaken_.empty()) {
            branchTaken_.back() = true;
        }
    } else {
        SkipFalseBranch();
    }
    return 0;
}

size_t CPreprocessor::HandleIfdef(bool isIfdef)
{
    const PPToken* name = Peek(2);
    const PPToken* end = Peek(3);
    if (name == nullptr || end == nullptr || end->type != ENDLINE) {
        return 1;
    }
    const std::string text = name->type == IDENTIFIER
        ? std::string(name->text ? name->text : "")
        : TokenSpelling(in_, static_cast<int>(pos_ + 2));
    const bool defined = macros_->find(text) != macros_->end();
    if (defined == isIfdef) {
        branchTaken_.push_back(true);
        Drop(4);
    } else {
        branchTaken_.push_back(false);
        SkipFalseBranch();
    }
    return 0;
}

size_t CPreprocessor::HandleElse()
{
    if (Peek(2) == nullptr) {
        return 1;
    }
    if (branchTaken_.empty()) {
        const char* text = "cannot preprocessing Else because there is no if or if(n)def.";
        MessageLine(input_->Messages(), MessageKind::Error) << text;
        throw PreprocessorFailure(text);
    }
    if (branchTaken_.back()) {
        const size_t before = pos_;
        SkipFalseBranch();
        if (pos_ == before) {
            const char* text = "cannot handle preprocessing Else";
            MessageLine(input_->Messages(), MessageKind::Error) << text;
            throw PreprocessorFailure(text);
        }
    } else {
        RemoveLine();
    }
    return 0;
}

size_t CPreprocessor::HandleEndif()
{
    PopGroup();
    Drop(2);
    return 0;
}

size_t CPreprocessor::HandlePragma()
{
    const PPToken* word = Peek(2);
    if (word != nullptr && word->type == IDENTIFIER && word->text != nullptr &&
        std::strcmp(word->text, "once") == 0) {
        if (!chain_->onceFiles->insert(file_->path).second) {
            // Already read while this project file is preprocessed.
            out_.clear();
            Drop(in_.size() - pos_);
            return 0;
        }
    }
    RemoveLine();
    return 0;
}

size_t CPreprocessor::HandleDefine()
{
    CDefineProcessor define(in_, *macros_, input_->Messages());
    const size_t last = define.Parse(pos_);
    if (define.Completed()) {
        chain_->macroDigest.Change(define.Name(), define.Replaced(), define.Stored());
    }
    if (define.Completed() && ownMacros_ != nullptr && !define.Name().empty()) {
        if (define.IsUndef()) {
            ownMacros_->erase(define.Name());
        } else {
            (*ownMacros_)[define.Name()] = define.Definition();
        }
    }
    return last - pos_ + 1;
}

size_t CPreprocessor::ExpansionRoom() const
{
    return kMaxExpandedTokens - std::min(kMaxExpandedTokens, chain_->expandedTokens);
}

bool CPreprocessor::ExpansionFits(bool fits)
{
    if (fits) {
        return true;
    }
    if (!chain_->expansionLimitReported) {
        chain_->expansionLimitReported = true;
        MessageLine(input_->Messages(), MessageKind::Error)
            << "Macros add more than " << kMaxExpandedTokens << " tokens to " << file_->path
            << ": further macro uses are left as they are";
    }
    return false;
}

size_t CPreprocessor::ExpandAt()
{
    const size_t mfc = MfcMacroLength(in_, pos_, &messageMapSearch_);
    if (mfc > 0) {
        Drop(mfc);
        return 0;
    }
    const PPToken& token = in_[pos_];
    auto found = macros_->find(token.text ? token.text : "");
    if (found == macros_->end()) {
        return 1;
    }
    const CMacroDef& macro = *found->second;
    if (!macro.functionLike) {
        if (!ExpansionFits(macro.body.size() <= ExpansionRoom())) {
            return 1;
        }
        chain_->expandedTokens += macro.body.size();
        Drop(1);
        const size_t from = out_.size();
        out_.insert(out_.end(), macro.body.begin(), macro.body.end());
        MakeDirectiveWordsIdentifiers(out_.data() + from, out_.data() + out_.size());
        return 0;
    }
    const PPToken* open = Peek(1);
    if (open == nullptr || open->type != LP) {
        return 1;
    }
    std::vector<MacroArgument> args;
    const size_t close = CollectMacroArguments(in_, pos_ + 1, args, kArgumentsEndText);
    if (!ExpansionFits(SubstitutionFits(macro, args, ExpansionRoom()))) {
        return 1;
    }
    std::vector<PPToken> expansion;
    SubstituteArguments(macro, in_, args, expansion);
    MakeDirectiveWordsIdentifiers(expansion.data(), expansion.data() + expansion.size());
    chain_->expandedTokens += expansion.size();
    Drop(close - pos_ + 1);
    for (PPToken& t : expansion) {
        out_.push_back(std::move(t));
    }
    return 0;
}
