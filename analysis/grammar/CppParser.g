// The declaration grammar of the analysis. One unit of a source file is parsed
// at a time: the token stream yields a start-kind token, the unit's own tokens
// and, for a unit that owns a brace block, an empty brace pair. The rules
// write the unit's kind, its done flag and its detail record.
//
// Positions: a token's line is its position within the unit (0 for the first
// unit token) and its column is its index in the file's token vector.

header "pre_include_hpp" {
#include "DetailRecords.h"
#include "ParserSupport.h"
#include "QualifiedName.h"
#include "RuleAttempts.h"
#include "TokenText.h"
#include "TokenType.h"
#include "Unit.h"
#include "UnitTokenStream.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <vector>
}

options {
    language = "Cpp";
}

class CCppParser extends Parser;

options {
    k = 2;
    importVocab = Kestrin;
    buildAST = false;
    codeGenBitsetTestThreshold = 3;
    defaultErrorHandler = true;
}

{
public:
    CUnitTokenStream* tokenStream = nullptr;
    CUnit* currentUnit = nullptr;

    // The unit position of the next token: the tokens consumed so far, with
    // the rewinds after trial parses taken into account.
    int TokenPosition() const { return tokenPosition_; }

    void consume() override
    {
        ++tokenPosition_;
        ANTLR_USE_NAMESPACE(antlr)LLkParser::consume();
    }
    unsigned int mark() override
    {
        markedPositions_.push_back(tokenPosition_);
        return ANTLR_USE_NAMESPACE(antlr)LLkParser::mark();
    }
    void rewind(unsigned int marker) override
    {
        ANTLR_USE_NAMESPACE(antlr)LLkParser::rewind(marker);
        if (!markedPositions_.empty()) {
            tokenPosition_ = markedPositions_.back();
            markedPositions_.pop_back();
        }
    }

    // Trial parses remembered so far.
    const RuleAttempts& Attempts() const { return attempts_; }

protected:
    // One call of a rule. While guessing, an attempt already made at this
    // position is not made again: a remembered failure throws at once, and
    // a remembered success lets the rule pass over its tokens
    // (PassRemembered); a new attempt is remembered when it ends.
    class RememberedAttempt {
    public:
        RememberedAttempt(CCppParser& parser, const char* rule)
            : parser_(parser), rule_(rule), start_(parser.tokenPosition_),
              guessing_(parser.inputState->guessing > 0), uncaught_(std::uncaught_exceptions())
        {
            if (!guessing_)
                return;
            end_ = parser.attempts_.Find(rule_, start_);
            if (end_ == RuleAttempts::kFailed)
                throw ANTLR_USE_NAMESPACE(antlr)RecognitionException("failed here before");
        }
        ~RememberedAttempt()
        {
            if (!guessing_ || end_ != RuleAttempts::kUnknown)
                return;
            const bool failed = std::uncaught_exceptions() > uncaught_;
            try {
                parser_.attempts_.Note(rule_, start_,
                                       failed ? RuleAttempts::kFailed : parser_.tokenPosition_);
            } catch (...) {
                // Not remembered: the attempt is made again next time.
            }
        }
        RememberedAttempt(const RememberedAttempt&) = delete;
        RememberedAttempt& operator=(const RememberedAttempt&) = delete;

        // True when this attempt is known to succeed; its tokens are then
        // consumed and the rule returns at once.
        bool PassRemembered()
        {
            if (end_ < 0)
                return false;
            // The tokens were read before: passing them is not new work.
            while (parser_.tokenPosition_ < end_) {
                ++parser_.tokenPosition_;
                parser_.ANTLR_USE_NAMESPACE(antlr)LLkParser::consume();
            }
            return true;
        }

    private:
        CCppParser& parser_;
        const char* rule_;
        int start_;
        bool guessing_;
        int uncaught_;
        int end_ = RuleAttempts::kUnknown;
    };

private:
    int tokenPosition_ = 0;
    std::vector<int> markedPositions_;
    RuleAttempts attempts_;
    // Set on the last try of a declaration (DECLARATION2), the only one
    // that reads a variable's first value in parentheses: the first try
    // would take a macro's arguments after a function's parameters for one.
    bool lastTry_ = false;

protected:
    // Appends the file positions of the unit's tokens from..to.
    void CopyRange(int from, int to, TokenIndices& out)
    {
        currentUnit->CopyTokenIndices(from, to, out);
    }

    // The spellings of the tokens at the given file positions, joined
    // without blanks.
    std::string SpellTokens(const TokenIndices& positions) const
    {
        if (!currentUnit->tokens)
            return std::string();
        return TokensToText(*currentUnit->tokens, positions, 0);
    }

    void MarkUnit(int kind)
    {
        currentUnit->kind = kind;
        currentUnit->done = true;
    }

    void MarkUnit(int kind, std::unique_ptr<CDetailRecord> record)
    {
        MarkUnit(kind);
        currentUnit->SetDetail(std::move(record));
    }

    // Marks the unit as a class, struct or union (`key`) with its name, the
    // scopes it is named in and its bases.
    void MarkClass(int key, const std::string& name, const std::vector<std::string>& scopes,
                   const std::vector<CBaseClassInfo>& bases)
    {
        auto info = std::make_unique<CClassInfo>();
        info->qualifiedName.scopes = scopes;
        info->qualifiedName.name = name;
        info->bases = bases;
        MarkUnit(key, std::move(info));
    }

    // Where a type ends that cv-qualifiers or pointer operators may follow:
    // at the end of those when there are any (`after`, noted in
    // cvAfterType), otherwise at `plainEnd`.
    int TypeEnd(int after, int plainEnd, bool& cvAfterType)
    {
        if (after == 0)
            return plainEnd;
        cvAfterType = true;
        return after;
    }

    void AppendAll(TokenIndices& to, const TokenIndices& from)
    {
        to.insert(to.end(), from.begin(), from.end());
    }

    // Whether an alias declaration comes next, "using Count = unsigned;":
    // one whose unit ends with its ';'. Cut off at the end of a file, it is
    // not read over to the end first.
    bool AliasFollows()
    {
        const auto& positions = currentUnit->tokenIndices;
        return LA(1) == WORD_USING && LA(2) == IDENTIFIER && LA(3) == ASSIGN &&
            !positions.empty() &&
            currentUnit->GetToken(static_cast<int>(positions.size()) - 1).type == SEMI;
    }

    // Whether the token at the file position is a pointer operator or a cv
    // word, as a declarator may begin with.
    bool IsDeclaratorWord(int position) const
    {
        const int type = currentUnit->tokens->at(static_cast<size_t>(position)).type;
        return type == STAR || type == AND || type == ANDAND || type == WORD_CONST ||
            type == WORD_VOLATILE;
    }

    // Whether a class decoration (see class_decoration) comes next.
    bool ClassDecorationFollows()
    {
        if (LA(1) == WORD__DECLSPEC || LA(1) == WORD___DECLSPEC)
            return true;
        // The words and the name, then the body, the bases or "final"; two
        // words or more, "class OGRE_DEPRECATED _OgreExport Event : public
        // Base {", are passed over one at a time.
        constexpr int kMostWords = 8;
        int i = 1;
        while (i <= kMostWords && LA(i) == IDENTIFIER && !IsFinalWord(i))
            ++i;
        return i >= 3 && (LA(i) == LC || LA(i) == COLON || IsFinalWord(i));
    }

    // For "NAME ( ..." at the lookahead position `at`: the position of the
    // first `end` ("," or ")") after the "(", with no parenthesis before it
    // and at most `longest` positions after the name; 0 when there is none.
    int MacroArgumentsUpTo(int end, int longest, int at = 1)
    {
        if (LA(at) != IDENTIFIER || LA(at + 1) != LP)
            return 0;
        for (int i = at + 2; i <= at + longest; ++i) {
            if (LA(i) == end)
                return i;
            if (LA(i) == LP || LA(i) == RP || LA(i) == antlr::Token::EOF_TYPE)
                return 0;
        }
        return 0;
    }

    // Whether a macro with arguments standing for a type comes next (see
    // declaration_specifiers): "M ( ... ) [::] N [:: N]... (" with no
    // parenthesis inside the arguments and no pointer after the last "(",
    // which a parameter list of an old-style definition could begin with;
    // or such a macro before a variable's declarator (see
    // TypeMacroBeforeDeclaratorAt).
    bool TypeMacroFollows()
    {
        return TypeMacroParenthesisAt(1) != 0 || TypeMacroBeforeDeclaratorAt(1);
    }

    // Whether a macro with arguments standing for a type begins at the
    // lookahead position `at`, then a declarator: "M ( ... )" with no
    // parenthesis inside the arguments, then
    // - at least one "*" or "&" and a possibly qualified name, as in
    //   OpenSSL's "STACK_OF(X509) *chain = NULL;" and
    //   "int f(STACK_OF(X509) *certs, int n)";
    // - or, when the arguments are names, built-in type words and pointer
    //   operators only, a name, as in BSD's "TAILQ_ENTRY(entry) link;",
    //   FOX's "FXDEFMAP(FXList) FXListMap[]={" and ncurses'
    //   "NCURSES_EXPORT_VAR(int) ESCDELAY = 1000;" and
    //   "NCURSES_EXPORT_VAR(SCREEN *) _nc_screen_chain;";
    // then what follows a declarator's name. No parameter of an old-style
    // definition begins so; a function without a type and with a word after
    // its parameters does, "CFile(CStream) NOTHROW;", and reads as a variable.
    bool TypeMacroBeforeDeclaratorAt(int at)
    {
        constexpr int kLongest = 32;
        const int close = MacroArgumentsUpTo(RP, kLongest, at);
        if (close == 0)
            return false;
        int i = close + 1;
        const bool pointer = LA(i) == STAR || LA(i) == AND;
        if (pointer) {
            i = PastPointerWords(i, kLongest);
        } else {
            for (int k = at + 2; k < close; ++k) {
                const int type = LA(k);
                if (type != IDENTIFIER && type != COMMA && !IsBuiltinTypeWord(type) &&
                    type != WORD_CONST && type != STAR && type != AND)
                    return false;
            }
            // A whole unnamed parameter, Tcl's "TCL_UNUSED(TkTextLine *)":
            // arguments that are plainly a type, then the parameter's end.
            if (LA(i) == COMMA || LA(i) == RP)
                return ParametersBetween(at + 2, close);
        }
        if (LA(i) != IDENTIFIER)
            return false;
        switch (LA(LastOfQualifiedName(i, kLongest) + 1)) {
        case SEMI: case ASSIGN: case COMMA: case LB:
            return true;
        case RP: case LP:
            return pointer;
        default:
            return false;
        }
    }

    // For such a macro at the lookahead position `at`: the position of the
    // function's "(", or 0 when the tokens are not of that shape.
    int TypeMacroParenthesisAt(int at)
    {
        constexpr int kLongestArguments = 32;
        // "voidpf (*open) OF((...))": a pointer declarator after a type, not
        // a macro's arguments.
        if (LA(at + 2) == STAR || LA(at + 2) == AND)
            return 0;
        int i = MacroArgumentsUpTo(RP, kLongestArguments, at);
        if (i == 0)
            return 0;
        ++i;
        if (LA(i) == CLCL)
            ++i;
        if (LA(i) != IDENTIFIER)
            return 0;
        const int longestName = i + 2 * kLongestArguments;
        while (LA(i + 1) == CLCL && LA(i + 2) == IDENTIFIER && i < longestName)
            i += 2;
        return LA(i + 1) == LP && LA(i + 2) != STAR && LA(i + 2) != AND ? i + 1 : 0;
    }

    // Whether such a macro begins at the lookahead position `at` after
    // other words, and the function's parentheses hold parameters or
    // nothing. A function's own parameters and an attribute macro after
    // them have the macro's shape otherwise:
    // "HGLOBAL GlobalAlloc(UINT f, SIZE_T n) __WINE_ALLOC_SIZE(2);".
    bool TypeMacroBeforeParametersAt(int at)
    {
        constexpr int kLongestParameters = 128;
        const int open = TypeMacroParenthesisAt(at);
        if (open == 0)
            return false;
        const int close = PastParenthesised(open, kLongestParameters);
        return close == open + 2 || (close != 0 && ParametersBetween(open, close));
    }

    // The first lookahead position from `at` that is not const or volatile,
    // looking at most `longest` positions ahead.
    int PastCvWords(int at, int longest)
    {
        int i = at;
        while ((LA(i) == WORD_CONST || LA(i) == WORD_VOLATILE) && i < at + longest)
            ++i;
        return i;
    }

    // For the "<" at the lookahead position `at`: the position after the
    // ">" that closes it, nested brackets balanced (">>" closes two, and one
    // in parentheses is a comparison), or 0 when none does within `longest`
    // positions or before the unit ends.
    int PastTemplateArguments(int at, int longest)
    {
        int depth = 1;
        int parens = 0; // brackets in parentheses are comparisons
        for (int i = at + 1; i <= at + longest; ++i) {
            const int type = LA(i);
            if (type == LP) {
                ++parens;
                continue;
            }
            if (type == RP) {
                if (--parens < 0)
                    return 0;
                continue;
            }
            if (parens > 0 && (type == LT_ || type == GT || type == RS))
                continue;
            if (type == LT_)
                ++depth;
            else if (type == GT)
                --depth;
            else if (type == RS)
                depth -= 2;
            else if (type == SEMI || type == LC || type == RC || type == antlr::Token::EOF_TYPE)
                return 0;
            if (depth <= 0)
                return depth == 0 ? i + 1 : 0;
        }
        return 0;
    }

    // Whether the "<" at the lookahead position `at` opens no template
    // arguments: a ")" or "]" opened before it, or the end of a statement or
    // block, comes before a ">" could close it, as in "waitMillis(millis <
    // 1000 ? 1000 : millis)" or "(Value < (1 << 7)) ? 1 : 2". Looks at most
    // 64 positions ahead; when nothing tells, the "<" may open arguments.
    bool ComparisonAt(int at)
    {
        constexpr int kLongest = 64;
        int depth = 1;
        int nested = 0; // brackets in parentheses are comparisons
        for (int i = at + 1; i <= at + kLongest; ++i) {
            const int type = LA(i);
            if (type == LP || type == LB) {
                ++nested;
            } else if (type == RP || type == RB) {
                if (--nested < 0)
                    return true;
            } else if (type == SEMI || type == LC || type == RC ||
                       type == antlr::Token::EOF_TYPE) {
                return true;
            } else if (nested == 0) {
                if (type == LT_)
                    ++depth;
                else if (type == GT)
                    --depth;
                else if (type == RS)
                    depth -= 2;
                if (depth <= 0)
                    return false;
            }
        }
        return false;
    }

    // Whether a function type begins at the first lookahead position, as a
    // template argument: a return type, pointers, then its parameters in
    // parentheses, "Console *(" or "void (". Looks at most 64 positions
    // ahead and never parses, so nested template arguments cost no more
    // than their tokens.
    bool FunctionTypeArgumentFollows()
    {
        constexpr int kLongest = 64;
        int i = PastSimpleType(PastCvWords(1, kLongest), kLongest);
        if (i != 0 && LA(i) == LT_)
            i = PastTemplateArguments(i, kLongest);
        return i != 0 && LA(PastPointerWords(i, kLongest)) == LP;
    }

    // From the lookahead position `at`: the position after a run of
    // built-in type words or after a name, qualified or not ("::N::Name");
    // 0 when neither begins there.
    int PastSimpleType(int at, int longest)
    {
        int i = at;
        if (IsBuiltinTypeWord(LA(i))) {
            while (IsBuiltinTypeWord(LA(i)) && i < at + longest)
                ++i;
            return i;
        }
        if (LA(i) == CLCL)
            ++i;
        return LA(i) == IDENTIFIER ? LastOfQualifiedName(i, longest) + 1 : 0;
    }

    // Whether a qualifier with template arguments begins at the lookahead
    // position `at`, after any plain one: "N::Box<T>::", "::Box<T *>::".
    // Looks at most 64 positions into the arguments, never parses.
    bool QualifierWithTemplateArgumentsFollows(int at = 1)
    {
        constexpr int kLongest = 64;
        const int name = LA(at) == CLCL ? at + 1 : at;
        if (LA(name) != IDENTIFIER)
            return false;
        const int open = LastOfQualifiedName(name, kLongest) + 1;
        if (LA(open) != LT_)
            return false;
        const int after = PastTemplateArguments(open, kLongest);
        return after != 0 && LA(after) == CLCL;
    }

    // Whether a type named through a qualifier with template arguments
    // comes next, then a declarator or the end of an unnamed parameter:
    // "std::vector<int>::size_type const n;", "Box<T>::Node *head;",
    // "void f(Box<T>::type)". Looks at most 64 positions ahead, never parses.
    bool TypeAfterTemplateQualifierFollows()
    {
        constexpr int kLongest = 64;
        int i = LA(1) == CLCL ? 2 : 1;
        bool arguments = false;
        while (LA(i) == IDENTIFIER && i < kLongest) {
            int next = i + 1;
            if (LA(next) == LT_) {
                next = PastTemplateArguments(next, kLongest);
                if (next == 0 || LA(next) != CLCL)
                    return false;
                arguments = true;
            } else if (LA(next) != CLCL) {
                const int after = LA(next);
                return arguments &&
                    (after == IDENTIFIER || after == STAR || after == AND ||
                        after == WORD_CONST || after == WORD_VOLATILE || after == WORD_OPERATOR ||
                        after == RP || after == COMMA || after == ASSIGN || after == LB ||
                        (after == LP && (LA(next + 1) == STAR || LA(next + 1) == AND)));
            }
            i = next + 1;
        }
        return false;
    }

    // Whether an unnamed template value parameter comes next: built-in
    // type words or one name, qualified or not, then ",", ">" or "=". The
    // name may have template arguments and name a member of what they
    // give, and pointers may follow, as a SFINAE condition is written:
    // "enable_if_t<is_a<T>::value, int> = 0",
    // "typename enable_if<C>::type * = nullptr". Looks at most 256
    // positions ahead.
    bool UnnamedValueParameterFollows()
    {
        constexpr int kLongest = 256;
        int i = PastSimpleType(LA(1) == WORD_TYPENAME ? 2 : 1, 16);
        while (i != 0 && LA(i) == LT_) {
            i = PastTemplateArguments(i, kLongest);
            if (i != 0 && LA(i) == CLCL && LA(i + 1) == IDENTIFIER)
                i = LastOfQualifiedName(i + 1, 16) + 1;
        }
        if (i != 0)
            i = PastPointerWords(i, 16);
        return i != 0 && (LA(i) == COMMA || LA(i) == GT || LA(i) == ASSIGN);
    }

    // The unit position of the ">" that closes the "<" at the lookahead
    // position `at` (see PastTemplateArguments), or that of the "<" when
    // none does.
    int ClosingBracketPosition(int at)
    {
        const int after = PastTemplateArguments(at, 256);
        return LT(after != 0 ? after - 1 : at)->getLine();
    }

    // Whether the "<" at the lookahead position `at` opens template
    // arguments that a parameter list follows.
    bool TemplateIdThenParameters(int at)
    {
        constexpr int kLongest = 64;
        const int after = PastTemplateArguments(at, kLongest);
        return after != 0 && LA(after) == LP;
    }

    // Whether "auto" at the first lookahead position is the type of a
    // function named with template arguments, as an explicit
    // specialisation is: "auto find<false, char>(...) -> bool",
    // "auto Widget::Get<int>() -> int". The name is then the declarator's,
    // not a type's. Looks at most 64 positions ahead, never parses.
    bool AutoBeforeTemplateIdFollows()
    {
        if (LA(1) != WORD_AUTO)
            return false;
        const int i = PastSimpleType(2, 16);
        return i != 0 && LA(i) == LT_ && TemplateIdThenParameters(i);
    }

    // Whether "typename" comes before a name with template arguments that
    // ends the type, "typename std::vector<T>", "typename
    // ::absl::enable_if_t<C, T>", rather than before a qualifier with
    // template arguments, "typename Base<T>::Data". Looks at most 256
    // positions ahead, never parses.
    bool TypenameBeforeTemplateIdFollows()
    {
        if (LA(1) != WORD_TYPENAME)
            return false;
        int i = PastSimpleType(2, 16);
        if (i == 0 || LA(i) != LT_)
            return false;
        i = PastTemplateArguments(i, 256);
        return i != 0 && LA(i) != CLCL;
    }

    // Whether a compile-time check begins here: C++'s static_assert or C's
    // _Static_assert with its parenthesis.
    bool StaticAssertFollows()
    {
        if (LA(1) != IDENTIFIER || LA(2) != LP)
            return false;
        const std::string& word = LT(1)->getText();
        return word == "static_assert" || word == "_Static_assert";
    }

    // Whether a name with template arguments and "..." after them follows:
    // a pack of bases. Looks at most 256 positions ahead, never parses.
    bool BasePackFollows()
    {
        if (LA(1) != IDENTIFIER || LA(2) != LT_)
            return false;
        const int after = PastTemplateArguments(2, 256);
        return after != 0 && LA(after) == ELLIPSIS;
    }

    // Whether a COM interface's definition or declaration begins here: the
    // word "interface", or MIDL_INTERFACE with its parenthesis, any words
    // and macro calls, then a name and a base list, the body or ";".
    bool InterfaceFollows()
    {
        constexpr int kLongest = 64;
        constexpr int kMostWords = 8;
        if (LA(1) != IDENTIFIER || (LA(2) != IDENTIFIER && LA(2) != LP))
            return false;
        const std::string& word = LT(1)->getText();
        int i = 2;
        if (word == "MIDL_INTERFACE") {
            if (LA(2) != LP || (i = PastParenthesised(2, kLongest)) == 0)
                return false;
        } else if (word != "interface") {
            return false;
        }
        for (int words = 0; words < kMostWords; ++words) {
            if (LA(i) != IDENTIFIER)
                return false;
            if (LA(i + 1) == LP) {
                if ((i = PastParenthesised(i + 1, kLongest)) == 0)
                    return false;
            } else if (LA(i + 1) == IDENTIFIER) {
                ++i;
            } else {
                return LA(i + 1) == COLON || LA(i + 1) == LC || LA(i + 1) == SEMI;
            }
        }
        return false;
    }

    // Whether an interface declared through the SDK's macro begins here,
    // "DECLARE_INTERFACE_(IShellExt, IUnknown) {".
    bool DeclareInterfaceFollows()
    {
        if (LA(1) != IDENTIFIER || LA(2) != LP || LA(3) != IDENTIFIER)
            return false;
        const std::string& word = LT(1)->getText();
        return word == "DECLARE_INTERFACE" || word == "DECLARE_INTERFACE_" ||
            word == "DECLARE_INTERFACE_IID_";
    }

    // Whether a class made a friend comes next and ends the declaration:
    // "friend class N::Helper;", "friend class Box<T>;". A friend function
    // may return such a class, "friend class D *make();".
    bool FriendClassFollows(bool keyed = true)
    {
        constexpr int kLongest = 64;
        // Without the key when `keyed` is false: C++11's "friend N::Impl;",
        // "friend Tuple<Ts...>;".
        if (LA(1) != WORD_FRIEND || LA(2) == WORD_ENUM || IsTypeKeyWord(LA(2)) != keyed)
            return false;
        int i = keyed ? 3 : 2;
        if (LA(i) == CLCL)
            ++i;
        if (LA(i) != IDENTIFIER)
            return false;
        i = LastOfQualifiedName(i, kLongest) + 1;
        if (LA(i) == LT_ && (i = PastTemplateArguments(i, kLongest)) == 0)
            return false;
        return LA(i) == SEMI;
    }

    // Whether a concept's definition begins here: the word, its name and "=".
    bool ConceptFollows()
    {
        return LA(1) == IDENTIFIER && LA(2) == IDENTIFIER && LA(3) == ASSIGN &&
            LT(1)->getText() == "concept";
    }

    // Whether the token type is a word of a built-in type (int, void, ...).
    static bool IsBuiltinTypeWord(int type)
    {
        switch (type) {
        case WORD_CHAR: case WORD_WCHAR_T: case WORD_BOOL: case WORD_SHORT: case WORD_INT:
        case WORD_LONG: case WORD_SIGNED: case WORD_UNSIGNED: case WORD_FLOAT: case WORD_DOUBLE:
        case WORD_VOID: case WORD__INT8: case WORD___INT8: case WORD__INT16: case WORD___INT16:
        case WORD__INT32: case WORD___INT32: case WORD__INT64: case WORD___INT64: case WORD__W64:
        case WORD___W64:
            return true;
        default:
            return false;
        }
    }

    // Whether the token type is the key of a class or enumeration.
    static bool IsTypeKeyWord(int type)
    {
        return type == WORD_CLASS || type == WORD_STRUCT || type == WORD_UNION || type == WORD_ENUM;
    }

    // Whether the token type may come right after the name of a function or
    // variable in its declaration: its parameters, a "::" of a qualified
    // name, the declaration's end, a first value, a dimension or a further
    // declarator.
    static bool MayFollowDeclaratorName(int type)
    {
        return type == LP || type == CLCL || type == SEMI || type == ASSIGN || type == LB ||
            type == COMMA;
    }

    // The first lookahead position from `at` that is not a pointer
    // operator, const or a calling convention, looking at most `longest`
    // positions ahead.
    int PastPointerWords(int at, int longest)
    {
        int i = at;
        while ((LA(i) == STAR || LA(i) == AND || LA(i) == WORD_CONST ||
                   IsCallingConventionWord(LA(i))) &&
               i < at + longest)
            ++i;
        return i;
    }

    // From a name at the lookahead position `at`: the position of the last
    // name of "N::M::Name", looking at most `longest` positions ahead.
    int LastOfQualifiedName(int at, int longest)
    {
        int i = at;
        while (LA(i + 1) == CLCL && LA(i + 2) == IDENTIFIER && i < at + longest)
            i += 2;
        return i;
    }

    // Whether the token type is a word that begins a declaration's
    // specifiers and that no name stands before: a storage class, typedef
    // or friend.
    static bool IsLeadingSpecifierWord(int type)
    {
        return type == WORD_TYPEDEF || type == WORD_EXTERN || type == WORD_STATIC ||
            type == WORD_REGISTER || type == WORD_MUTABLE || type == WORD_FRIEND;
    }

    // Whether the token type is inline, in any of its spellings, virtual or
    // explicit.
    static bool IsFunctionSpecifierWord(int type)
    {
        return type == WORD_INLINE || type == WORD__INLINE || type == WORD___INLINE ||
            type == WORD__FORCEINLINE || type == WORD___FORCEINLINE || type == WORD_VIRTUAL ||
            type == WORD_EXPLICIT;
    }

    // The first lookahead position from `at` that is not a name, looking at
    // most `longest` positions ahead.
    int PastNames(int at, int longest)
    {
        int i = at;
        while (LA(i) == IDENTIFIER && i < at + longest)
            ++i;
        return i;
    }

    // Whether names that a header never read defines come before a
    // declaration that begins with a keyword (see declaration):
    // "QT_BEGIN_NAMESPACE class QFoo {", "G_BEGIN_DECLS struct _Foo {",
    // "__END_DECLS EXTERN_C_START namespace N {", and in a class before an
    // access label, "Q_OBJECT public:", or before calls of such macros that
    // a member follows (see MacroCallsFollow), "Q_OBJECT
    // Q_PROPERTY(int value READ value) public:". No declaration of these
    // begins with a name before the keyword.
    bool NamesBeforeKeywordFollow(bool member)
    {
        constexpr int kLongestRun = 8;
        if (LA(1) != IDENTIFIER)
            return false;
        const int after = PastNames(2, kLongestRun);
        switch (LA(after)) {
        case WORD_CLASS: case WORD_STRUCT: case WORD_UNION: case WORD_ENUM: case WORD_NAMESPACE:
        case WORD_TEMPLATE: case WORD_TYPEDEF: case WORD_EXTERN: case WORD_STATIC: case WORD_USING:
            return true;
        default:
            if (!member)
                return false;
            if (IsAccessWord(LA(after)))
                return true;
            return LA(after) == LP && after > 2 && MacroCallsFollow(true, after - 1);
        }
    }

    // Whether names that a header never read defines come before such macro
    // calls at the top level: GLib's "G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    // GLIB_DEPRECATED_FOR(g_get_real_time) void g_get_current_time(GTimeVal *r);".
    bool NamesBeforeMacroCallsFollow()
    {
        constexpr int kLongestRun = 8;
        const int call = PastNames(1, kLongestRun) - 1;
        return call > 1 && LA(call + 1) == LP && MacroCallsFollow(false, call);
    }

    // Whether the lookahead position `at` begins a member after a macro
    // call (see MacroCallsFollow): a word only a declaration
    // begins with, a destructor, or a named type followed by a name, a
    // pointer operator, template arguments or a qualifier.
    bool MemberStartAt(int at)
    {
        const int type = LA(at);
        if (IsBuiltinTypeWord(type) || IsLeadingSpecifierWord(type) || IsTypeKeyWord(type) ||
            IsAccessWord(type))
            return true;
        switch (type) {
        case WORD_VIRTUAL: case WORD_INLINE: case WORD__INLINE: case WORD___INLINE:
        case WORD__FORCEINLINE: case WORD___FORCEINLINE: case WORD_EXPLICIT: case WORD_TEMPLATE:
        case WORD_USING: case NEGATE:
            return true;
        case IDENTIFIER: {
            const int next = LA(at + 1);
            return next == IDENTIFIER || next == STAR || next == AND || next == LT_ || next == CLCL;
        }
        default:
            return false;
        }
    }

    // Whether the lookahead position `at` begins a declaration at the top
    // level after a macro call (see MacroCallsFollow): typedef, a storage
    // class but register, inline, namespace, template or using; a class or
    // enumeration with a body; a return type, pointer operators and a
    // function's name with its "(", with or without words between them; or
    // a macro standing for a type (see TypeMacroBeforeParametersAt),
    // "FT_CALLBACK_DEF(FT_Error) f(int n"; a constructor or destructor
    // defined outside its class; a class's static member defined outside
    // it, "const bool FXTIFImage::supported=false;". The declarations of an
    // old-style definition's parameters ("f(a, s) int a; struct S *s;")
    // begin none of these.
    bool DeclarationStartAt(int at)
    {
        constexpr int kLongest = 64; // for each run: cv words, types, arguments, pointers
        constexpr int kLongestRun = 8;
        int i = at;
        switch (LA(i)) {
        case WORD_TYPEDEF: case WORD_EXTERN: case WORD_STATIC: case WORD_INLINE: case WORD__INLINE:
        case WORD___INLINE: case WORD__FORCEINLINE: case WORD___FORCEINLINE: case WORD_NAMESPACE:
        case WORD_TEMPLATE: case WORD_USING:
            return true;
        default:
            break;
        }
        if (IsTypeKeyWord(LA(i))) {
            ++i;
            // An export word or a __declspec before the name, "class
            // __declspec(uuid("...")) CFoo : public IFoo {", "class
            // ATL_NO_VTABLE CBar {".
            for (int words = 0; words < kLongestRun &&
                 (LA(i) == WORD__DECLSPEC || LA(i) == WORD___DECLSPEC) && LA(i + 1) == LP;
                 ++words) {
                if ((i = PastParenthesised(i + 1, kLongest)) == 0)
                    return false;
            }
            if (LA(i) == IDENTIFIER && LA(i + 1) == IDENTIFIER &&
                (LA(i + 2) == LC || LA(i + 2) == COLON))
                ++i;
            if (LA(i) == IDENTIFIER)
                ++i;
            if (LA(i) == LC || LA(i) == COLON)
                return true;
            if (LA(i - 1) != IDENTIFIER)
                return false;
        } else {
            if (MemberOutsideClassAt(i, kLongest))
                return true;
            i = PastCvWords(i, kLongest);
            // A macro standing for a function's or a variable's type:
            // "MODULE_ID(\"$Id$\") NCURSES_EXPORT_VAR(int) COLORS = 0;".
            if (LA(i) == IDENTIFIER && LA(i + 1) == LP)
                return TypeMacroBeforeParametersAt(i) || TypeMacroBeforeDeclaratorAt(i);
            if (IsBuiltinTypeWord(LA(i))) {
                for (const int longest = i + kLongest; IsBuiltinTypeWord(LA(i)) && i < longest;)
                    ++i;
            } else if (LA(i) == IDENTIFIER) {
                i = LastOfQualifiedName(i, kLongest) + 1;
                if (LA(i) == LT_ && (i = PastTemplateArguments(i, kLongest)) == 0)
                    return false;
            } else {
                return false;
            }
        }
        // Words a header never read defines may stand between the type and
        // the name, or before a built-in type: "DECLSPEC_IMPORT BOOL WINAPI
        // DragQueryPoint(", "DECLSPEC_IMPORT void WINAPI DragAcceptFiles(".
        for (int words = 0; words < kLongestRun; ++words) {
            i = PastPointerWords(i, kLongest);
            if (IsBuiltinTypeWord(LA(i))) {
                ++i;
                continue;
            }
            // An operator function: "bool operator==(const Path &a, ...)".
            if (LA(i) == WORD_OPERATOR)
                return true;
            if (LA(i) != IDENTIFIER)
                return false;
            const int last = LastOfQualifiedName(i, kLongest);
            if (LA(last + 1) == LP)
                return true;
            // A static member defined outside its class: no old-style
            // parameter declaration names a qualified variable.
            if (last > i && (LA(last + 1) == ASSIGN || LA(last + 1) == SEMI || LA(last + 1) == LB))
                return true;
            ++i;
        }
        return false;
    }

    // Whether a constructor or destructor defined outside its class begins
    // at the lookahead position `at`: "FXTopWindow::FXTopWindow(",
    // "N::Box::~Box(". Another member's name after a macro call keeps the
    // call for its type: "STDMETHODIMP_(UInt32) CFile::GetCount(".
    bool MemberOutsideClassAt(int at, int longest)
    {
        if (LA(at) != IDENTIFIER)
            return false;
        const int last = LastOfQualifiedName(at, longest);
        if (last > at && LA(last + 1) == LP)
            return LT(last)->getText() == LT(last - 2)->getText();
        return LA(last + 1) == CLCL && LA(last + 2) == NEGATE && LA(last + 3) == IDENTIFIER &&
            LA(last + 4) == LP;
    }

    // Whether calls of macros that a header never read defines, ending
    // without a semicolon, begin at the lookahead position `at`, then what
    // a member (`member`) or a declaration at the top level begins with (see
    // MemberStartAt and DeclarationStartAt): ATL's and WTL's maps in a
    // class ("BEGIN_MSG_MAP(CMainFrame) MESSAGE_HANDLER(WM_CREATE, OnCreate)
    // END_MSG_MAP()"), Qt's "Q_DISABLE_COPY(Foo)", GObject's
    // "G_DEFINE_TYPE(FooWidget, foo_widget, GTK_TYPE_WIDGET)" before a
    // function. A constructor's parameters are never followed by such a
    // start; COM's "STDMETHOD(Run)(long n)" is the member itself when a
    // parameter list follows the call.
    bool MacroCallsFollow(bool member, int at = 1)
    {
        constexpr int kLongestArguments = 128;
        constexpr int kMostCalls = 64;
        int i = at;
        for (int calls = 0; calls < kMostCalls; ++calls) {
            if (LA(i) != IDENTIFIER || LA(i + 1) != LP)
                return false;
            const int after = PastParenthesised(i + 1, kLongestArguments);
            if (after == 0)
                return false;
            if (member ? MemberStartAt(after) : DeclarationStartAt(after))
                return true;
            if (LA(after) == LP)
                return calls > 0;
            i = after;
        }
        return false;
    }

    // Whether a member begins with a label that a header never read
    // defines, with or without an access word before it (see declaration2).
    // No declaration begins with a name and a ":".
    bool LabelWordFollows()
    {
        const int i = IsAccessWord(LA(1)) ? 2 : 1;
        return LA(i) == IDENTIFIER && LA(i + 1) == COLON;
    }

    // Whether a word that a header never read defines stands before the
    // type of a variable, as an export word does in
    // "extern const WXDLLIMPEXP_CORE wxEventTypeTag<wxCommandEvent> wxEVT_BUTTON;"
    // or "EXTERN_C const IID IID_IUnknown;": the word, const or volatile, a
    // named type with or without template arguments, pointer operators, then
    // the variable's name and what may follow it. Two names in a row never
    // make a type, so the first is not one. Nor is a name before:
    // - a built-in type, whatever follows ("NTSYSAPI void WINAPI f(void);",
    //   "void g(IN int n);");
    // - a struct's, union's or enum's name and what a declarator begins with
    //   ("DECLSPEC_IMPORT struct hostent *WINAPI gethostbyname(const char *);");
    // - a named type, pointer operators or a calling convention, and a
    //   function's name ("EXPORT Node *Find(int);",
    //   "FORCEINLINE HANDLE __stdcall Token(void)"); a qualified type or
    //   one with template arguments needs neither ("MYLIB_API
    //   std::vector<int> GetList();");
    // - a storage class, typedef or friend ("__BEGIN_DECLS extern int optind;",
    //   "G_BEGIN_DECLS typedef struct _Foo Foo;"), or inline, virtual or
    //   explicit ("MYLIB_API inline Box<int> Make();");
    // - a macro standing for a type (see TypeMacroBeforeParametersAt),
    //   "FT_BEGIN_HEADER FT_LOCAL(void) ftc_node_free(FTC_Node node);".
    // Before these, so is each name of a run of them; and before cv words
    // and a named type.
    // Three names and a "(" keep the reading of WordsBeforeNameFollow.
    bool DecorationBeforeTypeFollows()
    {
        constexpr int kLongest = 64; // for each run: cv words, arguments, pointers
        constexpr int kLongestRun = 8;
        if (LA(1) != IDENTIFIER)
            return false;
        const int namesEnd = PastNames(2, kLongestRun);
        if (LA(namesEnd) == LP && namesEnd > 2 && TypeMacroBeforeParametersAt(namesEnd - 1))
            return true;
        const int afterRun = PastCvWords(namesEnd, kLongest);
        if (IsBuiltinTypeWord(LA(afterRun)) || IsLeadingSpecifierWord(LA(afterRun)) ||
            IsFunctionSpecifierWord(LA(afterRun)))
            return true;
        // Names then cv words: "FT_BEGIN_HEADER FT_CALLBACK_TABLE const T x;".
        int i = afterRun > namesEnd ? afterRun : PastCvWords(2, kLongest);
        // A named type with cv words after it, then pointer operators:
        // "GNM_BEGIN_KILL_SWITCH_WARNING GOFormat const *f(...)".
        if (afterRun > namesEnd && namesEnd > 2 && (LA(afterRun) == STAR || LA(afterRun) == AND))
            i = namesEnd - 1;
        if (IsTypeKeyWord(LA(i)) && LA(i + 1) == IDENTIFIER) {
            const int after = LA(i + 2);
            return after == STAR || after == AND || after == IDENTIFIER ||
                IsCallingConventionWord(after);
        }
        // The named type may be qualified, also from the global scope, and
        // have template arguments, "MYLIB_API std::vector<int> GetList();",
        // "PROTOBUF_EXPORT const ::N::Descriptor *Get();" (after cv words
        // only: "std::string" is no word before "::string"): then, unlike a
        // plain name, it may stand right before a function's name.
        const bool global = LA(i) == CLCL && i == afterRun && afterRun > namesEnd;
        if (global)
            ++i;
        if (LA(i) != IDENTIFIER)
            return false;
        const int typeStart = i;
        i = LastOfQualifiedName(i, kLongest) + 1;
        bool compoundType = global || i > typeStart + 1;
        if (LA(i) == LT_) {
            compoundType = true;
            if ((i = PastTemplateArguments(i, kLongest)) == 0)
                return false;
        }
        const int pointers = i;
        i = PastPointerWords(i, kLongest);
        // A declarator in parentheses, then parameters or a dimension: a
        // pointer to a function, "GLIB_VAR guint64 (*g_thread_gettime) (void);",
        // or a function's name kept from a macro of the same name,
        // "GLIB_AVAILABLE_IN_ALL gint (g_bit_nth_lsf) (gulong mask, gint nth_bit);".
        if (LA(i) == LP) {
            const int name = PastPointerWords(i + 1, kLongest);
            if (LA(name) != IDENTIFIER)
                return false;
            const int last = LastOfQualifiedName(name, kLongest);
            return LA(last + 1) == RP && (LA(last + 2) == LP || LA(last + 2) == LB);
        }
        // An operator function returning the named type, "WX_LIST_PTROP_NONE
        // itor& operator++()".
        if (LA(i) == WORD_OPERATOR)
            return true;
        if (LA(i) != IDENTIFIER)
            return false;
        // After pointer operators, an unknown word before a function's name
        // is its calling convention: "FORM_IMPEXP FIELD ** NCURSES_API
        // _nc_retrace_field_ptr(FIELD **code)", as without the first word.
        if (i > pointers && LA(i + 1) == IDENTIFIER && LA(i + 2) == LP)
            return true;
        // The name may be qualified: a member defined outside its class,
        // "NS_BEGIN Pool *Grammar::fEntities = 0;".
        const int last = LastOfQualifiedName(i, kLongest);
        const int next = LA(last + 1);
        // One more word before an operator function's named return type,
        // "wxEMPTY_PARAMETER_VALUE WXDLLEXPORT wxVariant& operator<<(...)".
        if (i == pointers && LA(PastPointerWords(last + 1, kLongest)) == WORD_OPERATOR)
            return true;
        return next == SEMI || next == ASSIGN || next == LB || next == COMMA ||
            (next == LP && (i > pointers || compoundType));
    }

    // For the "(" at the lookahead position `at`: the position after the
    // ")" that closes it, nested parentheses balanced, or 0 when none does
    // within `longest` positions or before a ";", "{" or "}". With `depth`
    // 1, `at` is the first position inside parentheses already open.
    int PastParenthesised(int at, int longest, int depth = 0)
    {
        for (int i = at; i <= at + longest; ++i) {
            const int type = LA(i);
            if (type == LP)
                ++depth;
            else if (type == RP && --depth == 0)
                return i + 1;
            else if (type == SEMI || type == LC || type == RC || type == antlr::Token::EOF_TYPE)
                return 0;
        }
        return 0;
    }

    // Whether the tokens between the lookahead positions `from` and `to`
    // look like parameters rather than a macro's arguments: a built-in type,
    // a pointer operator or two names in a row.
    bool ParametersBetween(int from, int to)
    {
        for (int i = from; i < to; ++i) {
            const int type = LA(i);
            if (IsBuiltinTypeWord(type) || type == STAR || type == AND ||
                (type == IDENTIFIER && LA(i + 1) == IDENTIFIER))
                return true;
        }
        return false;
    }

    // Whether words that a header left unread defines come after a
    // function's parameters, each with or without arguments, up to its body
    // or the semicolon that ends its declaration: COM's "PURE", C++11's
    // "override", a library's "__THROW __wur;" or GCC attributes behind
    // macros, "__WINE_ALLOC_SIZE(2) __WINE_DEALLOC(HeapFree, 3) __WINE_MALLOC;".
    // Arguments that look like parameters are a declaration's instead.
    // One word alone before a semicolon is read as such wherever it stands;
    // more must end the unit, so that the declarations of an old-style
    // definition's parameters, "T a; T b; {", are not taken for such words.
    bool WordsAfterParametersFollow()
    {
        constexpr int kMostWords = 8;
        constexpr int kLongestArguments = 64;
        int i = 1;
        int words = 0;
        bool arguments = false;
        while (LA(i) == IDENTIFIER && words < kMostWords) {
            ++words;
            ++i;
            if (LA(i) == LP) {
                const int open = i;
                if ((i = PastParenthesised(i, kLongestArguments)) == 0 ||
                    ParametersBetween(open, i))
                    return false;
                arguments = true;
            }
        }
        if (words == 0)
            return false;
        if (LA(i) == LC)
            return true;
        if (LA(i) != SEMI)
            return false;
        return (words == 1 && !arguments) || LA(i + 1) == antlr::Token::EOF_TYPE;
    }

    // Whether a macro with arguments that a header never read defines
    // stands between a declaration's type and its name, as attributes
    // behind macros do: "DWORDLONG DECLSPEC_ALIGN(8) ullTotalPhys;",
    // "void *__WINE_ALLOC_SIZE(1) __WINE_MALLOC heap_alloc(SIZE_T len)".
    // The arguments are values without a name: a function's own parameters
    // and the words after them, "void Close() override;",
    // "void Show(HWND) PURE;", "f(SIZE_T n) ALLOC_SIZE(1) MALLOC;", have
    // the same tokens otherwise. After the call come names and a "(", or
    // one name and what ends a variable's declarator: an old-style
    // definition's "f(1) T a;" has two names.
    bool AttributeMacroBeforeNameFollows()
    {
        constexpr int kLongestArguments = 64;
        constexpr int kLongestRun = 8;
        if (LA(1) != IDENTIFIER || LA(2) != LP)
            return false;
        const int after = PastParenthesised(2, kLongestArguments);
        if (after == 0 || after == 4 || ParametersBetween(2, after))
            return false;
        for (int i = 3; i < after - 1; ++i) {
            if (LA(i) == IDENTIFIER || LA(i) == ELLIPSIS)
                return false;
        }
        const int end = PastNames(after, kLongestRun);
        const int names = end - after;
        const int next = LA(end);
        if (names > 0 && next == LP)
            return true;
        return names == 1 && (next == SEMI || next == ASSIGN || next == LB || next == COMMA);
    }

    // Whether two to eight names in a row come next, the last of them the
    // name of a function or variable, or the last two a name and its
    // prototype macro (see function_or_variable).
    bool WordsBeforeNameFollow()
    {
        constexpr int kLongestRun = 8;
        int i = 1;
        while (LA(i) == IDENTIFIER && i <= kLongestRun)
            ++i;
        const int words = i - 1;
        const int next = LA(i);
        if (next == IDENTIFIER)
            return false;
        // The last two words may be a name and its prototype macro.
        if (next == LP && LA(i + 1) == LP)
            return words >= 3;
        return words >= 2 && MayFollowDeclaratorName(next);
    }

    // Whether "M ( type , Name ) (" comes next (see function_declarator),
    // with no parenthesis or comma inside the type.
    bool MacroNamedFunctionFollows()
    {
        constexpr int kLongestType = 16;
        const int i = MacroArgumentsUpTo(COMMA, kLongestType);
        return i > 3 && LA(i + 1) == IDENTIFIER && LA(i + 2) == RP && LA(i + 3) == LP;
    }

    // Whether "WORD * Name ) (" begins at the lookahead position `first`,
    // after a "(": an unknown calling convention inside a pointer
    // declarator, "HRESULT (WINAPI *Func)(int n)", or the last of several
    // such words, "void (FAR PASCAL *lpfn)(HWND)". A constructor's
    // parameter, "(Type *name)", never has a "(" after it.
    bool ConventionBeforePointer(int first)
    {
        constexpr int kLongestRun = 4;
        const int i = PastNames(first, kLongestRun) - 1;
        return i >= first && (LA(i + 1) == STAR || LA(i + 1) == AND) &&
            LA(i + 2) == IDENTIFIER && LA(i + 3) == RP && LA(i + 4) == LP;
    }

    // Whether a word that a header never read defines stands between a
    // declaration's type and its pointer operators, as a memory model's
    // word does in old Windows code: "void FAR *jpeg_get_large(size_t n)",
    // "static char FAR *lpBuf;", "BYTE FAR * FAR *pp;", and as an export
    // word may, "std::vector<Traits> FZ_IMPORT_STATIC const &Extra(int p);".
    // Words and pointer operators may alternate; then come the declarator's
    // names and what may follow them. After a type, no name stands before a
    // "*" otherwise.
    bool DecorationBeforePointersFollows()
    {
        constexpr int kLongest = 32;
        constexpr int kLongestRun = 8;
        int i = 1;
        while (LA(i) == IDENTIFIER && i < kLongest) {
            // cv words may come first: "FZ_IMPORT_STATIC const &Traits(int p)".
            int pointer = i + 1;
            while ((LA(pointer) == WORD_CONST || LA(pointer) == WORD_VOLATILE) && pointer < kLongest)
                ++pointer;
            if (LA(pointer) != STAR && LA(pointer) != AND)
                break;
            i = pointer;
            while (LA(i) == STAR || LA(i) == AND || LA(i) == WORD_CONST || LA(i) == WORD_VOLATILE)
                ++i;
        }
        if (i == 1)
            return false;
        const int end = PastNames(i, kLongestRun);
        const int next = LA(end);
        return end > i && MayFollowDeclaratorName(next);
    }

    // Whether "(*a)(void), (*b)(int);" begins here: a pointer to a function
    // named in parentheses, its parameters and maybe a first value, then a
    // "," before the declaration's end. Such a list declares variables.
    bool PointerDeclaratorListFollows()
    {
        constexpr int kLongest = 256;
        int name = 2;
        while (LA(name) == STAR && name < 10)
            ++name;
        if (LA(1) != LP || name == 2 || LA(name) != IDENTIFIER || LA(name + 1) != RP ||
            LA(name + 2) != LP)
            return false;
        int depth = 0;
        for (int i = name + 2; i <= kLongest; ++i) {
            const int type = LA(i);
            if (type == LP || type == LB)
                ++depth;
            else if ((type == RP || type == RB) && --depth < 0)
                return false;
            else if (type == COMMA && depth == 0)
                return true;
            else if (type == SEMI || type == LC || type == RC || type == antlr::Token::EOF_TYPE)
                return false;
        }
        return false;
    }

    // Whether the class of a pointer to a member function begins at the
    // lookahead position `first`, after a "(": "C::" or "N::Box<T>::", then
    // "* Name ) (", as in "void (C::*handler)(int)". Template arguments are
    // passed over with their brackets balanced.
    bool MemberPointerFollows(int first)
    {
        constexpr int kLongest = 64;
        const int longest = first + kLongest;
        int i = first;
        while (LA(i) == IDENTIFIER && i < longest) {
            ++i;
            if (LA(i) == LT_ && (i = PastTemplateArguments(i, longest - i)) == 0)
                return false;
            if (LA(i) != CLCL)
                return false;
            ++i;
            if (LA(i) == STAR)
                return i > first + 1 && LA(i + 1) == IDENTIFIER && LA(i + 2) == RP &&
                    LA(i + 3) == LP;
        }
        return false;
    }

    // Whether the "(" at the lookahead position `at` holds a variable's
    // first value rather than a function's parameters, as in
    // "static Command running(\"run\");",
    // "search_path macro_path(\"GROFF_TMAC_PATH\", MACROPATH, 1, 1);" and
    // "static BoxRegion EVERYWHERE(BoxPoint(0, 0), BoxSize(INT_MAX, 0));":
    // some argument begins as no parameter does (see ValueArgumentAt), none
    // begins as a parameter plainly does (see ParameterArgumentAt), and a
    // ";" or "," follows the ")". Names alone ("Foo f(a, b);") may be types
    // and leave the function; so does a parameter list with an error in it,
    // "void f(int a, +);".
    bool ParenthesisedValueFollows(int at)
    {
        if (!lastTry_)
            return false;
        constexpr int kLongestArguments = 256;
        const int after = PastParenthesised(at, kLongestArguments);
        if (after == 0 || (LA(after) != SEMI && LA(after) != COMMA))
            return false;
        bool value = false;
        int depth = 0;
        for (int i = at; i < after; ++i) {
            const int type = LA(i);
            const bool argumentStart = (type == LP && depth == 0) || (type == COMMA && depth == 1);
            if (type == LP || type == LB)
                ++depth;
            else if (type == RP || type == RB)
                --depth;
            if (argumentStart) {
                if (ParameterArgumentAt(i + 1))
                    return false;
                value = value || ValueArgumentAt(i + 1);
            }
        }
        return value;
    }

    // Whether a name, then dimensions in brackets, then braces follow: an
    // array given its values without "=". Looks at most 256 positions ahead.
    bool BracedArrayFollows()
    {
        constexpr int kLongest = 256;
        if (LA(1) != IDENTIFIER || LA(2) != LB)
            return false;
        int depth = 0;
        for (int i = 2; i <= kLongest; ++i) {
            const int type = LA(i);
            if (type == LB)
                ++depth;
            else if (type == RB)
                --depth;
            else if (depth == 0)
                return type == LC;
            else if (type == SEMI || type == LC || type == RC || type == antlr::Token::EOF_TYPE)
                return false;
        }
        return false;
    }

    // Whether the argument at the lookahead position `i` begins as a
    // parameter does: a built-in type other than a conversion ("int a"),
    // const or volatile, a class key, or two names ("Getter g").
    bool ParameterArgumentAt(int i)
    {
        const int type = LA(i);
        if (IsBuiltinTypeWord(type))
            return LA(i + 1) != LP;
        return type == WORD_CONST || type == WORD_VOLATILE || IsTypeKeyWord(type) ||
            (type == IDENTIFIER && LA(i + 1) == IDENTIFIER);
    }

    // Whether the argument at the lookahead position `i` begins as no
    // parameter does: with a literal, an operator, "(", "this" or the like,
    // or with a name or a built-in type and a member access, a call whose
    // first argument is such, or a call that an operator follows. Inside
    // such a call (`called`), "*", "&" and "(" begin a declarator instead:
    // "void (*done)(int)", "T (&a)[4]".
    bool ValueArgumentAt(int i, bool called = false)
    {
        switch (LA(i)) {
        case AND: case STAR:
            return !called;
        case LP: {
            // A cast, "(void *) \"62\"", is followed by its operand;
            // "(int fd)", a parameter that a macro wrapped, is not.
            if (called)
                return false;
            const int after = PastParenthesised(i, 64);
            return !ParameterArgumentAt(i + 1) ||
                (after != 0 && LA(after) != COMMA && LA(after) != RP);
        }
        case STRINGS: case CHARS: case INTEGERNUMBER: case FLOATNUMBER: case HEXNUMBER:
        case OCTALNUMBER: case MINUS: case PLUS: case NOT: case NEGATE:
        case SHARP: case ICR: case DECR: case WORD_THIS: case WORD_TRUE:
        case WORD_FALSE: case WORD_NEW: case WORD_SIZEOF: case WORD_STATIC_CAST:
        case WORD_CONST_CAST: case WORD_DYNAMIC_CAST: case WORD_REINTERPRET_CAST:
            return true;
        case IDENTIFIER:
            switch (LA(i + 1)) {
            case DOT: case ARROW:
                return true;
            case LP: {
                if (ValueArgumentAt(i + 2, true))
                    return true;
                // A call or a conversion that an operator follows,
                // "QStringList() << key", "f(x) + 1": no parameter of a
                // function type is followed so.
                const int after = PastParenthesised(i + 1, 64);
                return after != 0 && IsOperatorAfterValue(LA(after));
            }
            default:
                return false;
            }
        default:
            // "char(-1)": a built-in type's conversion.
            return IsBuiltinTypeWord(LA(i)) && LA(i + 1) == LP && ValueArgumentAt(i + 2, true);
        }
    }

    // Whether the token type is an operator that may follow a value but
    // never a declarator: "<<", "+", ".", "==" and the like.
    static bool IsOperatorAfterValue(int type)
    {
        switch (type) {
        case LS: case RS: case PLUS: case MINUS: case STAR: case DIV: case MOD: case AND:
        case OR: case XOR: case ANDAND: case OROR: case EQ: case NE: case LE: case GE:
        case DOT: case ARROW: case QUESTION:
            return true;
        default:
            return false;
        }
    }

    // Whether the parameters of an unnamed parameter of a function type
    // come next, after its type and "(": "int, const struct iovec *, int)"
    // and then the end of that parameter. A name alone in the parentheses,
    // "int (x)", names the parameter instead.
    bool UnnamedFunctionTypeFollows()
    {
        constexpr int kLongestParameters = 256;
        const int first = LA(1);
        if (first == RP)
            return LA(2) == COMMA || LA(2) == RP;
        if (first != IDENTIFIER && first != WORD_CONST && first != WORD_VOLATILE &&
            !IsBuiltinTypeWord(first) && !IsTypeKeyWord(first))
            return false;
        const int after = PastParenthesised(1, kLongestParameters, 1);
        return after != 0 && (LA(after) == COMMA || LA(after) == RP) &&
            ParametersBetween(1, after - 1);
    }

    // Whether a name in parentheses comes next, maybe qualified, with an
    // operand after it that no expression goes on with: a cast to a named
    // type, "(s32)underlying->size()", "(DWORD)~0", "(N::Id)id". After
    // "(a)", a "(", "-", "*" or "&" goes on with "a" as well, and is read so.
    bool NamedCastFollows()
    {
        constexpr int kLongestName = 16;
        if (LA(1) != LP)
            return false;
        int i = LA(2) == CLCL ? 3 : 2;
        if (LA(i) != IDENTIFIER)
            return false;
        i = LastOfQualifiedName(i, kLongestName);
        if (LA(i + 1) != RP)
            return false;
        switch (LA(i + 2)) {
        case IDENTIFIER: case STRINGS: case CHARS: case INTEGERNUMBER: case FLOATNUMBER:
        case HEXNUMBER: case OCTALNUMBER: case NOT: case NEGATE: case WORD_THIS:
        case WORD_TRUE: case WORD_FALSE: case WORD_SIZEOF: case WORD_NEW: case WORD_DELETE:
        case WORD_STATIC_CAST: case WORD_CONST_CAST: case WORD_DYNAMIC_CAST:
        case WORD_REINTERPRET_CAST:
            return true;
        default:
            return false;
        }
    }

    // Whether a name, a prototype macro and its double parenthesis come
    // next: "tclmsg _ANSI_ARGS_((char *text))", "f __P((int a))", with which
    // old C declares a prototype that compilers without them can read.
    bool PrototypeMacroFollows()
    {
        return LA(1) == IDENTIFIER && LA(2) == IDENTIFIER && LA(3) == LP && LA(4) == LP;
    }

    // Whether const or volatile words, then the start of a named type come
    // next (see template_argument_type).
    bool CvBeforeTypeNameFollows()
    {
        constexpr int kLongestRun = 8;
        const int i = PastCvWords(1, kLongestRun);
        const int next = LA(i);
        return i > 1 &&
            (next == IDENTIFIER || next == CLCL || next == WORD_CLASS || next == WORD_STRUCT ||
             next == WORD_UNION || next == WORD_ENUM || next == WORD_TYPENAME);
    }

    // Whether a template argument that is a value comes next: one that
    // begins as no type does ("Buffer<256>", "PoolItem<&_pool>", "Box<-1>",
    // "Bits<(N > 8)>"), or one with an operator, a number or "..." at its
    // own level ("Array<N + 1>", "Grid<N * 2>"). Looks at most 64 positions
    // ahead.
    bool ValueArgumentFollows()
    {
        constexpr int kLongest = 64;
        switch (LA(1)) {
        case INTEGERNUMBER: case OCTALNUMBER: case HEXNUMBER: case FLOATNUMBER: case CHARS:
        case STRINGS: case AND: case MINUS: case PLUS: case NOT: case NEGATE: case LP:
        case WORD_SIZEOF: case WORD_TRUE: case WORD_FALSE:
            return true;
        default:
            break;
        }
        int parens = 0;
        int angles = 0;
        for (int i = 1; i <= kLongest; ++i) {
            const int type = LA(i);
            switch (type) {
            case LP: ++parens; break;
            case RP: if (--parens < 0) return false; break;
            case LT_: ++angles; break;
            case GT: if (parens == 0 && --angles < 0) return false; break;
            case COMMA: if (parens == 0 && angles == 0) return false; break;
            case SEMI: case LC: case RC: case antlr::Token::EOF_TYPE: return false;
            case PLUS: case MINUS: case DIV: case MOD: case OR: case XOR: case LS: case OROR:
            case ANDAND: case EQ: case NE: case QUESTION: case LE: case GE:
            case INTEGERNUMBER: case OCTALNUMBER: case HEXNUMBER: case FLOATNUMBER:
            // A pack expanded, "conjunction<CanAccept<Us>...>", is read as
            // the tokens of a value are.
            case ELLIPSIS:
                if (parens == 0 && angles == 0)
                    return true;
                break;
            // "&&" reaches the parser as "&": between two operands it is
            // the operator, "is_a<T>::value && is_b<T>::value"; a reference
            // type's "&" ends the argument or stands before another.
            case AND:
                if (parens == 0 && angles == 0 && i > 1 &&
                    (LA(i + 1) == IDENTIFIER || LA(i + 1) == NOT || LA(i + 1) == LP ||
                        LA(i + 1) == CLCL))
                    return true;
                break;
            default: break;
            }
        }
        return false;
    }

    // Whether the token at the position is the word "final" after a class
    // name, which C++11 reads as a word of its own there.
    bool IsFinalWord(int position)
    {
        return LA(position) == IDENTIFIER && LT(position)->getText() == "final";
    }

    // Whether a constructor named with its class template's arguments
    // begins here, as older code writes one in its class:
    // "xmlChar<T>(char in) : c(in) {}". No declaration's type with template
    // arguments is followed by "(" and then a parameter: a declarator in
    // parentheses begins with a pointer operator, a class's "C::*" or a
    // name alone, "Box<T> (*make)();", "Box<T> (other);".
    bool TemplateConstructorFollows()
    {
        constexpr int kLongest = 64;
        if (LA(1) != IDENTIFIER || LA(2) != LT_)
            return false;
        const int open = PastTemplateArguments(2, kLongest);
        if (open == 0 || LA(open) != LP)
            return false;
        const int first = LA(open + 1);
        if (first == IDENTIFIER)
            return LA(open + 2) != RP && !MemberPointerFollows(open + 1);
        return first == RP || IsBuiltinTypeWord(first) || first == WORD_CONST ||
            first == WORD_VOLATILE || IsTypeKeyWord(first) || first == WORD_TYPENAME;
    }

    // Whether the words before a declarator, at these file positions, name
    // no type: those a constructor may have, "explicit", "inline".
    bool NoTypeAmong(const TokenIndices& words) const
    {
        if (!currentUnit->tokens)
            return false;
        for (const auto position : words) {
            switch ((*currentUnit->tokens)[position].type) {
            case WORD_EXPLICIT: case WORD_INLINE: case WORD__INLINE: case WORD___INLINE:
            case WORD__FORCEINLINE: case WORD___FORCEINLINE:
                break;
            default:
                return false;
            }
        }
        return true;
    }

    // Whether a constructor or destructor of a class template begins here:
    // a qualifier with template arguments, then the member's name and its
    // parameters (N::Box<T>::Box(, Box<T>::~Box). A qualifier without
    // arguments, the common N::C::f, is told from the tokens without a trial.
    bool TemplateMemberFollows()
    {
        int i = 1;
        while (LA(i) == IDENTIFIER && LA(i + 1) == CLCL)
            i += 2;
        if (LA(i) != IDENTIFIER || LA(i + 1) != LT_)
            return false;
        bool matched = true;
        const unsigned int marker = mark();
        ++inputState->guessing;
        try {
            template_member_start();
        } catch (ANTLR_USE_NAMESPACE(antlr)RecognitionException&) {
            matched = false;
        }
        rewind(marker);
        --inputState->guessing;
        return matched;
    }
}

