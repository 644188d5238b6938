%top{
/* Larger blocks than flex's default: fewer refills on big files. A refill
   reads as much as the buffer holds: under a long token the buffer doubles,
   so each refill reads as much again as the token so far, and the matcher,
   which scans the token again from its start after each refill, does linear
   work in the token's length instead of quadratic. */
#define YY_BUF_SIZE 65536
#define YY_READ_BUF_SIZE 0x7fffffff
}

%{
#include "ScannerLexer.h"
#include "TokenType.h"

#include <cstdio>
#include <cstring>

int g_ScannerTrace = 0;

#define TRACE_RULE(name) \
    do { if (g_ScannerTrace == 1) { std::fputs(name "\n", stdout); } } while (0)

/* Before every rule's action: whether the match follows a blank or a
   comment directly. */
#define YY_USER_ACTION \
    blankBefore_ = blankEnded_; \
    blankEnded_ = false;
%}

%option c++
%option yyclass="KestrinLexer"
%option noyywrap nodefault batch never-interactive
%option full 8bit
%option noyymore

%x BLOCKCOMMENT
%x LINECOMMENT
/* The rest of the line holds no '>': a bracketed include name cannot start
   here, so the include rules are not tried again until the line ends (each
   try would read to the end of the line). */
%s NOCLOSINGBRACKET

