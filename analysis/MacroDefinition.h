#pragma once

#include "MacroDef.h"
#include "MacroTable.h"
#include "MessageSink.h"
#include "PPToken.h"

#include <cstddef>
#include <vector>

// The text of a '(' that a blank separates from the name of the #define
// before it (other '(' tokens carry none): as in C, that macro is
// object-like and its body starts at the '('. The scanner sets it.
inline constexpr char kObjectLikeBodyParen[] = "(";

// Reads one #define or #undef line into the macro table in use. The line's
// tokens are only read, never changed. A definition's body is stored already
// expanded with the macros known at that time.
class CDefineProcessor {
public:
    // A body stops growing at this many tokens (bodies are stored expanded,
    // so definitions that use each other twice would double at every step);
    // the rest of the line is left out with a message line.
    static constexpr size_t kMaxBodyTokens = 10000;

    CDefineProcessor(const std::vector<PPToken>& tokens, MacroTable& macros, MessageSink& messages)
        : tokens_(tokens), macros_(macros), messages_(messages)
    {
    }

    // i is the position of the '#'. Returns the position of the line's end
    // (the token loop goes on after it), the last position when the tokens
    // end first (nothing is stored then), or i after a failure (a line on the
    // message stream; nothing stored).
    //
    // #define stores the definition under its name, replacing an earlier one;
    // #undef removes the name from the table.
    size_t Parse(size_t i);

    // After Parse reached the line's end: the definition stored (shared with
    // the table), and whether the line was an #undef.
    bool Completed() const { return completed_; }
    bool IsUndef() const { return isUndef_; }
    const SharedMacro& Definition() const { return made_; }
    const std::string& Name() const { return name_; }
    // After Parse reached the line's end: the definition the name had in
    // the table before (null: none) and has now (null: none).
    const SharedMacro* Replaced() const { return hadOne_ ? &replaced_ : nullptr; }
    const SharedMacro* Stored() const { return completed_ && !isUndef_ ? &made_ : nullptr; }

private:
    size_t ParseName(size_t i);
    size_t ParseParameters(size_t p);
    size_t ParseBody(size_t b);
    size_t ExpandInBody(size_t position);
    // Whether `count` more tokens fit into the body; the first time they do
    // not, a message line says the body is cut.
    bool BodyHasRoom(size_t count);
    size_t BodyRoom() const;
    // `fits`, unless the body was cut before; cuts it when not.
    bool CutUnless(bool fits);
    // Ends a cut body after its last token at which the brackets it opened
    // are closed.
    void DropUnclosedEnd();

    const PPToken& At(size_t position) const;

    const std::vector<PPToken>& tokens_;
    MacroTable& macros_;
    MessageSink& messages_;
    CMacroDef def_; // while it is read
    SharedMacro made_; // once stored
    SharedMacro replaced_; // what the name had before, when hadOne_
    bool hadOne_ = false;
    std::string name_; // of the macro defined or removed
    bool completed_ = false;
    bool isUndef_ = false;
    bool cut_ = false;
};