// ---------------------------------------------------------------------------
// Start rule and whole units

unit
    :   DECLARATION declaration
    |   DECLARATION2 { lastTry_ = true; } declaration2
    |   INCLASS member_declaration
    |   INSTRUCT member_declaration
    |   INENUM enum_body
    ;

declaration
    :   { StaticAssertFollows() }? static_assertion
    |   { DeclareInterfaceFollows() }? declared_interface
    |   { NamesBeforeKeywordFollow(false) || NamesBeforeMacroCallsFollow() }?
        IDENTIFIER declaration
    |   { MacroCallsFollow(false) }? after_macro_call[false]
    // The same with "static" before the first call, which a macro defining a
    // static function takes: GOffice's "static GSF_CLASS(Grid, grid,
    // grid_class_init, NULL, GOC_TYPE_GROUP)" before a function.
    |   { MacroCallsFollow(false, 2) }? WORD_STATIC after_macro_call[false]
    |   asm_definition
    |   template_declaration
    |   linkage_specification
    |   handler
    |   (WORD_NAMESPACE IDENTIFIER ASSIGN) => namespace_alias_definition
    |   { AliasFollows() }? alias_declaration
    |   using_declaration
    |   using_directive
    |   (( WORD_INLINE )? WORD_NAMESPACE) => namespace_definition
    |   ((WORD_TYPEDEF)? ( class_lead_word )* class_key) => class_declaration
    |   ((WORD_TYPEDEF)? ( class_lead_word )* WORD_ENUM) => enum_definition
    ;