LONG    ([lL]|ll|LL)
IS      ([uU]{LONG}?|{LONG}[uU]?)
/* After a number: a character that no number form goes on with. */
NONUM   [^0-9A-Za-z_.']

%%

[ \t\v\f\r]{1,64}        {
                          blankEnded_ = true;
                          /* Blanks and comments are matched in pieces of at
                             most 64 bytes: a long run of them never becomes
                             one long match, so the matcher reaches its next
                             refill, where the stop request is checked,
                             within one buffer. */
                        }
[ \t\v\f\r]{0,63}\n      { ++yylineno; BEGIN(INITIAL); return ENDLINE; }

"and" { return WORD_AND; }
"and_eq" { return WORD_AND_EQ; }
"asm" { return WORD_ASM; }
"auto" { return WORD_AUTO; }
"bitand" { return WORD_BITAND; }
"bitor" { return WORD_BITOR; }
"bool" { return WORD_BOOL; }
"break" { return WORD_BREAK; }
"case" { return WORD_CASE; }
"catch" { return WORD_CATCH; }
"char" { return WORD_CHAR; }
"class" { return WORD_CLASS; }
"compl" { return WORD_COMPL; }
"const" { return WORD_CONST; }
"const_cast" { return WORD_CONST_CAST; }
"continue" { return WORD_CONTINUE; }
"default" { return WORD_DEFAULT; }
"delete" { return WORD_DELETE; }
"do" { return WORD_DO; }
"double" { return WORD_DOUBLE; }
"dynamic_cast" { return WORD_DYNAMIC_CAST; }
"else" { return WORD_ELSE; }
"enum" { return WORD_ENUM; }
"explicit" { return WORD_EXPLICIT; }
"export" { return WORD_EXPORT; }
"extern" { return WORD_EXTERN; }
"false" { return WORD_FALSE; }
"float" { return WORD_FLOAT; }
"for" { return WORD_FOR; }
"friend" { return WORD_FRIEND; }
"goto" { return WORD_GOTO; }
"if" { return WORD_IF; }
"inline" { return WORD_INLINE; }
"int" { return WORD_INT; }
"long" { return WORD_LONG; }
"mutable" { return WORD_MUTABLE; }
"namespace" { return WORD_NAMESPACE; }
"new" { return WORD_NEW; }
"not" { return WORD_NOT; }
"not_eq" { return WORD_NOT_EQ; }
"operator" { return WORD_OPERATOR; }
"or" { return WORD_OR; }
"or_eq" { return WORD_OR_EQ; }
"private" { return WORD_PRIVATE; }
"protected" { return WORD_PROTECTED; }
"public" { return WORD_PUBLIC; }
"register" { return WORD_REGISTER; }
"reinterpret_cast" { return WORD_REINTERPRET_CAST; }
"return" { return WORD_RETURN; }
"short" { return WORD_SHORT; }
"signed" { return WORD_SIGNED; }
"sizeof" { return WORD_SIZEOF; }
"static" { return WORD_STATIC; }
"static_cast" { return WORD_STATIC_CAST; }
"struct" { return WORD_STRUCT; }
"switch" { return WORD_SWITCH; }
"template" { return WORD_TEMPLATE; }
"this" { return WORD_THIS; }
"throw" { return WORD_THROW; }
"true" { return WORD_TRUE; }
"try" { return WORD_TRY; }
"typedef" { return WORD_TYPEDEF; }
"typeid" { return WORD_TYPEID; }
"typename" { return WORD_TYPENAME; }
"union" { return WORD_UNION; }
"unsigned" { return WORD_UNSIGNED; }
"using" { return WORD_USING; }
"virtual" { return WORD_VIRTUAL; }
"void" { return WORD_VOID; }
"volatile" { return WORD_VOLATILE; }
"wchar_t" { return WORD_WCHAR_T; }
"while" { return WORD_WHILE; }
"xor" { return WORD_XOR; }
"xor_eq" { return WORD_XOR_EQ; }
"include" { return WORD_INCLUDE; }
"define" { return WORD_DEFINE; }
"defined" { return WORD_DEFINED; }
"pragma" { return WORD_PRAGMA; }
"error" { return WORD_ERROR; }
"line" { return WORD_LINE; }
"endif" { return WORD_ENDIF; }
"elif" { return WORD_ELIF; }
"ifdef" { return WORD_IFDEF; }
"ifndef" { return WORD_IFNDEF; }
"undef" { return WORD_UNDEF; }
"_based" { return WORD__BASED; }
"__based" { return WORD___BASED; }
"_declspec" { return WORD__DECLSPEC; }
"__declspec" { return WORD___DECLSPEC; }
"_cdecl" { return WORD__CDECL; }
"__cdecl" { return WORD___CDECL; }
"_fastcall" { return WORD__FASTCALL; }
"__fastcall" { return WORD___FASTCALL; }
"_stdcall" { return WORD__STDCALL; }
"__stdcall" { return WORD___STDCALL; }
"_asm" { return WORD__ASM; }
"__asm" { return WORD___ASM; }
"_inline" { return WORD__INLINE; }
"__inline" { return WORD___INLINE; }
"_forceinline" { return WORD__FORCEINLINE; }
"__forceinline" { return WORD___FORCEINLINE; }
"_int8" { return WORD__INT8; }
"__int8" { return WORD___INT8; }
"_int16" { return WORD__INT16; }
"__int16" { return WORD___INT16; }
"_int32" { return WORD__INT32; }
"__int32" { return WORD___INT32; }
"_int64" { return WORD__INT64; }
"__int64" { return WORD___INT64; }
"_w64" { return WORD__W64; }
"__w64" { return WORD___W64; }

(u8|u|U|L)?R\"          { return ScanRawString(); }
(u8|u|U|L)?\"           {
                          /* Strings, and the quoted texts that are no valid
                             strings, are read by hand: a match of megabytes
                             would run the matcher over them without a
                             pause, where the stop request is not looked
                             at. */
                          return ScanQuoted();
                        }
(u8|u|U|L)?'            { return ScanCharacter(); }
[A-Za-z_][A-Za-z0-9_]{0,63} {
                          /* A longer name goes on by hand, for the same
                             reason as strings. */
                          if (yyleng == 64) {
                              EndTokenAt(NameEnd(64));
                          }
                          SetText(yytext, yyleng);
                          return IDENTIFIER;
                        }
