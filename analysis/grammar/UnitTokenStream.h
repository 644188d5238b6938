#pragma once

#include "Unit.h"

#include <antlr/TokenStream.hpp>

#include <string>
#include <vector>

// Feeds one unit to the parser: first a token whose type is the start kind,
// then the unit's own tokens, then, when the unit owns a brace block, an
// empty brace pair "{" "}", and after that end of input for ever.
//
// A unit token carries its position within the unit as line and its index in
// the file's token vector as column; its text is kept for identifiers and
// strings only.
//
// GCC's attributes, `__attribute__((...))`, standard ones, `[[...]]`, and
// the words `constexpr`, `consteval` and `constinit` are passed over: they
// may stand wherever a declaration allows a word and say nothing the model
// keeps; so are the `try` of a constructor's function try block before its
// initializer list and `mutable` before a member's class key. So are the
// names and macro calls, Qt's markers, before a label that begins a
// member's unit, and labels before the access label that ends one. The
// positions of the tokens handed out stay those of the unit.
//
// A name that a macro pastes, "posixIoFinder ## Impl", which the
// preprocessor leaves in pieces, is handed out as one name,
// "posixIoFinderImpl", at the position of its last piece; a string's
// prefix pasted to a literal, "L ## \"text\"", is passed over.
//
// A ">>" that closes two template argument lists at once is handed out as
// two ">" at its own position; elsewhere it stays a shift.
//
// "&&" is handed out as "&" but after `operator`: an rvalue reference,
// "Widget(Widget &&other)", reads as a reference, and "a && b" in a value
// still reads as an expression. The unit's tokens keep their own text.
class CUnitTokenStream : public antlr::TokenStream {
public:
    // Points the stream at the start of a unit.
    void Aim(CUnit& unit, int startKind);

    antlr::RefToken nextToken() override;

    // -1 before the first token; afterwards the unit position of the next
    // token to hand out (unit and brace tokens fetched so far, lookahead
    // included).
    int Position() const { return position_; }

private:
    // The position after the attribute (or a word passed over as one) that
    // begins at `position`, or `position` when none does.
    int AfterAttribute(int position);
    // The position of the last piece of a name that a macro pastes and the
    // preprocessor leaves as pieces, "posixIoFinder ## Impl", from the name
    // at `position`; the pieces' text is appended to `text`. `position`
    // when no "##" follows.
    int PastPastedPieces(int position, std::string& text) const;
    // Whether a string's prefix stands at `position`, pasted to the string
    // or character after it: "L ## \"text\"".
    bool StringPrefixPastedAt(int position) const;
    // Whether the token at `position` is the "noexcept" of a function's
    // declarator: after its parameters' ")" or a cv or reference qualifier.
    // It is passed over with its condition, as an attribute is.
    bool NoexceptAt(int position) const;
    // The position after the requires clause that begins a template's
    // declaration at `position`, "requires Number<T> && (N > 0)", or
    // `position` when no declaration follows a whole clause.
    int PastRequiresClause(int position) const;
    // The position of the label after the names and macro calls a header
    // never read defines that begin a member's unit at `position`, Qt's
    // "Q_OBJECT signals:", "Q_OBJECT Q_PROPERTY(int v READ v) public
    // slots:", or `position` when no label follows them. Without an access
    // word a member or another label must follow the colon: "UINT mode :
    // MODE_BITS;" is a bit-field.
    int PastMarkersBeforeLabel(int position) const;
    // Whether a label begins at `position`: "protected:", "public slots:",
    // "signals:".
    bool LabelAt(int position) const;
    // The position of the access label that ends the unit after labels a
    // header never read defines that begin at `position`, Qt's "signals:
    // public slots: protected:", or `position` when the unit is not so.
    int PastLabelsBeforeAccessLabel(int position) const;
    // Whether what a member begins with stands at `position`: a keyword of
    // a type or a declaration, a destructor's "~", or a named type and a
    // name, template arguments, a qualifier, or a pointer operator and a
    // function's name.
    bool MemberAt(int position) const;
    // The position after the bracket of type `close` that closes the one of
    // type `open` at `from`; when none does, `attribute`, and later
    // attributes are not looked for.
    int PastBrackets(int attribute, int from, int open, int close);
    // The position after the bracket of type `close` that closes the one of
    // type `open` at `from`, or 0 when none does.
    int PastClosing(int from, int open, int close) const;
    // Follows the argument lists a name's "<" opens and the parentheses in
    // them; gives the type to hand out for a token of type `type`.
    int FollowAngles(int type);

    int startKind_ = 0;
    int position_ = 0;
    int tokenCount_ = 0;
    bool brace_ = false;
    // Set once an attribute's parentheses run past the unit's end: later
    // ones are not looked for again, so a long broken unit costs no more
    // than one pass.
    bool unclosedAttribute_ = false;
    // The parenthesis depth at which each argument list still open began.
    std::vector<int> openAngles_;
    int parenDepth_ = 0;
    int lastType_ = 0;
    bool secondGreater_ = false;
    CUnit* unit_ = nullptr;
};