member_declaration
    :   { StaticAssertFollows() }? static_assertion
    |   { DeclareInterfaceFollows() }? declared_interface
    |   { NamesBeforeKeywordFollow(true) }? IDENTIFIER member_declaration
    |   { MacroCallsFollow(true) }? after_macro_call[true]
    |   asm_definition
    |   { AliasFollows() }? alias_declaration
    |   using_declaration
    |   template_declaration
    |   handler
    |   access_label
    |   ((WORD_TYPEDEF)? ( class_lead_word )* class_key) => class_declaration
    |   ((WORD_TYPEDEF)? ( class_lead_word )* WORD_ENUM) => enum_definition
    ;

// A compile-time check, "static_assert(sizeof(T) == 4, "...");": read and
// not kept. Its condition, "std::is_unsigned<T>::value", is no parameter.
static_assertion
    :   IDENTIFIER parenthesised_tokens SEMI
        { MarkUnit(UNIT_NOTHING); }
    ;

// A macro call before a member (`member`) or a declaration at the top
// level (see MacroCallsFollow): read and not kept; what follows it is read
// as it would be alone.
after_macro_call[bool member]
    :   IDENTIFIER parenthesised_tokens
        (   { MacroCallsFollow(member) }? after_macro_call[member]
        |   { member }? ( member_declaration ) => member_declaration
        |   { !member }? ( declaration ) => declaration
        |   simple_declaration[LT(1)->getLine()]
        )
    ;