[1-9][0-9]{0,15}{IS}?/{NONUM} {
                          /* Short numbers that nothing can go on from need
                             no reading by hand. */
                          TRACE_RULE("Integer");
                          SetText(yytext, yyleng);
                          return INTEGERNUMBER;
                        }
0[0-7]{0,15}{IS}?/{NONUM} {
                          TRACE_RULE("octal");
                          SetText(yytext, yyleng);
                          return OCTALNUMBER;
                        }
0[xX][0-9a-fA-F]{1,16}{IS}?/{NONUM} {
                          TRACE_RULE("hexdecimal");
                          SetText(yytext, yyleng);
                          return HEXNUMBER;
                        }
[0-9]{1,16}\.[0-9]{0,16}([eE][+-]?[0-9]{1,4})?[fFlL]?/{NONUM} {
                          TRACE_RULE("float");
                          SetText(yytext, yyleng);
                          return FLOATNUMBER;
                        }
[0-9]|"."[0-9]          {
                          /* Numbers and bracketed include names are read by
                             hand too: a line of digits, or of a name after
                             "include <", may be megabytes long. */
                          return ScanNumber();
                        }

"#"     { return SHARP; }
"##"    { return SHARPSHARP; }
"\\"    { return SLASH; }
"{"     { return LC; }
"}"     { return RC; }
"["     { return LB; }
"]"     { return RB; }
"("     { return LP; }
")"     { return RP; }
";"     { return SEMI; }
":"     { return COLON; }
"?"     { return QUESTION; }
"."     { return DOT; }
"+"     { return PLUS; }
"-"     { return MINUS; }
"*"     { return STAR; }
"/"     { return DIV; }
"%"     { return MOD; }
"^"     { return XOR; }
"&"     { return AND; }
"|"     { return OR; }
"~"     { return NEGATE; }
"!"     { return NOT; }
"="     { return ASSIGN; }
"<"     { return LT_; }
">"     { return GT; }
","     { return COMMA; }
"..."   { return ELLIPSIS; }
"::"    { return CLCL; }
".*"    { return DOTSTAR; }
"+="    { return PLUSASSIGN; }
"-="    { return MINUSASSIGN; }
"*="    { return MULTASSIGN; }
"/="    { return DIVASSIGN; }
"%="    { return MODASSIGN; }
"^="    { return ERASSIGN; }
"&="    { return ANDASSIGN; }
"||"    { return OROR; }
"|="    { return ORASSIGN; }
"<<"    { return LS; }
">>"    { return RS; }
">>="   { return RSASSIGN; }
"<<="   { return LSASSIGN; }
"=="    { return EQ; }
"!="    { return NE; }
"<="    { return LE; }
">="    { return GE; }
"&&"    { return ANDAND; }
"++"    { return ICR; }
"--"    { return DECR; }
"->*"   { return ARROWSTAR; }
"->"    { return ARROW; }

"/*"                    { TRACE_RULE("주석1"); BEGIN(BLOCKCOMMENT); }
"//"                    { TRACE_RULE("주석2"); BEGIN(LINECOMMENT); }

<INITIAL>include[ \t<]    { return ScanInclude(); }

"\xEF\xBB\xBF"          {
                          /* A UTF-8 byte order mark, which Visual C++ puts
                             before the first line of the files it saves: no
                             token. */
                        }
.                       { UnknownCharacter(); return LEXERROR; }

<LINECOMMENT>[^\n]{1,64} { }
<LINECOMMENT>\n         { ++yylineno; BEGIN(INITIAL); return ENDLINE; }

<BLOCKCOMMENT>[^*\n\0]{1,64} { }
<BLOCKCOMMENT>\n        { ++yylineno; }
<BLOCKCOMMENT>"*"{1,64}"/" { blankEnded_ = true; BEGIN(INITIAL); }
<BLOCKCOMMENT>"*"{1,63} {
                          /* One shorter than the closing rule's run: the last
                             piece of a run of stars always goes with the
                             closing slash. */
                        }