declaration2
{
    int ignoredAccess = 0;
}
    // A label that a header left unread defines, before a member: Qt's
    // "signals:" and "private slots:", C++Builder's "__published:", also
    // after Qt's markers, which the token stream passes over. Read and not
    // kept; the access it may stand for is not followed.
    :   { LabelWordFollows() }?
        ( ignoredAccess = access_specifier )? IDENTIFIER colon:COLON
        simple_declaration[colon->getLine() + 1]
    |   { ConceptFollows() }? concept_definition
    |   { FriendClassFollows() }? friend_class_declaration
    |   { FriendClassFollows(false) }? friend_type_declaration
    |   { InterfaceFollows() }? interface_definition
    |   simple_declaration[0]
    |   continued_declarator
    ;

// A COM interface as Windows' headers let code declare one, "interface
// IDropTarget : public IUnknown {" or, as MIDL writes it,
// "MIDL_INTERFACE("...") IDropTarget : public IUnknown {", where the header
// that defines those words as struct was not read: read as that struct.
interface_definition
{
    std::vector<CBaseClassInfo> bases;
}
    :   IDENTIFIER ( parenthesised_tokens )?
        // The words and macro calls the SDK puts before the name,
        // "DECLSPEC_UUID("...") DECLSPEC_NOVTABLE" (see InterfaceFollows).
        (   options { generateAmbigWarnings = false; }
        :   { LA(2) == LP }? IDENTIFIER parenthesised_tokens
        |   { LA(2) == IDENTIFIER }? IDENTIFIER
        )*
        name:IDENTIFIER ( base_clause[bases] )? ( LC RC | SEMI )
        { MarkClass(UNIT_STRUCT, name->getText(), {}, bases); }
    ;

// An interface declared through the SDK's macro, "DECLARE_INTERFACE_(IShellExt,
// IUnknown) {", "DECLARE_INTERFACE_IID_(IShellExt, IUnknown, "...") {": read
// as the struct the macro stands for, with its base.
declared_interface
{
    std::vector<CBaseClassInfo> bases;
}
    :   IDENTIFIER LP name:IDENTIFIER
        (   COMMA base:IDENTIFIER
            {
                CBaseClassInfo info;
                info.access = ACCESS_PUBLIC;
                info.qualifiedName.name = base->getText();
                bases.push_back(info);
            }
            ( COMMA STRINGS )?
        )?
        RP LC RC
        { MarkClass(UNIT_STRUCT, name->getText(), {}, bases); }
    ;

// A named constraint of C++20, "concept Number = std::integral<T> || ...;",
// which may end in a requires expression's braces: read and not kept. It
// declares no variable.
concept_definition
    :   IDENTIFIER IDENTIFIER ASSIGN
        ( parenthesised_tokens | ~( LP | RP | SEMI | LC | RC | EOF ) )*
        ( SEMI | LC RC )
        { MarkUnit(UNIT_NOTHING); }
    ;

// A class made a friend, "friend class CView;", "friend struct N::Helper;",
// "friend class Box<T>;": it declares nothing of the class's own, and the
// class it names is declared elsewhere.
friend_class_declaration
{
    int ignoredKey = 0;
    std::vector<std::string> ignoredScopes;
}
    :   WORD_FRIEND ignoredKey = class_key ( CLCL )? ( ignoredScopes = nested_name_specifier )?
        IDENTIFIER ( template_qualifier_arguments )? SEMI
        { MarkUnit(UNIT_NOTHING); }
    ;

// The same without the key, "friend N::Impl;", "friend Tuple<Ts...>;".
friend_type_declaration
{
    std::vector<std::string> ignoredScopes;
}
    :   WORD_FRIEND ( CLCL )? ( ignoredScopes = nested_name_specifier )?
        IDENTIFIER ( template_qualifier_arguments )? SEMI
        { MarkUnit(UNIT_NOTHING); }
    ;

// `from`: the unit position the declaration's specifiers begin at.
simple_declaration[int from]
{
    TokenIndices typeIndices;
    bool cvAfterType = false;
    TokenIndices specifiers;
    std::vector<std::string> noScopes;
    int typeEnd = 0;
}
    :   typeEnd = declaration_specifiers[typeIndices, cvAfterType]
        {
            if (typeEnd > 0)
                CopyRange(from, typeEnd - 1, specifiers);
        }
        function_or_variable[specifiers, noScopes, typeIndices, cvAfterType]
    ;

// The declarators after a brace initializer, which the splitter leaves as
// a unit of their own: ", dnstair = {0, 0};" after "coord upstair = {0, 0}".
// They are variables of the declaration before; the type stayed with it.
// A unit that does not end as a declaration ("," between the elements of
// an initializer that a file included) is read and not kept.
continued_declarator
{
    TokenIndices pointers;
    std::vector<std::string> names;
    CVariableInfo var;
}
    :   COMMA
        ( ptr_operator_seq[pointers] )*
        (   (   names = nested_name_specifier
                {
                    var.qualifiedName.scopes.insert(
                        var.qualifiedName.scopes.end(), names.begin(), names.end());
                }
            )?
            init_declarator[var]
            (   ( SEMI | ASSIGN LC RC )
                {
                    auto info = std::make_unique<CVariableInfo>(std::move(var));
                    AppendAll(info->specifierTokens, pointers);
                    MarkUnit(UNIT_VARIABLE, std::move(info));
                }
            |   // not a declaration's end: nothing is kept
            )
        )?
    ;

// "static struct S { ... } s;", "extern struct S { ... } s;" and
// "const struct { ... } t;" define the type as plainly as
// "struct S { ... } s;" does; the words before the key belong to the
// variable after the braces.
class_declaration
    :   ( WORD_TYPEDEF )? ( class_lead_word )* class_specifier
    ;

class_specifier
{
    int key = 4;
    std::vector<CBaseClassInfo> bases;
    std::vector<std::string> scopes;
    std::vector<std::string> inner;
    TokenIndices id;
    std::string className;
    int closeAt = 0;
}
    :   key = class_key ( base_clause[bases] )? LC RC
        {
            auto info = std::make_unique<CClassInfo>();
            info->bases = bases;
            MarkUnit(key, std::move(info));
        }
    |   key = class_key
        (   options { generateAmbigWarnings = false; }
        :   { ClassDecorationFollows() }? class_decoration
        )*
        ( scopes = nested_name_specifier )?
        // A class nested in a class template, defined outside it:
        // "class Map<K, T>::Private {".
        (   { QualifierWithTemplateArgumentsFollows() }? inner = template_qualifier
            { scopes.insert(scopes.end(), inner.begin(), inner.end()); }
        )?
        // A specialisation is named with its arguments, "Traits<int>", as a
        // base naming it is.
        (   (IDENTIFIER LT_) =>
            { closeAt = ClosingBracketPosition(2); }
            specialised:IDENTIFIER template_qualifier_arguments
            {
                CopyRange(specialised->getLine(), closeAt, id);
                className = SpellTokens(id);
            }
        |   name:IDENTIFIER { className = name->getText(); }
        )
        ( { IsFinalWord(1) }? IDENTIFIER )?
        ( base_clause[bases] )?
        ( LC RC | SEMI )
        { MarkClass(key, className, scopes, bases); }
    ;

// What may stand between a class key and the name of a class with a body
// or a base list, read and not kept: the __declspec of an exported class,
// or the word a header left unread defines as one ("class AFX_EXT_CLASS
// CView {", "class WXDLLIMPEXP_CORE wxWindow : public wxWindowBase").
// "class Leaf final {" names Leaf. Without a body or bases, "struct S s;"
// stays a variable.
class_decoration
    :   ( WORD__DECLSPEC | WORD___DECLSPEC ) LP declspec_argument RP
    |   IDENTIFIER
    ;

// ---------------------------------------------------------------------------
// asm, linkage, namespaces, enumerations

asm_definition
    :   WORD_ASM LP text:STRINGS RP SEMI
        { MarkUnit(UNIT_ASM, std::make_unique<CTextInfo>(text->getText())); }
    |   ( WORD__ASM | WORD___ASM ) LC RC
        { MarkUnit(UNIT_ASM); }
    ;

linkage_specification
    :   (WORD_EXTERN STRINGS LC) => WORD_EXTERN block:STRINGS LC RC
        { MarkUnit(UNIT_EXTERN, std::make_unique<CTextInfo>(block->getText())); }
    |   WORD_EXTERN single:STRINGS
        {
            MarkUnit(UNIT_EXTERN, std::make_unique<CTextInfo>(single->getText()));
            currentUnit->SplitAt(single->getLine() + 1);
        }
    ;

// An inline namespace is read as any other; "namespace a::b {" is kept
// with its whole name, and the model places it inside a.
namespace_definition
{
    std::string name;
}
    :   ( WORD_INLINE )? WORD_NAMESPACE
        (   first:IDENTIFIER { name = first->getText(); }
            ( CLCL further:IDENTIFIER { name += "::"; name += further->getText(); } )*
        )?
        LC RC
        { MarkUnit(UNIT_NAMESPACE, std::make_unique<CTextInfo>(std::move(name))); }
    ;

// A scoped enumeration ("enum class E") and a fixed underlying type
// ("enum E : unsigned char", "enum class F : std::uint8_t") read as the
// plain enumeration; the type is not kept. A named one may be declared
// without its enumerators, "enum class F : std::uint8_t;", as a class may.
enum_definition
{
    std::string enumName;
}
    :   ( WORD_TYPEDEF )? ( class_lead_word )* WORD_ENUM ( WORD_CLASS | WORD_STRUCT )?
        ( name:IDENTIFIER { enumName = name->getText(); } )?
        ( COLON ( ~( LC | SEMI ) )+ )?
        ( LC RC | { !enumName.empty() }? SEMI )
        { MarkUnit(UNIT_ENUM, std::make_unique<CTextInfo>(enumName)); }
    ;

enumerator_definition
    :   IDENTIFIER ( ASSIGN constant_expression )?
    ;

enum_body
    :   // an empty enumeration body
    |   enumerator_list
    ;

enumerator_list
    :   enumerator_definition ( COMMA enumerator_definition )*
    ;

// ---------------------------------------------------------------------------
// Single keywords

class_key returns [int key = 4]
    :   WORD_CLASS { key = UNIT_CLASS; }
    |   WORD_STRUCT { key = UNIT_STRUCT; }
    |   WORD_UNION { key = UNIT_UNION; }
    ;

class_key_pos returns [int pos = 0]
    :   c:WORD_CLASS { pos = c->getLine(); }
    |   s:WORD_STRUCT { pos = s->getLine(); }
    |   u:WORD_UNION { pos = u->getLine(); }
    ;

access_specifier returns [int access = 0]
    :   WORD_PUBLIC { access = ACCESS_PUBLIC; }
    |   WORD_PROTECTED { access = ACCESS_PROTECTED; }
    |   WORD_PRIVATE { access = ACCESS_PRIVATE; }
    ;

cv_qualifier returns [int pos = 0]
    :   v:WORD_VOLATILE { pos = v->getColumn(); }
    |   c:WORD_CONST { pos = c->getColumn(); }
    ;

cv_qualifier_end returns [int end = 0]
    :   v:WORD_VOLATILE { end = v->getLine() + 1; }
    |   c:WORD_CONST { end = c->getLine() + 1; }
    ;

function_specifier returns [int pos = 0]
    :   t1:WORD_EXPLICIT { pos = t1->getColumn(); }
    |   t2:WORD_INLINE { pos = t2->getColumn(); }
    |   t3:WORD_VIRTUAL { pos = t3->getColumn(); }
    |   t4:WORD__INLINE { pos = t4->getColumn(); }
    |   t5:WORD___INLINE { pos = t5->getColumn(); }
    |   t6:WORD__FORCEINLINE { pos = t6->getColumn(); }
    |   t7:WORD___FORCEINLINE { pos = t7->getColumn(); }
    ;

function_specifier_end returns [int end = 0]
    :   t1:WORD_EXPLICIT { end = t1->getLine() + 1; }
    |   t2:WORD_INLINE { end = t2->getLine() + 1; }
    |   t3:WORD_VIRTUAL { end = t3->getLine() + 1; }
    |   t4:WORD__INLINE { end = t4->getLine() + 1; }
    |   t5:WORD___INLINE { end = t5->getLine() + 1; }
    |   t6:WORD__FORCEINLINE { end = t6->getLine() + 1; }
    |   t7:WORD___FORCEINLINE { end = t7->getLine() + 1; }
    ;

storage_class_specifier returns [int pos = 0]
    :   t1:WORD_AUTO { pos = t1->getColumn(); }
    |   t2:WORD_REGISTER { pos = t2->getColumn(); }
    |   t3:WORD_STATIC { pos = t3->getColumn(); }
    |   t4:WORD_EXTERN { pos = t4->getColumn(); }
    |   t5:WORD_MUTABLE { pos = t5->getColumn(); }
    ;

storage_class_specifier_end returns [int end = 0]
    :   t1:WORD_AUTO { end = t1->getLine() + 1; }
    |   t2:WORD_REGISTER { end = t2->getLine() + 1; }
    |   t3:WORD_STATIC { end = t3->getLine() + 1; }
    |   t4:WORD_EXTERN { end = t4->getLine() + 1; }
    |   t5:WORD_MUTABLE { end = t5->getLine() + 1; }
    ;

builtin_type_specifier returns [int pos = 0]
    :   t1:WORD_CHAR { pos = t1->getColumn(); }
    |   t2:WORD_WCHAR_T { pos = t2->getColumn(); }
    |   t3:WORD_BOOL { pos = t3->getColumn(); }
    |   t4:WORD_SHORT { pos = t4->getColumn(); }
    |   t5:WORD_INT { pos = t5->getColumn(); }
    |   t6:WORD_LONG { pos = t6->getColumn(); }
    |   t7:WORD_SIGNED { pos = t7->getColumn(); }
    |   t8:WORD_UNSIGNED { pos = t8->getColumn(); }
    |   t9:WORD_FLOAT { pos = t9->getColumn(); }
    |   t10:WORD_DOUBLE { pos = t10->getColumn(); }
    |   t11:WORD_VOID { pos = t11->getColumn(); }
    |   t12:WORD__INT8 { pos = t12->getColumn(); }
    |   t13:WORD___INT8 { pos = t13->getColumn(); }
    |   t14:WORD__INT16 { pos = t14->getColumn(); }
    |   t15:WORD___INT16 { pos = t15->getColumn(); }
    |   t16:WORD__INT32 { pos = t16->getColumn(); }
    |   t17:WORD___INT32 { pos = t17->getColumn(); }
    |   t18:WORD__INT64 { pos = t18->getColumn(); }
    |   t19:WORD___INT64 { pos = t19->getColumn(); }
    |   t20:WORD__W64 { pos = t20->getColumn(); }
    |   t21:WORD___W64 { pos = t21->getColumn(); }
    ;

builtin_type_specifier_end returns [int end = 0]
    :   t1:WORD_CHAR { end = t1->getLine() + 1; }
    |   t2:WORD_WCHAR_T { end = t2->getLine() + 1; }
    |   t3:WORD_BOOL { end = t3->getLine() + 1; }
    |   t4:WORD_SHORT { end = t4->getLine() + 1; }
    |   t5:WORD_INT { end = t5->getLine() + 1; }
    |   t6:WORD_LONG { end = t6->getLine() + 1; }
    |   t7:WORD_SIGNED { end = t7->getLine() + 1; }
    |   t8:WORD_UNSIGNED { end = t8->getLine() + 1; }
    |   t9:WORD_FLOAT { end = t9->getLine() + 1; }
    |   t10:WORD_DOUBLE { end = t10->getLine() + 1; }
    |   t11:WORD_VOID { end = t11->getLine() + 1; }
    |   t12:WORD__INT8 { end = t12->getLine() + 1; }
    |   t13:WORD___INT8 { end = t13->getLine() + 1; }
    |   t14:WORD__INT16 { end = t14->getLine() + 1; }
    |   t15:WORD___INT16 { end = t15->getLine() + 1; }
    |   t16:WORD__INT32 { end = t16->getLine() + 1; }
    |   t17:WORD___INT32 { end = t17->getLine() + 1; }
    |   t18:WORD__INT64 { end = t18->getLine() + 1; }
    |   t19:WORD___INT64 { end = t19->getLine() + 1; }
    |   t20:WORD__W64 { end = t20->getLine() + 1; }
    |   t21:WORD___W64 { end = t21->getLine() + 1; }
    ;

// ---------------------------------------------------------------------------
// Pointer operators, array bounds, __declspec arguments

ptr_operator returns [int end = 0]
    :   a:AND { end = a->getLine() + 1; }
    |   ( s1:WORD__STDCALL { end = s1->getLine() + 1; }
        | s2:WORD___STDCALL { end = s2->getLine() + 1; }
        )
    |   ( f1:WORD__FASTCALL { end = f1->getLine() + 1; }
        | f2:WORD___FASTCALL { end = f2->getLine() + 1; }
        )
    |   ( c1:WORD__CDECL { end = c1->getLine() + 1; }
        | c2:WORD___CDECL { end = c2->getLine() + 1; }
        )
    |   (STAR WORD_CONST WORD_VOLATILE) => STAR WORD_CONST v1:WORD_VOLATILE { end = v1->getLine() + 1; }
    |   (STAR WORD_VOLATILE WORD_CONST) => STAR WORD_VOLATILE k1:WORD_CONST { end = k1->getLine() + 1; }
    |   (STAR WORD_CONST) => STAR k2:WORD_CONST { end = k2->getLine() + 1; }
    |   (STAR WORD_VOLATILE) => STAR v2:WORD_VOLATILE { end = v2->getLine() + 1; }
    |   st:STAR { end = st->getLine() + 1; }
    ;

array_dimension[TokenIndices& out]
    :   open:LB ( constant_expression )? close:RB
        { CopyRange(open->getLine(), close->getLine(), out); }
    ;

declspec_property_arguments
    :   IDENTIFIER ASSIGN IDENTIFIER ( COMMA IDENTIFIER ASSIGN IDENTIFIER )?
    ;

// ---------------------------------------------------------------------------
// Operator names, throw, delete

overloadable_operator returns [std::string text]
    :   PLUS { text = "+"; }
    |   MINUS { text = "-"; }
    |   STAR { text = "*"; }
    |   DIV { text = "/"; }
    |   MOD { text = "%"; }
    |   XOR { text = "^"; }
    |   AND { text = "&"; }
    |   OR { text = "|"; }
    |   NEGATE { text = "~"; }
    |   NOT { text = "!"; }
    |   ASSIGN { text = "="; }
    |   LT_ { text = "<"; }
    |   GT { text = ">"; }
    |   PLUSASSIGN { text = "+="; }
    |   MINUSASSIGN { text = "-="; }
    |   MULTASSIGN { text = "*="; }
    |   DIVASSIGN { text = "/="; }
    |   MODASSIGN { text = "%="; }
    |   ERASSIGN { text = "^="; }
    |   ANDASSIGN { text = "&="; }
    |   ORASSIGN { text = "|="; }
    |   LS { text = "<<"; }
    |   RS { text = ">>"; }
    |   RSASSIGN { text = ">>="; }
    |   LSASSIGN { text = "<<="; }
    |   EQ { text = "=="; }
    |   NE { text = "!="; }
    // "<=>" reaches the parser as "<=" and ">".
    |   LE { text = "<="; }
        (   options { generateAmbigWarnings = false; }
        :   GT { text = "<=>"; }
        )?
    |   GE { text = ">="; }
    |   ANDAND { text = "&&"; }
    |   OROR { text = "||"; }
    |   ICR { text = "++"; }
    |   DECR { text = "--"; }
    |   COMMA { text = ","; }
    |   ARROWSTAR { text = "->*"; }
    |   ARROW { text = "->"; }
    |   LP RP { text = "()"; }
    |   LB RB { text = "[]"; }
    |   (WORD_NEW LB) => WORD_NEW LB RB { text = "new []"; }
    |   WORD_NEW { text = "new"; }
    |   (WORD_DELETE LB) => WORD_DELETE LB RB { text = "delete []"; }
    |   WORD_DELETE { text = "delete"; }
    // A literal operator, "operator "" _km(long double v)": named with its
    // suffix.
    |   STRINGS suffix:IDENTIFIER { text = "\"\"" + suffix->getText(); }
    ;

throw_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   WORD_THROW
    |   WORD_THROW assignment_expression
    ;

delete_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   (WORD_DELETE LB) => WORD_DELETE LB RB cast_expression
    |   WORD_DELETE cast_expression
    |   (CLCL WORD_DELETE LB) => CLCL WORD_DELETE LB RB cast_expression
    |   CLCL WORD_DELETE cast_expression
    ;

// ---------------------------------------------------------------------------
// Access labels, namespace directives, template heads, catch clauses

access_label
{
    int access = 0;
}
    :   access = access_specifier COLON
        { MarkUnit(access == ACCESS_PUBLIC ? UNIT_PUBLIC : access == ACCESS_PROTECTED ? UNIT_PROTECTED : UNIT_PRIVATE); }
    ;

namespace_alias_definition
{
    CQualifiedName target;
}
    :   WORD_NAMESPACE alias:IDENTIFIER ASSIGN target = qualified_namespace_name SEMI
        {
            auto info = std::make_unique<CNamespaceAliasInfo>();
            info->alias = alias->getText();
            info->target = target;
            MarkUnit(UNIT_NAMESPACE_ALIAS, std::move(info));
        }
    ;

using_directive
{
    CQualifiedName used;
}
    :   WORD_USING WORD_NAMESPACE used = qualified_namespace_name SEMI
        { MarkUnit(UNIT_USING_NAMESPACE, std::make_unique<CQualifiedNameInfo>(used)); }
    ;

qualified_namespace_name returns [CQualifiedName result]
{
    std::vector<std::string> scopes;
}
    :   ( CLCL { result.relative = false; } )?
        ( scopes = nested_name_specifier )?
        name:IDENTIFIER
        {
            result.scopes = scopes;
            result.name = name->getText();
        }
    ;

template_declaration
{
    bool exported = false;
}
    :   ( WORD_EXPORT { exported = true; } )?
        WORD_TEMPLATE open:LT_ ( template_parameter_list )? close:GT
        {
            auto info = std::make_unique<CTemplateInfo>();
            info->exported = exported;
            CopyRange(open->getLine() + 1, close->getLine() - 1, info->parameterTokens);
            MarkUnit(UNIT_TEMPLATE, std::move(info));
            currentUnit->SplitAt(close->getLine() + 1);
        }
    ;

handler
{
    TokenIndices ignored;
}
    :   WORD_CATCH open:LP
        (   ignored = builtin_type_list ( exception_declarator )?
        |   ELLIPSIS
        )
        close:RP LC RC
        {
            auto info = std::make_unique<CTokenListInfo>();
            CopyRange(open->getLine() + 1, close->getLine() - 1, info->tokens);
            MarkUnit(UNIT_CATCH, std::move(info));
        }
    ;

// ---------------------------------------------------------------------------
// Nested names

nested_name_specifier returns [std::vector<std::string> names]
{
    std::vector<std::string> rest;
}
    :   (IDENTIFIER CLCL IDENTIFIER CLCL) => outer:IDENTIFIER CLCL rest = nested_name_specifier
        {
            names.push_back(outer->getText());
            names.insert(names.end(), rest.begin(), rest.end());
        }
    |   last:IDENTIFIER CLCL
        { names.push_back(last->getText()); }
    ;

nested_name_indices[TokenIndices& out]
    :   (   options { warnWhenFollowAmbig = false; }
        :   name:IDENTIFIER sep:CLCL
            {
                out.push_back(name->getColumn());
                out.push_back(sep->getColumn());
            }
        )+
    ;

qualified_name_prefix returns [CQualifiedName result]
{
    std::vector<std::string> scopes;
}
    :   (CLCL IDENTIFIER CLCL) => CLCL scopes = nested_name_specifier
        {
            result.relative = false;
            result.scopes = scopes;
        }
    |   scopes = nested_name_specifier
        { result.scopes = scopes; }
    |   CLCL
        { result.relative = false; }
    ;

// A qualifier that begins with a class template and its arguments:
// Basket<T>::, Map<K, List<V>>::Inner:: (an N:: before it is the
// caller's). The arguments are read over; the names are the classes', as
// those of a qualifier without arguments are.
template_qualifier returns [std::vector<std::string> names]
    :   first:IDENTIFIER template_qualifier_arguments CLCL
        { names.push_back(first->getText()); }
        (   options { warnWhenFollowAmbig = false; }
        :   plain:IDENTIFIER CLCL
            { names.push_back(plain->getText()); }
        |   (IDENTIFIER template_qualifier_arguments CLCL) =>
            templated:IDENTIFIER template_qualifier_arguments CLCL
            { names.push_back(templated->getText()); }
        )*
    ;

// The start of a constructor or destructor of a class template, read only
// on trial by TemplateMemberFollows.
template_member_start
options { defaultErrorHandler = false; }
{
    std::vector<std::string> ignored;
}
    :   ( ignored = nested_name_specifier )? ignored = template_qualifier ( NEGATE | IDENTIFIER LP )
    ;

// The bracketed arguments of such a qualifier, from < to the > that closes
// it, with nested brackets balanced; >> closes the last nested pair and
// this one together. Errors go to the qualifier, which recovers at the name
// after it.
template_qualifier_arguments
options { defaultErrorHandler = false; }
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   LT_ template_qualifier_pieces
        (   GT
        |   LT_ template_qualifier_pieces RS
        )
    ;

// Arguments up to a bracket: any tokens but the ends of a unit, and nested
// pairs that close. A bracket in parentheses is a comparison,
// "enable_if<(N > 1), T>::type".
template_qualifier_pieces
options { defaultErrorHandler = false; }
    :   (   options { warnWhenFollowAmbig = false; }
        :   (template_qualifier_arguments) => template_qualifier_arguments
        |   parenthesised_tokens
        |   ~( LT_ | GT | RS | LP | RP | SEMI | LC | RC | EOF )
        )*
    ;

// ---------------------------------------------------------------------------
// Specifier word runs

simple_type_word returns [int pos = 0]
    :   pos = builtin_type_specifier
    |   pos = cv_qualifier
    ;

simple_type_word_end returns [int end = 0]
    :   end = builtin_type_specifier_end
    |   end = cv_qualifier_end
    ;

simple_type_word_push[TokenIndices& out]
{
    int pos = 0;
}
    :   pos = simple_type_word
        { out.push_back(pos); }
    ;

builtin_type_list returns [TokenIndices words]
    :   simple_type_word_push[words] ( simple_type_word_push[words] )*
    ;

decl_specifier_end returns [int end = 0]
    :   end = simple_type_word_end
    |   end = storage_class_specifier_end
    |   end = function_specifier_end
    |   f:WORD_FRIEND { end = f->getLine() + 1; }
    |   ( WORD__DECLSPEC | WORD___DECLSPEC ) LP declspec_argument close:RP
        { end = close->getLine() + 1; }
    ;

simple_type_specifiers returns [int end = 0]
    :   ( end = decl_specifier_end )+
    ;

trailing_cv_ptr returns [int end = 0]
    :   ( end = cv_qualifier_end )? ( end = ptr_operator )*
    ;

declspec_argument
    :   IDENTIFIER
        ( LP ( STRINGS | INTEGERNUMBER | declspec_property_arguments ) RP )?
    ;

// ---------------------------------------------------------------------------
// Pointer operator lists and declarators