<BLOCKCOMMENT>\0        { BEGIN(INITIAL); }
<BLOCKCOMMENT><<EOF>>   { BEGIN(INITIAL); return LEXERROR; }

%%

void KestrinLexer::SetText(const char* start, std::size_t length)
{
    text_ = start;
    textLength_ = length;
    hasText_ = true;
}

// A string continued over lines keeps its backslash and newline, a raw
// string its line ends; a carriage return before a newline is dropped so
// that CR LF files give the same text as LF files. True when the string went
// on over a line end.
bool KestrinLexer::SetStringText(const char* start, std::size_t length)
{
    if (std::memchr(start, '\n', length) == nullptr) {
        SetText(start, length);
        return false;
    }
    ownText_.clear();
    for (std::size_t k = 0; k < length; ++k) {
        if (start[k] == '\n') {
            ++yylineno;
        }
        if (start[k] == '\r' && k + 1 < length && start[k + 1] == '\n') {
            continue;
        }
        ownText_.push_back(start[k]);
    }
    SetText(ownText_.data(), ownText_.size());
    return true;
}

// The bytes of the token being matched are read by hand from here on: the
// buffer is refilled (keeping the token) as the reading goes past its end,
// and the stop request is looked at every kStopCheckBytes bytes read.
void KestrinLexer::BeginHandScan()
{
    *yy_c_buf_p = yy_hold_char;
    handAvailable_ =
        static_cast<std::size_t>(YY_CURRENT_BUFFER_LVALUE->yy_ch_buf + yy_n_chars - yytext);
}

// ByteAt past the bytes in the buffer, or when the stop request is due to be
// looked at.
int KestrinLexer::ByteAtRefilling(std::size_t k)
{
    if (stopRequest_ != nullptr && stopRequest_->load(std::memory_order_relaxed)) {
        throw ScanStopped();
    }
    while (k >= handAvailable_) {
        char* const buffer = YY_CURRENT_BUFFER_LVALUE->yy_ch_buf;
        if (YY_CURRENT_BUFFER_LVALUE->yy_buffer_status == YY_BUFFER_EOF_PENDING) {
            return -1;
        }
        yy_c_buf_p = buffer + yy_n_chars + 1;
        yy_get_next_buffer();
        handAvailable_ =
            static_cast<std::size_t>(YY_CURRENT_BUFFER_LVALUE->yy_ch_buf + yy_n_chars - yytext);
    }
    return static_cast<unsigned char>(yytext[k]);
}

// The token ends after its first length bytes; the rest is matched next.
void KestrinLexer::EndTokenAt(std::size_t length)
{
    yy_c_buf_p = yytext + length;
    yy_hold_char = *yy_c_buf_p;
    *yy_c_buf_p = '\0';
    yyleng = static_cast<int>(length);
}