ptr_operator_list returns [TokenIndices positions]
    :   a:AND { positions.push_back(a->getColumn()); }
    |   ( s1:WORD__STDCALL { positions.push_back(s1->getColumn()); }
        | s2:WORD___STDCALL { positions.push_back(s2->getColumn()); }
        )
    |   ( f1:WORD__FASTCALL { positions.push_back(f1->getColumn()); }
        | f2:WORD___FASTCALL { positions.push_back(f2->getColumn()); }
        )
    |   ( c1:WORD__CDECL { positions.push_back(c1->getColumn()); }
        | c2:WORD___CDECL { positions.push_back(c2->getColumn()); }
        )
    |   (STAR WORD_CONST WORD_VOLATILE) => p1:STAR q1:WORD_CONST r1:WORD_VOLATILE
        {
            positions.push_back(p1->getColumn());
            positions.push_back(q1->getColumn());
            positions.push_back(r1->getColumn());
        }
    |   (STAR WORD_VOLATILE WORD_CONST) => p2:STAR q2:WORD_VOLATILE r2:WORD_CONST
        {
            positions.push_back(p2->getColumn());
            positions.push_back(q2->getColumn());
            positions.push_back(r2->getColumn());
        }
    |   (STAR WORD_CONST) => p3:STAR q3:WORD_CONST
        {
            positions.push_back(p3->getColumn());
            positions.push_back(q3->getColumn());
        }
    |   (STAR WORD_VOLATILE) => p4:STAR q4:WORD_VOLATILE
        {
            positions.push_back(p4->getColumn());
            positions.push_back(q4->getColumn());
        }
    |   p5:STAR
        { positions.push_back(p5->getColumn()); }
    ;

ptr_operator_seq[TokenIndices& out]
{
    TokenIndices positions;
}
    :   positions = ptr_operator_list
        { AppendAll(out, positions); }
    ;

conversion_declarator[TokenIndices& out]
    :   (ptr_operator_list ptr_operator_list) => ptr_operator_seq[out] ptr_operator_seq[out]
    |   (ptr_operator_list) => ptr_operator_seq[out]
    |   // no pointer operator
    ;

init_declarator_head[CVariableInfo& var]
{
    TokenIndices pointers;
    std::vector<std::string> scopes;
}
    :   plain:IDENTIFIER
        (   bit_field_width
        |   ( array_dimension[var.arrayTokens] )*
        )
        { var.qualifiedName.name = plain->getText(); }
    |   LP ( ptr_operator_seq[pointers] )*
        ( scopes = nested_name_specifier )?
        inner:IDENTIFIER ( array_dimension[var.arrayTokens] )*
        RP
        (   ( array_dimension[var.arrayTokens] )*
        // The parameters of the function it points to, "(*b)(int x)" in
        // "int a, (*b)(int x);": read and not kept.
        |   parenthesised_tokens
        )
        {
            var.qualifiedName.name = inner->getText();
            var.qualifiedName.scopes.insert(var.qualifiedName.scopes.end(), scopes.begin(), scopes.end());
            AppendAll(var.specifierTokens, pointers);
        }
    ;

template_nontype_declarator
{
    TokenIndices ignored;
    std::vector<std::string> ignoredScopes;
}
    :   IDENTIFIER ( LB ( constant_expression )? RB )*
    |   LP ( ignored = ptr_operator_list )*
        ( ignoredScopes = nested_name_specifier )?
        IDENTIFIER ( LB ( constant_expression )? RB )*
        RP ( LB ( constant_expression )? RB )*
    ;

exception_declarator
{
    TokenIndices ignored;
}
    :   ( ignored = ptr_operator_list )* exception_direct_declarator
    ;

exception_direct_declarator
{
    TokenIndices ignored;
    std::vector<std::string> ignoredScopes;
}
    :   ( ignoredScopes = nested_name_specifier )? IDENTIFIER ( LB ( constant_expression )? RB )*
    |   LP ( ignored = ptr_operator_list )*
        ( ignoredScopes = nested_name_specifier )?
        IDENTIFIER ( LB ( constant_expression )? RB )*
        RP ( LB ( constant_expression )? RB )*
    ;

// ---------------------------------------------------------------------------
// Conversion type names and new type ids

conversion_type_name returns [std::string text]
{
    TokenIndices words;
    TokenIndices templateId;
    TokenIndices scopes;
    TokenIndices pointers;
    int ignoredKey = 0;
    TokenIndices cv;
}
    :   (builtin_type_list ptr_operator_list) =>
        // A "*" or "&" right after the type is taken as part of it.
        words = builtin_type_list
        (   options { generateAmbigWarnings = false; }
        :   ptr_operator_seq[words]
        )+
        { text = SpellTokens(words); }
    // operator const T *(): const or volatile before a named type.
    |   (( WORD_CONST | WORD_VOLATILE )+ ( class_key | WORD_ENUM )? IDENTIFIER) =>
        (   c:WORD_CONST { cv.push_back(c->getColumn()); }
        |   v:WORD_VOLATILE { cv.push_back(v->getColumn()); }
        )+
        ( ignoredKey = class_key | WORD_ENUM )?
        ( nested_name_indices[scopes] )?
        (   (IDENTIFIER LT_) => templateId = template_id
        |   named:IDENTIFIER { templateId.push_back(named->getColumn()); }
        )
        conversion_declarator[pointers]
        {
            text = SpellTokens(cv) + SpellTokens(scopes) + SpellTokens(templateId) +
                SpellTokens(pointers);
        }
    |   words = builtin_type_list
        { text = SpellTokens(words); }
    // A named type, "operator std::basic_string<char, T>()" a class
    // template's.
    |   ( ignoredKey = class_key | WORD_ENUM )?
        ( nested_name_indices[scopes] )?
        (   (IDENTIFIER LT_) => templateId = template_id
        |   name:IDENTIFIER { templateId.push_back(name->getColumn()); }
            // const or volatile after it, "operator Target const *()".
            (   c2:WORD_CONST { cv.push_back(c2->getColumn()); }
            |   v2:WORD_VOLATILE { cv.push_back(v2->getColumn()); }
            )*
        )
        conversion_declarator[pointers]
        {
            text = SpellTokens(scopes) + SpellTokens(templateId) + SpellTokens(cv) +
                SpellTokens(pointers);
        }
    ;

new_type_id
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
    TokenIndices ignored;
    std::vector<std::string> ignoredScopes;
}
    :   (   ignored = builtin_type_list
        // A class type, as in "new CString(text)" or "new N::Box<int>[4]".
        |   ( ignoredScopes = nested_name_specifier )?
            ( (IDENTIFIER LT_) => ignored = template_id | IDENTIFIER )
        )
        // new int * x: the "*" is taken as part of the type.
        (   options { generateAmbigWarnings = false; }
        :   ignored = ptr_operator_list
        )*
        ( new_array_declarator )?
    ;

// ---------------------------------------------------------------------------
// Template arguments

template_argument
    :   { ValueArgumentFollows() }? template_value_tokens
    |   template_argument_type
    ;

// A value given as a template argument, read and not kept. It may name a
// template's member, "enable_if_t<!std::is_const<T>::value, int>".
template_value_tokens
options { defaultErrorHandler = false; }
    :   (   options { greedy = true; }
        :   (template_qualifier_arguments) => template_qualifier_arguments
        |   parenthesised_tokens
        |   ~( COMMA | GT | LT_ | RS | LP | RP | SEMI | LC | RC | EOF )
        )+
    ;

template_argument_type
{
    TokenIndices ignored;
}
    // const or volatile before a named type, "std::map<const Node *, int>",
    // which the builtin words' form below reads only up to the name.
    :   { CvBeforeTypeNameFollows() }?
        ( WORD_CONST | WORD_VOLATILE )+ template_argument_type_name
        ( ignored = ptr_operator_list )*
    |   { FunctionTypeArgumentFollows() }? function_type_argument
    |   ignored = builtin_type_list ( ignored = ptr_operator_list )* ( IDENTIFIER )?
    |   template_argument_type_name ( ignored = ptr_operator_list )*
    ;

// A function type given as a template argument, as in
// "boost::function<Console *()>" or "Signal<void (int, Window *)>": the
// return type and the parameters are read and not kept.
function_type_argument
{
    std::vector<std::string> ignoredScopes;
    TokenIndices ignored;
}
    :   (   options { generateAmbigWarnings = false; }
        :   ( WORD_CONST | WORD_VOLATILE )? ( CLCL )? ( ignoredScopes = nested_name_specifier )?
            ( (IDENTIFIER LT_) => ignored = template_id | IDENTIFIER )
        |   ignored = builtin_type_list
        )
        // The parameters, read over: they may name a template's type or a
        // function pointer's, "std::function<bool(std::vector<int>, void (*)(int))>".
        // A pointer to a function or a member function comes before its
        // parameters, "std::vector<void (*)()>", "Slot<void (Widget::*)(int)>".
        ( ignored = ptr_operator_list )* parenthesised_tokens
        ( parenthesised_tokens )?
    ;

template_argument_type_name
{
    std::vector<std::string> ignoredScopes;
    TokenIndices ignored;
}
    // A type nested in a class template, "Box<std::vector<int>::size_type>",
    // also after typename, "Base<typename Make<N>::type>".
    :   { QualifierWithTemplateArgumentsFollows(LA(1) == WORD_TYPENAME ? 2 : 1) }?
        ( WORD_TYPENAME )?
        ( CLCL )? ( ignoredScopes = nested_name_specifier )? ignoredScopes = template_qualifier
        ( IDENTIFIER | ignored = template_id )
    |   ( CLCL )? ( ignoredScopes = nested_name_specifier )?
        ( IDENTIFIER | ignored = template_id )
    |   elaborated_type_name
    ;

elaborated_type_name
{
    std::vector<std::string> ignoredScopes;
    int ignoredKey = 0;
}
    :   ignoredKey = class_key ( CLCL )? ( ignoredScopes = nested_name_specifier )? IDENTIFIER
    |   WORD_ENUM ( CLCL )? ( ignoredScopes = nested_name_specifier )? IDENTIFIER
    |   WORD_TYPENAME ( CLCL )? ( ignoredScopes = nested_name_specifier )? IDENTIFIER
        ( LT_ template_argument_list GT )?
    ;

// ---------------------------------------------------------------------------
// Declaration specifiers: everything before the declarator. Returns the unit
// position just after the type (0 when the alternative records none) and
// collects the file positions of the type's tokens.

declaration_specifiers[TokenIndices& indices, bool& cvAfterType] returns [int typeEnd = 0]
{
    int inner = 0;
    int keyPos = 0;
    int after = 0;
    int pointerEnd = 0;
    int qualifiedStart = 0;
    TemplateIdSpan span;
    TokenIndices qualifier;
    std::vector<std::string> ignoredScopes;
}
    :   td:WORD_TYPEDEF inner = declaration_specifiers[indices, cvAfterType]
        { typeEnd = (inner != 0) ? inner : td->getLine() + 1; }
    |   keyPos = class_key_pos ( CLCL )? ( ignoredScopes = nested_name_specifier )?
        className:IDENTIFIER after = trailing_cv_ptr
        {
            CopyRange(keyPos, className->getLine(), indices);
            typeEnd = TypeEnd(after, className->getLine() + 1, cvAfterType);
        }
    |   en:WORD_ENUM ( CLCL )? ( ignoredScopes = nested_name_specifier )?
        enumName:IDENTIFIER after = trailing_cv_ptr
        {
            CopyRange(en->getLine(), enumName->getLine(), indices);
            indices.push_back(enumName->getColumn());
            typeEnd = TypeEnd(after, enumName->getLine() + 1, cvAfterType);
        }
    // A qualifier with template arguments, "typename Base<T>::Data",
    // "typename N::Pair<K, V>::first_type": read and not kept, as a plain one.
    // A name with template arguments that ends the type is read below.
    |   { !TypenameBeforeTemplateIdFollows() }?
        tn:WORD_TYPENAME ( CLCL )?
        (   { QualifierWithTemplateArgumentsFollows() }?
            ( ignoredScopes = nested_name_specifier )? ignoredScopes = template_qualifier
        |   ignoredScopes = nested_name_specifier
        )?
        typeName:IDENTIFIER after = trailing_cv_ptr
        {
            CopyRange(tn->getLine(), typeName->getLine(), indices);
            indices.push_back(typeName->getColumn());
            typeEnd = TypeEnd(after, typeName->getLine() + 1, cvAfterType);
        }
    // decltype with an expression that holds parentheses or braces of its own,
    // "static decltype(f(std::declval<T>())) apply(T x)": the words up to
    // its closing parenthesis are the type, as a type macro's are.
    |   { LA(1) == IDENTIFIER && LA(2) == LP && LT(1)->getText() == "decltype" }?
        dt:IDENTIFIER LP
        ( parenthesised_values | braced_tokens | ~( LP | RP | LC | RC | SEMI | EOF ) )*
        dtClose:RP after = trailing_cv_ptr
        {
            CopyRange(dt->getLine(), dtClose->getLine(), indices);
            typeEnd = TypeEnd(after, dtClose->getLine() + 1, cvAfterType);
        }
    // A macro with arguments that stands for a type, as COM's
    // "STDMETHODIMP_(UInt32) CHandler::GetCount()", which a header never
    // read defines: a name and its parenthesis, then a function's name and
    // its parameters, or a declarator (see
    // TypeMacroBeforeDeclaratorAt).
    |   { TypeMacroFollows() }?
        macro:IDENTIFIER LP ( ~( LP | RP ) )* close:RP after = trailing_cv_ptr
        {
            CopyRange(macro->getLine(), close->getLine(), indices);
            typeEnd = TypeEnd(after, close->getLine() + 1, cvAfterType);
        }
    // An unknown word before a variable's type (see
    // DecorationBeforeTypeFollows): read with the words before the type.
    |   { DecorationBeforeTypeFollows() }?
        word:IDENTIFIER inner = declaration_specifiers[indices, cvAfterType]
        { typeEnd = (inner != 0) ? inner : word->getLine() + 1; }
    // "auto" before a function named with template arguments is its type
    // (see AutoBeforeTemplateIdFollows).
    |   { AutoBeforeTemplateIdFollows() }?
        au:WORD_AUTO { typeEnd = au->getLine() + 1; }
    // A word before the type: the type after it may be a name, as in
    // "static Size f();", "friend Size g();" or
    // "__declspec(dllexport) Size h();".
    |   (   function_specifier | storage_class_specifier | cv_qualifier | WORD_FRIEND
        |   WORD__DECLSPEC | WORD___DECLSPEC
        ) =>
        (   typeEnd = storage_class_specifier_end
        |   typeEnd = function_specifier_end
        |   typeEnd = cv_qualifier_end
        |   fr:WORD_FRIEND { typeEnd = fr->getLine() + 1; }
        |   ( WORD__DECLSPEC | WORD___DECLSPEC ) LP declspec_argument spec:RP
            { typeEnd = spec->getLine() + 1; }
        )
        inner = declaration_specifiers[indices, cvAfterType]
        {
            if (inner != 0)
                typeEnd = inner;
        }
    |   { TemplateMemberFollows() || TemplateConstructorFollows() }?
        // A constructor or destructor of a class template, N::Box<T>::Box(),
        // or one in its class named with the arguments, Box<T>(): no type;
        // the declarator reads the qualifier or the arguments.
    // A type nested in a class template, "std::vector<int>::size_type": the
    // whole name is the type, as after typename.
    |   { TypeAfterTemplateQualifierFollows() }?
        { qualifiedStart = LT(1)->getLine(); }
        ( CLCL )? ( ignoredScopes = nested_name_specifier )? ignoredScopes = template_qualifier
        nestedType:IDENTIFIER after = trailing_cv_ptr
        {
            CopyRange(qualifiedStart, nestedType->getLine(), indices);
            typeEnd = TypeEnd(after, nestedType->getLine() + 1, cvAfterType);
        }
    // A name with template arguments, qualified or not, also from the
    // global namespace: "::std::vector<std::string> GetArgvs()", and after
    // typename, "typename std::enable_if_t<C, T> f()" (see
    // TypenameBeforeTemplateIdFollows).
    |   ((WORD_TYPENAME)? (CLCL)? ( nested_name_specifier )? IDENTIFIER LT_) =>
        ( WORD_TYPENAME )?
        ( top:CLCL { qualifier.push_back(top->getColumn()); } )?
        ( nested_name_indices[qualifier] )?
        span = template_id_span after = trailing_cv_ptr
        {
            AppendAll(indices, qualifier);
            if (span.found)
                indices.push_back(span.namePosition);
            typeEnd = TypeEnd(after, span.found ? span.end : 0, cvAfterType);
        }
    // A name before "(C::*" names the type of a pointer to a member
    // function (see MemberPointerFollows), as in class templates'
    // "typedef ReturnType (Object::*Action)(Arg1);".
    |   { LA(1) == IDENTIFIER && LA(2) == LP && MemberPointerFollows(3) }?
        memberReturn:IDENTIFIER
        {
            indices.push_back(memberReturn->getColumn());
            typeEnd = memberReturn->getLine() + 1;
        }
    // A name before "(*", "(&" or "(__stdcall" names the type of a pointer
    // declarator, as in "Bitu (*handler)(Bitu port);": a constructor's
    // parameter never begins with one of those. So does a name before a
    // name in parentheses and a parameter list, "HRESULT (Run)(int n);",
    // the shape of COM's "STDMETHOD(Read)(void *data)".
    |   ((CLCL)? IDENTIFIER
            (   IDENTIFIER | ptr_operator_list | cv_qualifier | function_specifier | WORD_OPERATOR
            |   LP ptr_operator_list
            |   LP IDENTIFIER ( RP LP | ( STAR | AND ) IDENTIFIER RP LP )
            )) =>
        ( CLCL )? plainName:IDENTIFIER
        ( typeEnd = function_specifier_end )?
        after = trailing_cv_ptr
        {
            indices.push_back(plainName->getColumn());
            typeEnd = TypeEnd(after, typeEnd != 0 ? typeEnd : plainName->getLine() + 1, cvAfterType);
        }
    // A qualified name with cv words after it reads as a plain name does:
    // "std::string const message;". So does one that ends an unnamed
    // parameter, "void f(int, std::true_type)".
    |   ((CLCL)? nested_name_specifier IDENTIFIER
            (   STAR | AND | IDENTIFIER | WORD_OPERATOR | LP ptr_operator_list | cv_qualifier
            |   RP | COMMA | ASSIGN | LB
            // A function's name in parentheses, kept from a macro of the
            // same name: "static constexpr absl::uint128 (max)()".
            |   LP IDENTIFIER RP LP
            )) =>
        ( global:CLCL { qualifier.push_back(global->getColumn()); } )?
        nested_name_indices[qualifier]
        qualifiedName:IDENTIFIER after = trailing_cv_ptr
        {
            indices = qualifier;
            indices.push_back(qualifiedName->getColumn());
            typeEnd = TypeEnd(after, qualifiedName->getLine() + 1, cvAfterType);
        }
    |   ( typeEnd = simple_type_specifiers )?
        ( pointerEnd = ptr_operator )*
        {
            if (pointerEnd != 0)
                typeEnd = pointerEnd;
        }
    ;

// ---------------------------------------------------------------------------
// Template ids and unqualified names

template_argument_list
    :   template_argument ( COMMA template_argument )*
    ;

template_id_span returns [TemplateIdSpan span]
    :   name:IDENTIFIER LT_ ( template_argument_list )? close:GT
        {
            span.namePosition = name->getColumn();
            span.end = close->getLine() + 1;
            span.found = true;
        }
    ;

template_id returns [TokenIndices positions]
    :   name:IDENTIFIER LT_ ( template_argument_list )? close:GT
        { CopyRange(name->getLine(), close->getLine(), positions); }
    ;

unqualified_id returns [std::string text]
{
    TokenIndices id;
    std::string op;
}
    :   { LA(1) == IDENTIFIER && LA(2) == LT_ && !ComparisonAt(2) }? id = template_id
        { text = SpellTokens(id); }
    |   name:IDENTIFIER
        { text = name->getText(); }
    |   (NEGATE IDENTIFIER LT_) => NEGATE id = template_id
        { text = "~" + SpellTokens(id); }
    |   NEGATE dtor:IDENTIFIER
        { text = "~" + dtor->getText(); }
    |   WORD_OPERATOR ( op = overloadable_operator | op = conversion_type_name )
        { text = op; }
    ;

// ---------------------------------------------------------------------------
// Base clauses and constructor initializers

base_clause[std::vector<CBaseClassInfo>& bases]
    :   COLON base_specifier_list[bases]
    ;

base_specifier_list[std::vector<CBaseClassInfo>& bases]
    :   base_specifier[bases, ACCESS_PRIVATE, false]
        ( COMMA base_specifier[bases, ACCESS_PRIVATE, false] )*
    ;

base_specifier[std::vector<CBaseClassInfo>& bases, int access, bool isVirtual]
{
    int given = 0;
    bool relative = true;
    bool spelledFromId = false; // the name is `id`'s tokens, not `name`
    int closeAt = 0;
    std::vector<std::string> scopes;
    std::vector<std::string> inner;
    TokenIndices id;
}
    :   WORD_VIRTUAL base_specifier[bases, access, true]
    |   given = access_specifier base_specifier[bases, given, isVirtual]
    |   ( CLCL { relative = false; } )?
        ( scopes = nested_name_specifier )?
        // A class nested in a class template, "Generator<Point, double>::Params".
        (   { QualifierWithTemplateArgumentsFollows() }? inner = template_qualifier
            { scopes.insert(scopes.end(), inner.begin(), inner.end()); }
        )?
        (   options { generateAmbigWarnings = false; }
        // A pack of bases, "struct Deep : Holder<Ts>... {" (see
        // BasePackFollows) or "struct All : Ts... {". The arguments are read
        // as a specialisation's are, so that template_id's recovery does not
        // stop at the dots.
        :   { BasePackFollows() }?
            { closeAt = ClosingBracketPosition(2); }
            packed:IDENTIFIER template_qualifier_arguments ELLIPSIS
            {
                CopyRange(packed->getLine(), closeAt, id);
                spelledFromId = true;
            }
        |   { LA(2) == ELLIPSIS }? packName:IDENTIFIER ELLIPSIS
            {
                id.push_back(packName->getColumn());
                spelledFromId = true;
            }
        |   name:IDENTIFIER
        |   id = template_id { spelledFromId = true; }
        )
        {
            CBaseClassInfo base;
            base.isVirtual = isVirtual;
            base.access = access;
            base.qualifiedName.name = spelledFromId ? SpellTokens(id) : name->getText();
            base.qualifiedName.scopes = scopes;
            base.qualifiedName.relative = relative;
            if (!base.qualifiedName.name.empty())
                bases.push_back(base);
        }
    ;

ctor_initializer
    :   COLON mem_initializer_list
    ;

mem_initializer_list
    :   mem_initializer ( COMMA mem_initializer )*
    ;

mem_initializer
{
    std::vector<std::string> ignoredScopes;
    TokenIndices ignored;
}
    :   ( CLCL )? ( ignoredScopes = nested_name_specifier )?
        ( IDENTIFIER | ignored = template_id )
        ( LP ( expression_list )? RP | braced_tokens )
        // A pack's initializers, "Base<Ts>(args)...".
        ( ELLIPSIS )?
    ;

// A value in braces, "items{1, 2}", with any braces inside it: read and not
// kept. Errors go to the member initializer's recovery.
braced_tokens
options { defaultErrorHandler = false; }
    :   LC ( braced_tokens | ~( LC | RC | SEMI | EOF ) )* RC
    ;

// ---------------------------------------------------------------------------
// Parameters and type ids

simple_parameter_declaration[CVariableInfo& param, int start]
{
    TokenIndices ignoredType;
    bool ignoredFlag = false;
    TokenIndices typeTokens;
    int typeEnd = 0;
    TokenIndices ignoredPointers;
}
    :   typeEnd = declaration_specifiers[ignoredType, ignoredFlag]
        {
            if (start + 1 < typeEnd)
                CopyRange(start + 1, typeEnd - 1, typeTokens);
        }
        (   name:IDENTIFIER { param.qualifiedName.name = name->getText(); }
            // A parameter of a function type, "int compare(const void *a,
            // const void *b)", or a name pasted by a macro that was not
            // expanded again, Tcl's unused "Tk_Window JOIN1(dummy, __LINE__)":
            // its own parameters are read and not kept. A name without a
            // type before it is an argument: "Foo obj(a, b(c));".
            (   options { generateAmbigWarnings = false; }
            :   { !typeTokens.empty() }? pointed_function_parameters
            )?
        // A pointer to a function or an array, named or not:
        // "void (*done)(int)", "int (*)(void *)", "void (callback)(dict *)",
        // "char (*rows)[8]", an array of such pointers, "struct dirent *(*[])",
        // "void (*handlers[4])(int)", or a pointer to a member function,
        // "void (C::*f)(int)". Only its name is kept; the parameter's text runs
        // to the end of the declarator. After a type, the parenthesis may hold
        // the parameters of an unnamed parameter of a function type instead,
        // "ssize_t (int, const struct iovec *, int)", read and not kept.
        |   LP
            (   options { generateAmbigWarnings = false; }
            :   { !typeTokens.empty() && UnnamedFunctionTypeFollows() }?
                unnamed_function_type_parameters
            |   ( options { greedy = true; } : IDENTIFIER CLCL )*
                // "void (PASCAL *cb)(int)": unknown calling conventions
                // before the pointer (see ConventionBeforePointer).
                (   options { greedy = true; }
                :   { ConventionBeforePointer(1) }? IDENTIFIER
                )*
                ( ignoredPointers = ptr_operator_list )*
                ( inner:IDENTIFIER { param.qualifiedName.name = inner->getText(); } )?
                ( LB ( constant_expression )? RB )*
                RP ( pointed_function_parameters )?
            )
        )?
        ( LB ( constant_expression )? RB )*
        {
            param.specifierTokens = typeTokens;
            if (!param.qualifiedName.name.empty() && typeTokens.empty() && name) {
                param.qualifiedName.name.clear();
                param.specifierTokens.push_back(name->getColumn());
            }
        }
    ;

type_id
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
    TokenIndices ignored;
}
    :   ignored = builtin_type_list ( ignored = ptr_operator_list )*
    |   ignored = template_id
    ;

template_value_parameter
{
    TokenIndices ignoredType;
    bool ignoredFlag = false;
    int ignoredEnd = 0;
}
    // An unnamed one, "template <typename T, bool> struct Impl;" or
    // "template <typename T, enable_if_t<C, int> = 0>": its type alone, read
    // and not kept.
    :   { UnnamedValueParameterFollows() }?
        (   WORD_CHAR | WORD_WCHAR_T | WORD_BOOL | WORD_SHORT | WORD_INT | WORD_LONG | WORD_SIGNED
        |   WORD_UNSIGNED | WORD__INT8 | WORD___INT8 | WORD__INT16 | WORD___INT16 | WORD__INT32
        |   WORD___INT32 | WORD__INT64 | WORD___INT64 | CLCL | IDENTIFIER | WORD_TYPENAME
        |   template_qualifier_arguments | STAR | AND | WORD_CONST
        )+
    |   ignoredEnd = declaration_specifiers[ignoredType, ignoredFlag] template_nontype_declarator
    ;

// ---------------------------------------------------------------------------
// Postfix and new expressions

postfix_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
    std::vector<std::string> ignoredScopes;
    std::string ignoredName;
}
    :   postfix_head
        (   LB expression RB
        |   LP ( expression_list )? RP
        |   ICR
        |   DECR
        |   ( DOT | ARROW ) ( WORD_TEMPLATE )? ( CLCL )?
            ( ignoredScopes = nested_name_specifier )?
            ignoredName = unqualified_id
        )*
    ;

postfix_head
{
    std::vector<std::string> ignoredScopes;
    TokenIndices ignored;
}
    :   primary_expression
    |   WORD_TYPENAME ( CLCL )? ignoredScopes = nested_name_specifier
        ( IDENTIFIER | ( WORD_TEMPLATE )? ignored = template_id )
        LP ( expression_list )? RP
    // A built-in type's conversion, "char(-1)", "unsigned long(n)".
    |   ( builtin_type_list LP ) => ignored = builtin_type_list LP ( expression_list )? RP
    // The type between the angle brackets is read as a template argument
    // is: a named one too, "static_cast<AV_ListenerId>(-1)",
    // "static_cast<const Node *>(p)".
    |   ( WORD_DYNAMIC_CAST | WORD_STATIC_CAST | WORD_REINTERPRET_CAST | WORD_CONST_CAST )
        LT_ template_argument_type GT LP expression RP
    |   WORD_TYPEID LP
        (   options { generateAmbigWarnings = false; }
        :   { !IsBuiltinTypeWord(LA(1)) }? expression
        |   type_id
        )
        RP
    ;

new_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   ( CLCL )? WORD_NEW
        (   LP expression_list RP new_type_id
        |   new_type_id
        )
        ( LP ( expression_list )? RP )?
    ;

// ---------------------------------------------------------------------------
// Using declarations

using_declaration
{
    bool relative = true;
    std::vector<std::string> scopes;
    std::string name;
    CQualifiedName prefix;
}
    :   WORD_USING WORD_TYPENAME ( CLCL { relative = false; } )?
        scopes = nested_name_specifier name = unqualified_id SEMI
        {
            auto info = std::make_unique<CClassInfo>();
            info->qualifiedName.relative = relative;
            info->qualifiedName.scopes = scopes;
            info->qualifiedName.name = name;
            MarkUnit(UNIT_USING, std::move(info));
        }
    |   WORD_USING prefix = qualified_name_prefix name = unqualified_id SEMI
        {
            auto info = std::make_unique<CClassInfo>();
            info->qualifiedName = prefix;
            info->qualifiedName.name = name;
            MarkUnit(UNIT_USING, std::move(info));
        }
    ;

// An alias, "using Count = unsigned;", "using Map = std::map<K, V>;", is
// the typedef it stands for: a variable named after the alias whose type is
// what follows the '=' (pointer operators and cv words after the type are
// left out of it, as a typedef's declarator keeps them).
alias_declaration
    :   use:WORD_USING name:IDENTIFIER ASSIGN first:~( SEMI | LP | RP | LC | RC | EOF )
        ( parenthesised_tokens | ~( SEMI | LP | RP | LC | RC | EOF ) )* semi:SEMI
        {
            auto info = std::make_unique<CVariableInfo>();
            info->qualifiedName.name = name->getText();
            info->specifierTokens.push_back(use->getColumn());
            CopyRange(first->getLine(), semi->getLine() - 1, info->typeTokens);
            AppendAll(info->specifierTokens, info->typeTokens);
            while (info->typeTokens.size() > 1 && IsDeclaratorWord(info->typeTokens.back()))
                info->typeTokens.pop_back();
            MarkUnit(UNIT_VARIABLE, std::move(info));
        }
    ;

// ---------------------------------------------------------------------------
// Functions and variables

function_or_variable[TokenIndices specifiers, std::vector<std::string> scopes, TokenIndices typeIndices, bool cvAfterType]
{
    std::vector<std::string> qualifier;
    int memberPointerStart = 0;
    int decorationStart = 0;
}
    // A pointer to a data member, "int S::*field;", "typedef T *C::*safe_bool;":
    // the class and its "*" are kept with the words before the name.
    :   (member_pointer_class STAR) =>
        { memberPointerStart = LT(1)->getLine(); }
        member_pointer_class star:STAR
        { CopyRange(memberPointerStart, star->getLine(), specifiers); }
        function_or_variable[specifiers, scopes, typeIndices, cvAfterType]
    |   (nested_name_specifier) =>
        qualifier = nested_name_specifier
        function_or_variable[specifiers, qualifier, typeIndices, cvAfterType]
    |   (template_qualifier) =>
        qualifier = template_qualifier
        {
            qualifier.insert(qualifier.begin(), scopes.begin(), scopes.end());
        }
        function_or_variable[specifiers, qualifier, typeIndices, cvAfterType]
    // LRESULT CALLBACK WndProc(...): a word between the type and the name
    // that only a header left unread defines (CALLBACK, WINAPI, APIENTRY)
    // stands where the calling convention it names would, and is kept with
    // the specifiers as such a word is. "char *f _ANSI_ARGS_((int a));" is
    // a prototype macro instead, told by its double parenthesis. So is
    // each of several such words, "WINUSERAPI BOOL WINAPI MessageBeep(UINT);",
    // and such a word before a variable's name, "int EXPORTED count;".
    // An attribute macro with arguments before the name (see
    // AttributeMacroBeforeNameFollows): read and not kept.
    |   { AttributeMacroBeforeNameFollows() }?
        IDENTIFIER parenthesised_tokens
        function_or_variable[specifiers, scopes, typeIndices, cvAfterType]
    |   { WordsBeforeNameFollow() }?
        convention:IDENTIFIER
        { specifiers.push_back(convention->getColumn()); }
        function_or_variable[specifiers, scopes, typeIndices, cvAfterType]
    // "void FAR *f(void)": a word between the type and its pointer operators
    // (see DecorationBeforePointersFollows), kept with them among the
    // specifiers.
    |   { DecorationBeforePointersFollows() }?
        { decorationStart = LT(1)->getLine(); }
        IDENTIFIER ( STAR | AND | WORD_CONST | WORD_VOLATILE )+
        { CopyRange(decorationStart, LT(1)->getLine() - 1, specifiers); }
        function_or_variable[specifiers, scopes, typeIndices, cvAfterType]
    // A name first: a function when "(" or a prototype macro (see
    // PrototypeMacroFollows) follows, else a variable, also when after a
    // type the "(" holds its first value (see ParenthesisedValueFollows).
    // Told apart without the trial below, which throws for every variable.
    |   {   LA(1) == IDENTIFIER &&
            ((LA(2) == LP && (specifiers.empty() || !ParenthesisedValueFollows(2))) ||
             PrototypeMacroFollows())
        }?
        function_definition[specifiers, scopes, false]
    // A constructor in its class named with the template's arguments, no
    // type before it (see TemplateConstructorFollows).
    |   { typeIndices.empty() && NoTypeAmong(specifiers) && TemplateConstructorFollows() }?
        function_definition[specifiers, scopes, true]
    // A specialisation of a function template, "f<wchar_t>(const wchar_t *p)":
    // named with its arguments.
    |   { LA(1) == IDENTIFIER && LA(2) == LT_ && !specifiers.empty() && TemplateIdThenParameters(2) }?
        function_definition[specifiers, scopes, false]
    |   { LA(1) == IDENTIFIER }?
        variable_declaration[specifiers, scopes, typeIndices, cvAfterType]
    // "void (*a)(void), (*b)(int);": several pointers to functions in one
    // declaration are its variables (see PointerDeclaratorListFollows).
    |   { PointerDeclaratorListFollows() }?
        variable_declaration[specifiers, scopes, typeIndices, cvAfterType]
    // "HRESULT (WINAPI *Func)(int n)" (see ConventionBeforePointer) and a
    // pointer to a member function (see MemberPointerFollows).
    |   { LA(1) == LP && (ConventionBeforePointer(2) || MemberPointerFollows(2)) }?
        function_definition[specifiers, scopes, false]
    |   (   WORD_OPERATOR
        |   NEGATE
        |   LP ( ptr_operator_list )*
            ( nested_name_specifier IDENTIFIER | IDENTIFIER )
            ( LP | RP LP | RP IDENTIFIER LP LP )
        ) =>
        function_definition[specifiers, scopes, false]
    |   variable_declaration[specifiers, scopes, typeIndices, cvAfterType]
    ;

function_definition[TokenIndices specifiers, std::vector<std::string> scopes, bool templateConstructor]
{
    CFunctionInfo function;
    bool pure = false;
    // "(*name)(...)": a pointer to a function, which may have a value.
    const bool parenthesised = LA(1) == LP;
}
    :   function_declarator[function, templateConstructor]
        ( ctor_initializer )?
        (   options { generateAmbigWarnings = false; }
        :   ( WORD_TRY )? LC RC
        |   SEMI
        |   ASSIGN OCTALNUMBER { pure = true; }
        // A special member the compiler writes or one taken away,
        // "Widget() = default;", "Widget(const Widget &) = delete;".
        |   ASSIGN ( WORD_DEFAULT | WORD_DELETE )
        // "int (*mb_ptr2len)(char_u *p) = latin_ptr2len;": the pointer with
        // its first value, which is read and not kept.
        |   { parenthesised }? ASSIGN assignment_expression
        )
        {
            // The constructor initializer is only read: nothing of it is kept.
            auto info = std::make_unique<CFunctionInfo>();
            *info = function;
            info->qualifiedName.scopes = scopes;
            info->pure = pure;
            // The words before the declarator, then any type the
            // declarator itself names (STDMETHOD_'s).
            info->specifierTokens = specifiers;
            AppendAll(info->specifierTokens, function.specifierTokens);
            MarkUnit(UNIT_FUNCTION, std::move(info));
        }
    ;