namespace {

bool IsNameByte(int c)
{
    return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsOctal(int c)
{
    return c >= '0' && c <= '7';
}

bool IsBinary(int c)
{
    return c == '0' || c == '1';
}

bool IsHex(int c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A byte of a raw string's delimiter: no blank, control character,
// parenthesis, backslash or quote.
bool IsDelimiterByte(int c)
{
    return c > ' ' && c != 127 && c != '(' && c != ')' && c != '\\' && c != '"';
}

bool IsSimpleEscape(int c)
{
    return c >= 0 && std::strchr("abfnrtv\\?'\"", c) != nullptr && c != 0;
}

} // namespace

std::size_t KestrinLexer::NameEnd(std::size_t from)
{
    BeginHandScan();
    while (IsNameByte(ByteAt(from))) {
        ++from;
    }
    return from;
}

// Past the escape whose backslash is at k, or 0 when it is no valid escape.
// Octal and hex digits after the first are taken as plain characters: either
// way the literal goes on to the same closing quote. A backslash before a
// line end (CR LF too) is valid only in strings.
std::size_t KestrinLexer::EscapeEnd(std::size_t k, bool lineEndAllowed)
{
    const int c = ByteAt(k + 1);
    if (IsSimpleEscape(c) || IsOctal(c)) {
        return k + 2;
    }
    if (c == 'x') {
        return IsHex(ByteAt(k + 2)) ? k + 2 : 0;
    }
    // A universal character name, "\u25cf" or "\U0001F600": four or eight
    // hex digits.
    if (c == 'u' || c == 'U') {
        const std::size_t digits = c == 'u' ? 4 : 8;
        for (std::size_t d = 0; d < digits; ++d) {
            if (!IsHex(ByteAt(k + 2 + d))) {
                return 0;
            }
        }
        return k + 2 + digits;
    }
    if (lineEndAllowed && c == '\n') {
        return k + 2;
    }
    if (lineEndAllowed && c == '\r' && ByteAt(k + 2) == '\n') {
        return k + 3;
    }
    return 0;
}

// A string: an optional L, a quote, escapes and other characters but line
// ends, and a closing quote. Else a quote, anything but quotes and line ends
// and a quote is a header name; else the L alone is a name, and the quote
// alone an unknown character.
int KestrinLexer::ScanQuoted()
{
    BeginHandScan();
    // Past the quote and any prefix before it (L, u8, u or U).
    const std::size_t skip = static_cast<std::size_t>(yyleng);
    std::size_t k = skip;
    for (;;) {
        const int c = ByteAt(k);
        if (c == '"') {
            TRACE_RULE("string");
            EndTokenAt(k + 1);
            if (SetStringText(yytext + skip, k - skip)) {
                BEGIN(INITIAL); /* continued onto a new line */
            }
            return STRINGS;
        }
        if (c == -1 || c == '\n') {
            break;
        }
        if (c == '\\') {
            k = EscapeEnd(k, true);
            if (k == 0) {
                break;
            }
        } else {
            ++k;
        }
    }
    if (skip > 1) {
        // No text follows: the prefix is a name.
        EndTokenAt(skip - 1);
        SetText(yytext, skip - 1);
        return IDENTIFIER;
    }
    for (k = 1;; ++k) {
        const int c = ByteAt(k);
        if (c == '"') {
            TRACE_RULE("h_char");
            EndTokenAt(k + 1);
            SetText(yytext + 1, k - 1);
            return H_CHAR;
        }
        if (c == -1 || c == '\n') {
            break;
        }
    }
    EndTokenAt(1);
    UnknownCharacter();
    return LEXERROR;
}

// A raw string: an optional u8, u, U or L, then R, a quote, a delimiter of
// at most 16 characters, "(", any characters line ends included, ")", the
// delimiter and a quote. Else the words before the quote are a name and the
// quote is read on its own.
int KestrinLexer::ScanRawString()
{
    constexpr std::size_t kLongestDelimiter = 16;
    BeginHandScan();
    const std::size_t quote = static_cast<std::size_t>(yyleng) - 1;
    const std::size_t delimiter = quote + 1;
    std::size_t open = delimiter;
    while (open - delimiter <= kLongestDelimiter && IsDelimiterByte(ByteAt(open))) {
        ++open;
    }
    if (!unclosedRawString_ && open - delimiter <= kLongestDelimiter && ByteAt(open) == '(') {
        const std::size_t length = open - delimiter;
        for (std::size_t k = open + 1;; ++k) {
            const int c = ByteAt(k);
            if (c == -1) {
                unclosedRawString_ = true;
                break;
            }
            if (c != ')')
                continue;
            std::size_t d = 0;
            while (d < length && ByteAt(k + 1 + d) == ByteAt(delimiter + d))
                ++d;
            if (d == length && ByteAt(k + 1 + length) == '"') {
                TRACE_RULE("raw string");
                EndTokenAt(k + length + 2);
                if (SetStringText(yytext + open + 1, k - open - 1)) {
                    BEGIN(INITIAL); /* went on over line ends */
                }
                return STRINGS;
            }
        }
    }
    EndTokenAt(quote);
    SetText(yytext, quote);
    return IDENTIFIER;
}

// A character literal: an optional L, a quote, at least one escape or other
// character but line ends, and a closing quote. Else as for strings.
int KestrinLexer::ScanCharacter()
{
    BeginHandScan();
    // Past the quote and any prefix before it (L, u8, u or U).
    const std::size_t skip = static_cast<std::size_t>(yyleng);
    std::size_t k = skip;
    for (;;) {
        const int c = ByteAt(k);
        if (c == '\'' && k > skip) {
            TRACE_RULE("char");
            EndTokenAt(k + 1);
            SetText(yytext + skip, k - skip);
            return CHARS;
        }
        if (c == -1 || c == '\n' || c == '\'') {
            break;
        }
        if (c == '\\') {
            k = EscapeEnd(k, false);
            if (k == 0) {
                break;
            }
        } else {
            ++k;
        }
    }
    if (skip > 1) {
        // No text follows: the prefix is a name.
        EndTokenAt(skip - 1);
        SetText(yytext, skip - 1);
        return IDENTIFIER;
    }
    EndTokenAt(1);
    UnknownCharacter();
    return LEXERROR;
}

namespace {

bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

} // namespace

// Past the run of digits that `inRun` takes from k. A single quote between
// two of them is a digit separator, "1'000'000", and belongs to the run.
std::size_t KestrinLexer::RunEnd(std::size_t k, bool (*inRun)(int))
{
    for (;;) {
        if (inRun(ByteAt(k))) {
            ++k;
        } else if (ByteAt(k) == '\'' && k > 0 && inRun(ByteAt(k - 1)) && inRun(ByteAt(k + 1))) {
            k += 2;
        } else {
            return k;
        }
    }
}

// u or U with an optional l, L, ll or LL, or those with an optional u or U.
std::size_t KestrinLexer::IntegerSuffixEnd(std::size_t k)
{
    const auto longEnd = [this](std::size_t at) -> std::size_t {
        const int c = ByteAt(at);
        if (c != 'l' && c != 'L') {
            return at;
        }
        return ByteAt(at + 1) == c ? at + 2 : at + 1;
    };
    const int c = ByteAt(k);
    if (c == 'u' || c == 'U') {
        return longEnd(k + 1);
    }
    const std::size_t end = longEnd(k);
    if (end != k && (ByteAt(end) == 'u' || ByteAt(end) == 'U')) {
        return end + 1;
    }
    return end;
}

// Past an exponent (e or E, an optional sign, digits) at k, or k.
std::size_t KestrinLexer::ExponentEnd(std::size_t k)
{
    if (ByteAt(k) != 'e' && ByteAt(k) != 'E') {
        return k;
    }
    std::size_t digits = k + 1;
    if (ByteAt(digits) == '+' || ByteAt(digits) == '-') {
        ++digits;
    }
    return IsDigit(ByteAt(digits)) ? RunEnd(digits, IsDigit) : k;
}

// Past an f, F, l or L at k, or k.
std::size_t KestrinLexer::FloatSuffixEnd(std::size_t k)
{
    const int c = ByteAt(k);
    return c == 'f' || c == 'F' || c == 'l' || c == 'L' ? k + 1 : k;
}

// The longest of a decimal, octal, hexadecimal or binary integer with its
// suffix and a floating number (digits with a point or an exponent, or a
// point and digits); between equally long ones the integer.
int KestrinLexer::ScanNumber()
{
    BeginHandScan();
    int type = FLOATNUMBER;
    std::size_t end = 0;
    if (yytext[0] == '.') {
        end = FloatSuffixEnd(ExponentEnd(RunEnd(1, IsDigit)));
    } else {
        const std::size_t digits = RunEnd(0, IsDigit);
        if (yytext[0] != '0') {
            type = INTEGERNUMBER;
            end = IntegerSuffixEnd(digits);
        } else {
            type = OCTALNUMBER;
            end = IntegerSuffixEnd(RunEnd(1, IsOctal));
            const int x = ByteAt(1);
            if ((x == 'x' || x == 'X') && IsHex(ByteAt(2))) {
                type = HEXNUMBER;
                end = IntegerSuffixEnd(RunEnd(2, IsHex));
            } else if ((x == 'b' || x == 'B') && IsBinary(ByteAt(2))) {
                type = INTEGERNUMBER;
                end = IntegerSuffixEnd(RunEnd(2, IsBinary));
            }
        }
        std::size_t floatEnd = 0;
        if (ByteAt(digits) == '.') {
            floatEnd = FloatSuffixEnd(ExponentEnd(RunEnd(digits + 1, IsDigit)));
        } else if (const std::size_t exponent = ExponentEnd(digits); exponent > digits) {
            floatEnd = FloatSuffixEnd(exponent);
        }
        if (floatEnd > end) {
            type = FLOATNUMBER;
            end = floatEnd;
        }
    }
    if (g_ScannerTrace == 1) {
        std::fputs(type == INTEGERNUMBER ? "Integer\n"
                : type == OCTALNUMBER    ? "octal\n"
                : type == HEXNUMBER      ? "hexdecimal\n"
                                         : "float\n",
            stdout);
    }
    EndTokenAt(end);
    SetText(yytext, yyleng);
    return type;
}

// The word include and blanks: with '<' and a '>' on the same line, the
// bracketed name; else the word alone, and the rest of a line with a '<' but
// no '>' is not tried again.
int KestrinLexer::ScanInclude()
{
    BeginHandScan();
    std::size_t k = 7;
    while (ByteAt(k) == ' ' || ByteAt(k) == '\t') {
        ++k;
    }
    if (ByteAt(k) != '<') {
        EndTokenAt(7);
        return WORD_INCLUDE;
    }
    for (++k;; ++k) {
        const int c = ByteAt(k);
        if (c == '>') {
            EndTokenAt(k + 1);
            SetIncludeNameText();
            return Q_CHAR;
        }
        if (c == '\n' || c == -1) {
            break;
        }
    }
    EndTokenAt(7);
    BEGIN(NOCLOSINGBRACKET);
    return WORD_INCLUDE;
}

// The name between the first '<' after the word and the first '>' after it;
// an empty name gives no text at all.
void KestrinLexer::SetIncludeNameText()
{
    const char* open = static_cast<const char*>(std::memchr(yytext + 7, '<', yyleng - 7));
    const char* close = static_cast<const char*>(
        std::memchr(open + 1, '>', yytext + yyleng - (open + 1)));
    if (close == open + 1) {
        text_ = nullptr;
        textLength_ = 0;
        hasText_ = false;
        return;
    }
    SetText(open + 1, close - (open + 1));
}

// Each unknown character is shown, up to a bound per file: a binary file
// would otherwise write a line for nearly every byte.
void KestrinLexer::UnknownCharacter()
{
    ++unknownCharacters_;
    if (unknownCharacters_ <= kMaxUnknownReports) {
        std::fputs("---------- Error Unkonwn Token  ---------- \n", stdout);
        std::printf("<%c>", yytext[0]);
    } else if (unknownCharacters_ == kMaxUnknownReports + 1) {
        std::printf("\nMore than %d unknown characters: the rest of this file's are not shown.\n",
                    kMaxUnknownReports);
    }
}

// The stop request is looked at before each refill: at most one buffer's
// worth of scanning after a stop.
int KestrinLexer::LexerInput(char* buffer, int maxSize)
{
    if (stopRequest_ != nullptr && stopRequest_->load(std::memory_order_relaxed)) {
        throw ScanStopped();
    }
    const int got = yyFlexLexer::LexerInput(buffer, maxSize);
    if (got > 0) {
        bytesRead_ += static_cast<std::size_t>(got);
    }
    return got;
}

void KestrinLexer::LexerError(const char* message)
{
    throw ScannerFailure(message);
}