function_declarator[CFunctionInfo& function, bool templateConstructor]
{
    std::string name;
    TokenIndices ignoredPointers;
    std::vector<std::string> ignoredScopes;
}
    // A macro that declares a method from its return type and its name, as
    // COM's "STDMETHOD_(ULONG, AddRef)()": the last argument names it.
    // Its type stands where the return type would.
    :   { MacroNamedFunctionFollows() }?
        IDENTIFIER open:LP ( ~( LP | RP | COMMA ) )* comma:COMMA macroNamed:IDENTIFIER RP
        parameter_clause[function]
        {
            function.qualifiedName.name = macroNamed->getText();
            CopyRange(open->getLine() + 1, comma->getLine() - 1, function.specifierTokens);
        }
    |   { PrototypeMacroFollows() }?
        prototyped:IDENTIFIER IDENTIFIER LP parameter_clause[function] RP
        { function.qualifiedName.name = prototyped->getText(); }
    // A constructor in its class named with the template's arguments (see
    // TemplateConstructorFollows): named as the class.
    |   { templateConstructor }?
        ctor:IDENTIFIER template_qualifier_arguments parameter_clause[function]
        { function.qualifiedName.name = ctor->getText(); }
    |   name = unqualified_id parameter_clause[function]
        { function.qualifiedName.name = name; }
    |   LP
        (   options { generateAmbigWarnings = false; }
        :   { ConventionBeforePointer(1) }? ( options { greedy = true; } : IDENTIFIER )+
        |   { MemberPointerFollows(1) }? member_pointer_class
        )?
        ( ptr_operator_seq[ignoredPointers] )*
        ( ignoredScopes = nested_name_specifier )?
        name = unqualified_id
        (   RP
            (   parameter_clause[function]
            // A prototype macro that a header left unread defines, told by
            // its double parenthesis as after a plain name (see
            // PrototypeMacroFollows): "typedef voidpf (*open_file_func) OF((...));".
            |   IDENTIFIER LP parameter_clause[function] RP
            )
        // A function returning a pointer to a function,
        // "void (*sqlite3OsDlSym(sqlite3_vfs *, void *, const char *))(void)":
        // the parameters of the function pointed to are read and not kept.
        |   parameter_clause[function] RP ( returned_function_parameters )?
        )
        { function.qualifiedName.name = name; }
    ;

// The class of a pointer to a member, "C::" or "N::Box<T>::" before the
// "*" of "void (C::*handler)(int)": read and not kept.
member_pointer_class
    :   IDENTIFIER ( template_qualifier_arguments )? CLCL
        (   options { greedy = true; }
        :   IDENTIFIER ( template_qualifier_arguments )? CLCL
        )*
    ;

parameter_clause[CFunctionInfo& function]
{
    int ignored = 0;
}
    :   LP
        // An empty pair of parentheses declares no parameter at all.
        (   options { generateAmbigWarnings = false; }
        :   { LA(1) != RP }? parameter_declaration_list[function]
        )?
        RP ( ignored = cv_qualifier )? ( exception_specification )?
        ( trailing_return_type )?
        // Words before the body or the semicolon that a header left unread
        // defines, read and not kept (see WordsAfterParametersFollow).
        (   options { generateAmbigWarnings = false; }
        :   { WordsAfterParametersFollow() }?
            (   options { greedy = true; }
            :   IDENTIFIER ( parenthesised_tokens )?
            )+
        )?
    ;

// The return type after the parameters, "auto f(T x) -> decltype(x + 1)",
// up to the body, the ';' or the '=' of "= 0": read and not kept (the words
// before the name stay the function's type).
trailing_return_type
    :   ARROW
        (   options { greedy = true; }
        :   parenthesised_values
        |   ~( LP | RP | LC | RC | SEMI | ASSIGN | COLON | EOF )
        )+
    ;

// Parentheses whose tokens may hold braces, as a decltype that builds a
// value does: "decltype(T{std::declval<U>()}, std::true_type{})". Errors go
// to the caller.
parenthesised_values
options { defaultErrorHandler = false; }
    :   LP ( parenthesised_values | braced_tokens | ~( LP | RP | LC | RC | SEMI | EOF ) )* RP
    ;

// throw ( ) or throw ( type, ... ) after a parameter list: read and not kept.
exception_specification
    :   WORD_THROW LP ( ~( RP | LP | SEMI | LC | RC ) )* RP
    ;

parameter_declaration_list[CFunctionInfo& function]
    :   parameter_declaration[function] ( COMMA parameter_declaration[function] )*
    ;

parameter_declaration[CFunctionInfo& function]
{
    CVariableInfo param;
}
    :   simple_parameter_declaration[param, LT(1)->getLine() - 1]
        ( ASSIGN assignment_expression )?
        { function.parameters.push_back(param); }
    |   dots:ELLIPSIS
        {
            CVariableInfo variadic;
            variadic.specifierTokens.push_back(dots->getColumn());
            function.parameters.push_back(variadic);
        }
    ;

variable_declaration[TokenIndices specifiers, std::vector<std::string> scopes, TokenIndices typeIndices, bool cvAfterType]
{
    CVariableInfo var;
}
    // A name with its first value in braces, "int count{0};",
    // "std::vector<int> v{1, 2};", as one after "=" is. A name alone before
    // a block is no variable: "va_dcl {" ends an old-style definition's head.
    :   (   options { generateAmbigWarnings = false; }
        :   { !specifiers.empty() }? braced:IDENTIFIER LC RC
            { var.qualifiedName.name = braced->getText(); }
        // An array so given its values, "char buffer[16]{};" (see
        // BracedArrayFollows).
        |   { !specifiers.empty() && BracedArrayFollows() }?
            array:IDENTIFIER
            // The dimensions as array_dimension reads them, written out so
            // that the rule's recovery does not stop at a brace.
            (   open:LB ( constant_expression )? close:RB
                { CopyRange(open->getLine(), close->getLine(), var.arrayTokens); }
            )+
            LC RC
            { var.qualifiedName.name = array->getText(); }
        |   variable_declarator[var] ( SEMI | ASSIGN LC RC )
        )
        {
            auto info = std::make_unique<CVariableInfo>();
            *info = var;
            // The qualifiers and pointer operators inside a parenthesised
            // declarator, int (N::*p)[3], follow those of the declaration.
            info->qualifiedName.scopes = scopes;
            info->qualifiedName.scopes.insert(info->qualifiedName.scopes.end(),
                                              var.qualifiedName.scopes.begin(),
                                              var.qualifiedName.scopes.end());
            info->specifierTokens = specifiers;
            AppendAll(info->specifierTokens, var.specifierTokens);
            info->cvAfterType = cvAfterType;
            info->typeTokens = typeIndices;
            MarkUnit(UNIT_VARIABLE, std::move(info));
        }
    ;

variable_declarator[CVariableInfo& var]
    :   init_declarator[var]
    ;

init_declarator[CVariableInfo& var]
{
    CVariableInfo next;
}
    :   (   // The first value in parentheses, "running(\"run\")" (see
            // ParenthesisedValueFollows): read as tokens and kept as a
            // value after "=" is, from two tokens before it.
            { LA(1) == IDENTIFIER && LA(2) == LP && ParenthesisedValueFollows(2) }?
            name:IDENTIFIER open:LP
            { var.qualifiedName.name = name->getText(); }
            ( parenthesised_tokens | ~( LP | RP | SEMI | LC | RC | EOF ) )* RP
            {
                const int to = std::min(tokenStream->Position() - 2,
                                        static_cast<int>(currentUnit->tokenIndices.size()) - 1);
                CopyRange(std::max(0, open->getLine() - 2), to, var.initTokens);
            }
        |   init_declarator_head[var] initializer[var]
        )
        init_declarator_tail[next]
        {
            if (!next.qualifiedName.name.empty()) {
                var.multiple = true;
                var.further.push_back(next);
            }
        }
    ;

init_declarator_tail[CVariableInfo& next]
{
    TokenIndices pointers;
    std::vector<std::string> scopes;
}
    :   COMMA
        (   options { greedy = true; }
        // "char FAR *a, FAR *b;" (see DecorationBeforePointersFollows)
        :   { DecorationBeforePointersFollows() }?
            decoration:IDENTIFIER { pointers.push_back(decoration->getColumn()); }
        |   ptr_operator_seq[pointers]
        )*
        (   scopes = nested_name_specifier init_declarator[next]
        |   init_declarator[next]
        )
        {
            next.qualifiedName.scopes = scopes;
            AppendAll(next.specifierTokens, pointers);
        }
    |   // no further declarator
    ;

initializer[CVariableInfo& var]
    :   // a brace initializer, read by the declaration (tested without a
        // trial, which would throw for every other declarator)
        { LA(1) == ASSIGN && LA(2) == LC }?
    |   (ASSIGN) => assignment_initializer[var]
    |   // none
    ;

assignment_initializer[CVariableInfo& var]
    :   eq:ASSIGN assignment_expression
        {
            const int from = std::max(0, eq->getLine() - 2);
            const int to = std::min(tokenStream->Position() - 2,
                                    static_cast<int>(currentUnit->tokenIndices.size()) - 1);
            CopyRange(from, to, var.initTokens);
        }
    ;

// ---------------------------------------------------------------------------
// Template parameters

template_parameter_list
    :   template_parameter_item ( COMMA template_parameter_item )*
    ;

template_parameter_item
    :   template_parameter
    ;

template_parameter
options { defaultErrorHandler = false; }
    // A type parameter's default that is no type_id, "class Compare =
    // std::less<T>", "typename Def = Ret", is read and not kept as a value
    // parameter's is.
    :   (WORD_CLASS ( COMMA | GT )) => WORD_CLASS
    |   (WORD_CLASS ASSIGN type_id ( COMMA | GT )) => WORD_CLASS ASSIGN type_id
    |   (WORD_CLASS ASSIGN) => WORD_CLASS template_value_default
    |   (WORD_CLASS IDENTIFIER ( COMMA | GT )) => WORD_CLASS IDENTIFIER
    |   (WORD_CLASS IDENTIFIER ASSIGN type_id ( COMMA | GT )) =>
        WORD_CLASS IDENTIFIER ASSIGN type_id
    |   (WORD_CLASS IDENTIFIER ASSIGN) => WORD_CLASS IDENTIFIER template_value_default
    |   (WORD_TYPENAME ( COMMA | GT )) => WORD_TYPENAME
    |   (WORD_TYPENAME ASSIGN type_id ( COMMA | GT )) => WORD_TYPENAME ASSIGN type_id
    |   (WORD_TYPENAME ASSIGN) => WORD_TYPENAME template_value_default
    |   (WORD_TYPENAME IDENTIFIER ( COMMA | GT )) => WORD_TYPENAME IDENTIFIER
    |   (WORD_TYPENAME IDENTIFIER ASSIGN type_id ( COMMA | GT )) =>
        WORD_TYPENAME IDENTIFIER ASSIGN type_id
    |   (WORD_TYPENAME IDENTIFIER ASSIGN) => WORD_TYPENAME IDENTIFIER template_value_default
    |   WORD_TEMPLATE LT_ template_parameter_list GT WORD_CLASS ( IDENTIFIER )? ( ASSIGN IDENTIFIER )?
    |   template_value_parameter ( template_value_default )?
    ;

// A parameter's default, "int N = 1", "size_t Size = sizeof (T) * 2" or
// "class Alloc = allocator<T>": read and not kept, up to the "," or ">"
// that ends the parameter, with the brackets and parentheses inside it
// balanced.
template_value_default
    :   ASSIGN template_value_tokens
    ;

// Errors go to the default, which recovers at the parameter's end.
parenthesised_tokens
options { defaultErrorHandler = false; }
    :   LP ( parenthesised_tokens | ~( LP | RP | SEMI | LC | RC | EOF ) )* RP
    ;

// ---------------------------------------------------------------------------
// Expressions

expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   assignment_expression ( COMMA assignment_expression )*
    ;

expression_list
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   assignment_expression ( COMMA assignment_expression )*
    ;

constant_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   conditional_expression
    ;

assignment_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   conditional_expression
    |   throw_expression
    ;

conditional_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   logical_or_expression ( QUESTION expression COLON assignment_expression )?
    ;

logical_or_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   logical_and_expression ( OROR logical_and_expression )*
    ;

logical_and_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   inclusive_or_expression ( ANDAND inclusive_or_expression )*
    ;

inclusive_or_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   exclusive_or_expression ( OR exclusive_or_expression )*
    ;

exclusive_or_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   and_expression ( XOR and_expression )*
    ;

and_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   equality_expression ( AND equality_expression )*
    ;

equality_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   relational_expression ( ( EQ | NE ) relational_expression )*
    ;

relational_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   (shift_expression ( LT_ | GT | LE | GE ) shift_expression) =>
        shift_expression ( LT_ | GT | LE | GE ) shift_expression
    |   shift_expression
    ;

shift_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   additive_expression ( ( LS | RS ) additive_expression )*
    ;

additive_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   multiplicative_expression ( ( PLUS | MINUS ) multiplicative_expression )*
    ;

multiplicative_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   pm_expression ( ( STAR | DIV | MOD ) pm_expression )*
    ;

pm_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   cast_expression ( ( DOTSTAR | ARROWSTAR ) cast_expression )*
    ;

cast_expression
options { defaultErrorHandler = false; }
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
    std::vector<std::string> ignoredScopes;
}
    :   (LP type_id) => LP type_id RP cast_expression
    |   (LP named_pointer_type RP) => LP named_pointer_type RP cast_expression
    |   { NamedCastFollows() }? LP ( CLCL )? ( ignoredScopes = nested_name_specifier )? IDENTIFIER RP
        cast_expression
    |   unary_expression
    ;

// A named type and pointer operators in parentheses, as a cast or the
// operand of sizeof: "(xmlChar *) text", "(N::T **) 0", "sizeof (T *)".
// No expression ends with a pointer operator before its ")", so these are
// told apart from "(a * b)".
named_pointer_type
options { defaultErrorHandler = false; }
{
    std::vector<std::string> ignoredScopes;
    TokenIndices ignored;
}
    :   ( CLCL )? ( ignoredScopes = nested_name_specifier )? IDENTIFIER
        ( ignored = ptr_operator_list )+
    ;

unary_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   ICR cast_expression
    |   DECR cast_expression
    |   ( PLUS | MINUS | STAR | AND | NOT ) cast_expression
    |   ((CLCL)? WORD_NEW) => new_expression
    |   ((CLCL)? WORD_DELETE) => delete_expression
    |   (WORD_SIZEOF LP type_id) => WORD_SIZEOF LP type_id RP
    |   (WORD_SIZEOF LP named_pointer_type RP) => WORD_SIZEOF LP named_pointer_type RP
    |   (NEGATE cast_expression) => NEGATE cast_expression
    |   WORD_SIZEOF unary_expression
    |   postfix_expression
    ;

primary_expression
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
    std::vector<std::string> ignoredScopes;
    std::string ignoredName;
}
    :   STRINGS
    |   CHARS
    |   INTEGERNUMBER
    |   FLOATNUMBER
    |   HEXNUMBER
    |   OCTALNUMBER
    |   WORD_THIS
    |   WORD_TRUE
    |   WORD_FALSE
    |   LP expression RP
    // A name qualified by a class template, "std::numeric_limits<int>::max".
    |   { QualifierWithTemplateArgumentsFollows() }?
        ( CLCL )? ( ignoredScopes = nested_name_specifier )? ignoredScopes = template_qualifier
        ignoredName = unqualified_id
    |   ( ignoredScopes = nested_name_specifier )? ignoredName = unqualified_id
    |   (CLCL IDENTIFIER CLCL) => CLCL ignoredScopes = nested_name_specifier ignoredName = unqualified_id
    |   CLCL IDENTIFIER
    |   CLCL WORD_OPERATOR ignoredName = overloadable_operator
    ;

new_array_declarator
{
    RememberedAttempt attempt(*this, __func__);
    if (attempt.PassRemembered())
        return;
}
    :   LB expression RB ( LB constant_expression RB )*
    ;

// ---------------------------------------------------------------------------
// Rules that no other rule calls. They name places where a specifier run, an
// assignment or a template value argument may end, and so widen the recovery
// sets of the rules they refer to: after an error inside such a rule the
// parser skips only to a token where the enclosing construct can go on.

decl_specifier_word_run
{
    int ignored = 0;
}
    :   (   ignored = storage_class_specifier
        |   ignored = function_specifier
        |   ignored = simple_type_word
        |   WORD_FRIEND
        |   WORD__DECLSPEC
        |   WORD___DECLSPEC
        )+
    ;

assignment_with_operator
    :   logical_or_expression
        (   ASSIGN | MULTASSIGN | DIVASSIGN | MODASSIGN | PLUSASSIGN | MINUSASSIGN
        |   LSASSIGN | RSASSIGN | ANDASSIGN | ERASSIGN | ORASSIGN
        )
        assignment_expression
    ;

template_value_argument_list
    :   LT_ assignment_expression ( COMMA assignment_expression )* GT
    ;

template_value_parameter_default
    :   template_value_parameter ASSIGN assignment_expression
    ;

// The words a class or enumeration declaration may carry before its key
// (see class_declaration).
class_lead_word
    :   WORD_STATIC | WORD_EXTERN | WORD_CONST | WORD_VOLATILE
    ;

// The parameters of a function a parameter points to or is, read and not
// kept, with any parentheses inside them: "int (*atexit_ptr)(void (*func)(void))".
// None begins with a parenthesis; a macro's arguments may, as GLib's
// "G_IMPLEMENT_INTERFACE ((g_initable_get_type ()), init)" in a type
// definition macro's call, which is no function.
pointed_function_parameters
    :   LP { LA(1) != LP }?
        ( parenthesised_tokens | { LA(1) != antlr::Token::EOF_TYPE }? ~( LP | RP ) )* RP
    ;

// The parameters of an unnamed parameter of a function type after their
// "(" (see UnnamedFunctionTypeFollows), read and not kept. Their first token
// is one a parameter begins with, so that what may follow a type's "(" stays
// as narrow as without them for the rules that look ahead past a type.
unnamed_function_type_parameters
    :   (   RP
        |   (   WORD_CHAR | WORD_WCHAR_T | WORD_BOOL | WORD_SHORT | WORD_INT | WORD_LONG
            |   WORD_SIGNED | WORD_UNSIGNED | WORD_FLOAT | WORD_DOUBLE | WORD_VOID | WORD__INT8
            |   WORD___INT8 | WORD__INT16 | WORD___INT16 | WORD__INT32 | WORD___INT32 | WORD__INT64
            |   WORD___INT64 | WORD__W64 | WORD___W64 | WORD_CONST | WORD_VOLATILE | WORD_STRUCT
            |   WORD_UNION | WORD_ENUM | WORD_CLASS | IDENTIFIER
            )
            ( parenthesised_tokens | { LA(1) != antlr::Token::EOF_TYPE }? ~( LP | RP ) )* RP
        )
    ;

// The parameters of the function whose pointer a function returns, read
// and not kept, with any parentheses inside them.
returned_function_parameters
    :   LP ( parenthesised_tokens | { LA(1) != antlr::Token::EOF_TYPE }? ~( LP | RP ) )* RP
    ;

// A bit-field's width, "unsigned ready : 1", read and not kept.
bit_field_width
    :   COLON ( { LA(1) != antlr::Token::EOF_TYPE }? ~( SEMI | COMMA | ASSIGN | LC | RC ) )+
    ;
