#include "ParseHelpers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The record of unit i, which must be of that type.
template <class Record> const Record& RecordOf(ParsedText& p, size_t i)
{
    const Record* info = DetailAs<Record>(p.At(i));
    if (!info)
        throw std::runtime_error(
            "unit " + std::to_string(i) + " has another record: " + p.Text(p.At(i)));
    return *info;
}

const CFunctionInfo& Function(ParsedText& p, size_t i)
{
    return RecordOf<CFunctionInfo>(p, i);
}
const CVariableInfo& Variable(ParsedText& p, size_t i)
{
    return RecordOf<CVariableInfo>(p, i);
}

} // namespace

TEST(Functions, DefinitionsAndDeclarations)
{
    auto p = ParseText("void f ( ) { }\n"
                       "void N :: C :: g ( ) { }\n"
                       "int h ( ) const ;\n"
                       "static inline int k ( int a , ... ) ;");
    EXPECT_EQ(p->At(0).kind, UNIT_FUNCTION);
    const CFunctionInfo& f = Function(*p, 0);
    EXPECT_EQ(f.qualifiedName.name, "f");
    EXPECT_TRUE(f.parameters.empty());
    EXPECT_EQ(p->Text(f.specifierTokens), "void");
    EXPECT_FALSE(f.pure);
    EXPECT_TRUE(f.ctorInitTokens.empty());

    const CFunctionInfo& g = Function(*p, 1);
    EXPECT_EQ(g.qualifiedName.name, "g");
    EXPECT_EQ(g.qualifiedName.scopes, (std::vector<std::string> {"N", "C"}));

    EXPECT_EQ(Function(*p, 2).qualifiedName.name, "h");

    const CFunctionInfo& k = Function(*p, 3);
    EXPECT_EQ(p->Text(k.specifierTokens), "static inline int");
    ASSERT_EQ(k.parameters.size(), 2u);
    EXPECT_EQ(p->Text(k.parameters[1].specifierTokens), "...");
    EXPECT_EQ(k.parameters[1].qualifiedName.name, "");
}

TEST(Functions, PureVirtualConstructorsDestructorsOperators)
{
    auto p = ParseText("class A {\n"
                       " virtual int f ( ) = 0 ;\n"
                       " A ( int x ) : m ( x ) , B ( 1 , 2 ) , c ( ) { }\n"
                       " ~ A ( ) ;\n"
                       " bool operator == ( const A & ) const ;\n"
                       " operator int ( ) const ;\n"
                       " operator N :: T * ( ) ;\n"
                       " operator unsigned int ( ) ;\n"
                       " operator const char * ( ) ;\n"
                       " operator const T * ( ) const { return items ; }\n"
                       " operator volatile const N :: Byte & ( ) ;\n"
                       " operator std :: basic_string < char , T > ( ) const { return s ; }\n"
                       " operator const Box < int > & ( ) ;\n"
                       " A ( const A & ) = delete ;\n"
                       " A & operator = ( const A & ) = default ;\n"
                       " operator Target const * ( ) const { return t ; }\n"
                       "} ;\n"
                       "A :: ~ A ( ) { }");
    const auto& m = p->At(0).children;
    ASSERT_EQ(m.size(), 15u);
    for (const CUnit& u : m)
        EXPECT_EQ(u.kind, UNIT_FUNCTION) << p->Text(u);
    EXPECT_TRUE(AsFunctionInfo(m[0])->pure);
    EXPECT_EQ(p->Text(AsFunctionInfo(m[0])->specifierTokens), "virtual int");
    EXPECT_EQ(GetUnitFunctionName(m[1]), "A");
    EXPECT_TRUE(AsFunctionInfo(m[1])->ctorInitTokens.empty());
    EXPECT_EQ(AsFunctionInfo(m[1])->parameters.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(m[2]), "~A");
    EXPECT_EQ(GetUnitFunctionName(m[3]), "==");
    EXPECT_EQ(GetUnitFunctionName(m[4]), "int");
    EXPECT_EQ(GetUnitFunctionName(m[5]), "N::T*"); // in source order
    EXPECT_EQ(GetUnitFunctionName(m[6]), "unsignedint");
    EXPECT_EQ(GetUnitFunctionName(m[7]), "constchar*");
    EXPECT_EQ(GetUnitFunctionName(m[8]), "constT*");
    EXPECT_EQ(m[8].children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(m[9]), "volatileconstN::Byte&");
    EXPECT_EQ(GetUnitFunctionName(m[10]), "std::basic_string<char,T>");
    EXPECT_EQ(m[10].children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(m[11]), "constBox<int>&");
    EXPECT_FALSE(AsFunctionInfo(m[12])->pure); // "= delete" is no pure function
    EXPECT_EQ(GetUnitFunctionName(m[13]), "=");
    EXPECT_EQ(GetUnitFunctionName(m[14]), "Targetconst*");
    EXPECT_EQ(m[14].children.size(), 1u);

    const CFunctionInfo& dtor = Function(*p, 1);
    EXPECT_EQ(dtor.qualifiedName.name, "~A");
    EXPECT_EQ(dtor.qualifiedName.scopes, std::vector<std::string> {"A"});
}

// "noexcept" after a declarator's parameters or qualifiers is passed over
// with its condition: a constructor declared so is no variable named after
// the word. In a value it stays an operator.
TEST(Functions, NoexceptAfterTheParameters)
{
    auto p = ParseText("class A {\n"
                       " A ( const A & ) noexcept ;\n"
                       " A ( char c ) noexcept ( true ) = default ;\n"
                       " explicit A ( A && ) noexcept = delete ;\n"
                       " int k ( ) const & noexcept { return x ; }\n"
                       " static const bool safe = noexcept ( f ( ) ) ;\n"
                       " A ( ) noexcept : x { } , y ( 1 ) { x = 2 ; }\n"
                       "} ;");
    const auto& m = p->At(0).children;
    ASSERT_EQ(m.size(), 6u);
    for (size_t i = 0; i < 4; ++i) {
        ASSERT_EQ(m[i].kind, UNIT_FUNCTION) << i;
        EXPECT_EQ(GetUnitFunctionName(m[i]), i < 3 ? "A" : "k");
    }
    EXPECT_EQ(m[3].children.size(), 1u);
    ASSERT_EQ(m[4].kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(m[4])->qualifiedName.name, "safe");
    // Before a constructor's initializer list, whose values may be in braces.
    ASSERT_EQ(m[5].kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(m[5]), "A");
    EXPECT_EQ(m[5].children.size(), 1u);
}

// A friend word or a __declspec before a named return type is read as the
// other leading words are: the declaration is a function of that name, not a
// variable named after the type, and a definition keeps its body.
TEST(Functions, FriendAndDeclspecBeforeNamedType)
{
    auto p = ParseText("class A {\n"
                       " friend Size f ( int y ) ;\n"
                       " friend inline N :: T * g ( ) ;\n"
                       " __declspec ( dllexport ) Size h ( ) ;\n"
                       " friend int k ( ) ;\n"
                       "} ;\n"
                       "__declspec ( dllexport ) HRESULT Run ( int a ) { return a ; }\n"
                       "_declspec ( dllimport ) const Size * Get ( ) ;\n"
                       "__declspec ( noreturn ) static Size Quit ( ) ;");
    const auto& m = p->At(0).children;
    ASSERT_EQ(m.size(), 4u);
    for (const CUnit& u : m)
        EXPECT_EQ(u.kind, UNIT_FUNCTION) << p->Text(u);
    EXPECT_EQ(GetUnitFunctionName(m[0]), "f");
    EXPECT_EQ(GetUnitFunctionName(m[1]), "g");
    EXPECT_EQ(GetUnitFunctionName(m[2]), "h");
    EXPECT_EQ(GetUnitFunctionName(m[3]), "k");
    ASSERT_NE(AsFunctionInfo(m[0]), nullptr);
    EXPECT_EQ(AsFunctionInfo(m[0])->parameters.size(), 1u);

    const CFunctionInfo& run = Function(*p, 1);
    EXPECT_EQ(run.qualifiedName.name, "Run");
    EXPECT_EQ(run.parameters.size(), 1u);
    ASSERT_EQ(p->At(1).children.size(), 1u);
    EXPECT_EQ(Function(*p, 2).qualifiedName.name, "Get");
    EXPECT_EQ(Function(*p, 3).qualifiedName.name, "Quit");
}

// A word that no header read defines, between the return type and the name,
// is taken for the calling convention it stands for: the window procedure
// is a function with its body, the word is kept with the specifiers.
TEST(Functions, UnknownCallingConventionWords)
{
    auto p = ParseText("LRESULT CALLBACK WndProc ( HWND h , UINT m ) { return 0 ; }\n"
                       "static char * WINAPI Name ( void ) ;\n"
                       "class CMain { static LRESULT CALLBACK Proc ( HWND ) ; } ;\n"
                       "int APIENTRY CMain :: Proc ( HWND h ) { return 1 ; }\n"
                       "CWinApp theApp ;\n"
                       "CString name ( text ) ;\n"
                       "static char * Get _ANSI_ARGS_ ( ( int a ) ) ;\n"
                       "WINUSERAPI BOOL WINAPI MessageBeep ( UINT type ) ;");
    ASSERT_EQ(p->units.size(), 8u);
    const CFunctionInfo& proc = Function(*p, 0);
    EXPECT_EQ(proc.qualifiedName.name, "WndProc");
    EXPECT_EQ(proc.parameters.size(), 2u);
    EXPECT_EQ(p->Text(proc.specifierTokens), "LRESULT CALLBACK");
    EXPECT_EQ(p->At(0).children.size(), 1u);

    EXPECT_EQ(p->Text(Function(*p, 1).specifierTokens), "static char * WINAPI");
    ASSERT_EQ(p->At(2).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(p->At(2).children[0]), "Proc");
    const CFunctionInfo& member = Function(*p, 3);
    EXPECT_EQ(member.qualifiedName.name, "Proc");
    EXPECT_EQ(member.qualifiedName.scopes, std::vector<std::string> {"CMain"});

    // Two names stay a type and a variable or function as before.
    EXPECT_EQ(Variable(*p, 4).qualifiedName.name, "theApp");
    EXPECT_EQ(Function(*p, 5).qualifiedName.name, "name");
    // A prototype macro's double parenthesis after the name holds the
    // parameters.
    const CFunctionInfo& prototyped = Function(*p, 6);
    EXPECT_EQ(prototyped.qualifiedName.name, "Get");
    ASSERT_EQ(prototyped.parameters.size(), 1u);
    EXPECT_EQ(prototyped.parameters[0].qualifiedName.name, "a");
    // Several such words in a row.
    EXPECT_EQ(Function(*p, 7).qualifiedName.name, "MessageBeep");
    EXPECT_EQ(p->Text(Function(*p, 7).specifierTokens), "WINUSERAPI BOOL WINAPI");
    auto zlib = ParseText("int ZEXPORT deflate OF ( ( z_streamp strm , int flush ) ) ;\n"
                          "extern int tclmsg _ANSI_ARGS_ ( ( ) ) ;");
    EXPECT_EQ(Function(*zlib, 0).qualifiedName.name, "deflate");
    EXPECT_EQ(Function(*zlib, 0).parameters.size(), 2u);
    EXPECT_EQ(zlib->Text(Function(*zlib, 0).specifierTokens), "int ZEXPORT");
    EXPECT_EQ(Function(*zlib, 1).qualifiedName.name, "tclmsg");
    EXPECT_TRUE(Function(*zlib, 1).parameters.empty());

    // Inside the parentheses of a pointer declarator such a word reads as a
    // __stdcall there would; a constructor's pointer parameter stays one.
    auto pointers =
        ParseText("typedef HRESULT ( WINAPI * Func ) ( Info * info , int n ) ;\n"
                  "class CMod { BOOL ( WINAPI * pfn ) ( HWND ) ; CMod ( Bar * p ) ; } ;");
    ASSERT_EQ(pointers->units.size(), 2u);
    EXPECT_EQ(Function(*pointers, 0).qualifiedName.name, "Func");
    EXPECT_EQ(Function(*pointers, 0).parameters.size(), 2u);
    const auto& members = pointers->At(1).children;
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(GetUnitFunctionName(members[0]), "pfn");
    const CFunctionInfo* constructor = AsFunctionInfo(members[1]);
    ASSERT_NE(constructor, nullptr);
    EXPECT_EQ(constructor->qualifiedName.name, "CMod");
    ASSERT_EQ(constructor->parameters.size(), 1u);
    EXPECT_EQ(constructor->parameters[0].qualifiedName.name, "p");
}

// Old Windows code read without <windows.h>: FAR and NEAR between a type and
// its pointer operators, PASCAL inside a pointer declarator's parentheses.
TEST(Functions, MemoryModelWordsAroundPointers)
{
    auto p = ParseText("void FAR * jpeg_get_large ( size_t n ) { return 0 ; }\n"
                       "struct ext_hdr FAR * eh_alloc ( ) { return 0 ; }\n"
                       "void FAR * FAR PASCAL MemAlloc ( DWORD n ) ;\n"
                       "static char FAR * lpBuf ;\n"
                       "static BYTE FAR * FAR * pp ;\n"
                       "char FAR * const cp = 0 , FAR * second ;\n"
                       "int Enum ( HWND h , void ( FAR PASCAL * cb ) ( int ) ) { return 0 ; }\n"
                       "static void Serve ( void ( WINAPI * main ) ( DWORD , char * * ) ) ;\n"
                       "int ( FAR PASCAL * lpfn ) ( HWND ) ;\n"
                       "std :: vector < Traits > FZ_IMPORT_STATIC const & Extra ( int p ) ;");
    ASSERT_EQ(p->units.size(), 10u);
    EXPECT_EQ(Function(*p, 0).qualifiedName.name, "jpeg_get_large");
    EXPECT_EQ(p->Text(Function(*p, 0).specifierTokens), "void FAR *");
    EXPECT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(Function(*p, 1).qualifiedName.name, "eh_alloc");
    EXPECT_EQ(p->At(1).children.size(), 1u);
    EXPECT_EQ(Function(*p, 2).qualifiedName.name, "MemAlloc");
    EXPECT_EQ(p->Text(Function(*p, 2).specifierTokens), "void FAR * FAR PASCAL");
    EXPECT_EQ(Variable(*p, 3).qualifiedName.name, "lpBuf");
    EXPECT_EQ(p->Text(Variable(*p, 3).specifierTokens), "static char FAR *");
    EXPECT_EQ(Variable(*p, 4).qualifiedName.name, "pp");
    const CVariableInfo& pair = Variable(*p, 5);
    EXPECT_EQ(pair.qualifiedName.name, "cp");
    ASSERT_EQ(pair.further.size(), 1u);
    EXPECT_EQ(pair.further[0].qualifiedName.name, "second");
    const CFunctionInfo& callback = Function(*p, 6);
    ASSERT_EQ(callback.parameters.size(), 2u);
    EXPECT_EQ(callback.parameters[1].qualifiedName.name, "cb");
    EXPECT_EQ(p->At(6).children.size(), 1u);
    ASSERT_EQ(Function(*p, 7).parameters.size(), 1u);
    EXPECT_EQ(Function(*p, 7).parameters[0].qualifiedName.name, "main");
    EXPECT_EQ(Function(*p, 8).qualifiedName.name, "lpfn");
    // So does an export word before cv words and a reference.
    EXPECT_EQ(Function(*p, 9).qualifiedName.name, "Extra");
    EXPECT_EQ(Function(*p, 9).parameters.size(), 1u);

    // A named type's word before the pointer keeps the reading it had, and
    // two names without a "*" stay a type and a variable.
    auto named = ParseText("HWND FAR * phwnd ;\nCWinApp theApp ;");
    ASSERT_EQ(named->units.size(), 2u);
    EXPECT_EQ(Variable(*named, 0).qualifiedName.name, "phwnd");
    EXPECT_EQ(Variable(*named, 1).qualifiedName.name, "theApp");
}

// Words after the parameters that a header left unread defines, with or
// without arguments: attributes behind macros.
TEST(Functions, WordsAfterTheParameters)
{
    auto p = ParseText("extern void * malloc ( size_t n ) __THROW __attribute_malloc__ __wur ;\n"
                       "HGLOBAL GlobalAlloc ( UINT f , SIZE_T n ) __WINE_ALLOC_SIZE ( 2 ) "
                       "__WINE_DEALLOC ( GlobalFree , ( 3 ) ) __WINE_MALLOC ;\n"
                       "static int helper ( int x ) ALWAYS_INLINE UNUSED { return x ; }\n"
                       "class C { void f ( ) const override final ; } ;");
    ASSERT_EQ(p->units.size(), 4u);
    EXPECT_EQ(Function(*p, 0).qualifiedName.name, "malloc");
    EXPECT_EQ(Function(*p, 1).qualifiedName.name, "GlobalAlloc");
    EXPECT_EQ(Function(*p, 1).parameters.size(), 2u);
    EXPECT_EQ(Function(*p, 2).qualifiedName.name, "helper");
    EXPECT_EQ(p->At(2).children.size(), 1u);
    ASSERT_EQ(p->At(3).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(p->At(3).children[0]), "f");
}

// An export word that a header never read defines, before a built-in type,
// a struct's name, or a named type with a pointer or a calling convention:
// Windows' own headers declare every function so. The words are kept with
// the specifiers; so are annotations before a parameter's type.
TEST(Functions, UnknownWordBeforeTheReturnType)
{
    auto p = ParseText("NTSYSAPI void WINAPI DbgBreakPoint ( void ) ;\n"
                       "DECLSPEC_IMPORT void * __stdcall DecodePointer ( void * p ) ;\n"
                       "NTSYSAPI const unsigned long __cdecl Count ( LPCSTR s , size_t n ) ;\n"
                       "DECLSPEC_IMPORT struct hostent * WINAPI gethostbyaddr ( int n ) ;\n"
                       "static FORCEINLINE HANDLE __stdcall Token ( void ) { return 0 ; }\n"
                       "EXPORT Node * Find ( int key ) ;\n"
                       "void Process ( IN DWORD flags , OUT int * result ) { }\n"
                       "FORM_IMPEXP FIELD * * NCURSES_API Retrace ( FIELD * * f ) { return f ; }\n"
                       "KILL_SWITCH GOFormat const * Suggest ( Expr const * e ) { return 0 ; }\n"
                       "MYLIB_API std :: string Name ( ) ;\n"
                       "MYLIB_API std :: vector < int > List ( int n ) ;\n"
                       "MYLIB_API inline Box < int > Make ( ) { return { } ; }\n"
                       "PROTOBUF_EXPORT const :: pb :: Descriptor * Get ( ) { return 0 ; }\n"
                       "WX_LIST_PTROP_NONE itor & operator ++ ( ) { return * this ; }\n"
                       "wxEMPTY_PARAMETER_VALUE WXDLLEXPORT wxVariant & operator << "
                       "( wxVariant & v , const wxIcon & i ) { return v ; }");
    ASSERT_EQ(p->units.size(), 15u);
    const std::pair<const char*, const char*> functions[] = {
        {"DbgBreakPoint", "NTSYSAPI void WINAPI"},
        {"DecodePointer", "DECLSPEC_IMPORT void * __stdcall"},
        {"Count", "NTSYSAPI const unsigned long __cdecl"},
        {"gethostbyaddr", "DECLSPEC_IMPORT struct hostent * WINAPI"},
        {"Token", "static FORCEINLINE HANDLE __stdcall"},
        {"Find", "EXPORT Node *"},
        {"Process", "void"},
        {"Retrace", "FORM_IMPEXP FIELD * * NCURSES_API"},
        {"Suggest", "KILL_SWITCH GOFormat const *"},
        {"Name", "MYLIB_API std :: string"},
        {"List", "MYLIB_API std :: vector < int >"},
        {"Make", "MYLIB_API inline Box < int >"},
        {"Get", "PROTOBUF_EXPORT const :: pb :: Descriptor *"},
        {"++", "WX_LIST_PTROP_NONE itor &"},
        {"<<", "wxEMPTY_PARAMETER_VALUE WXDLLEXPORT wxVariant &"},
    };
    for (size_t i = 0; i < p->units.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Function(*p, i).qualifiedName.name, functions[i].first);
        EXPECT_EQ(p->Text(Function(*p, i).specifierTokens), functions[i].second);
    }
    EXPECT_EQ(p->At(4).children.size(), 1u);
    EXPECT_EQ(p->At(7).children.size(), 1u);
    EXPECT_EQ(p->At(8).children.size(), 1u);
    // The qualified type is no scope of the function.
    EXPECT_TRUE(Function(*p, 9).qualifiedName.scopes.empty());
    EXPECT_EQ(p->At(11).children.size(), 1u);
    EXPECT_TRUE(Function(*p, 12).qualifiedName.scopes.empty());
    EXPECT_EQ(p->At(12).children.size(), 1u);
    EXPECT_EQ(p->At(13).children.size(), 1u);
    EXPECT_EQ(Function(*p, 14).parameters.size(), 2u);
    const CFunctionInfo& process = Function(*p, 6);
    ASSERT_EQ(process.parameters.size(), 2u);
    EXPECT_EQ(process.parameters[0].qualifiedName.name, "flags");
    EXPECT_EQ(process.parameters[1].qualifiedName.name, "result");
}

// The same before a named type and a declarator in parentheses: GLib's
// headers declare so the functions that also have a macro of their name,
// and the pointers to functions it exports.
TEST(Functions, UnknownWordBeforeAParenthesisedDeclarator)
{
    auto p = ParseText("GLIB_AVAILABLE_IN_ALL gint ( g_bit_nth_lsf ) ( gulong mask , gint nth ) ;\n"
                       "API gint ( g_bit_storage ) ( gulong number ) { return 0 ; }\n"
                       "GLIB_VAR guint64 ( * g_thread_gettime ) ( void ) ;\n"
                       "GLIB_VAR Node * ( * table ) [ 4 ] ;");
    ASSERT_EQ(p->units.size(), 4u);
    EXPECT_EQ(Function(*p, 0).qualifiedName.name, "g_bit_nth_lsf");
    EXPECT_EQ(Function(*p, 0).parameters.size(), 2u);
    EXPECT_EQ(p->Text(Function(*p, 0).specifierTokens), "GLIB_AVAILABLE_IN_ALL gint");
    EXPECT_EQ(Function(*p, 1).qualifiedName.name, "g_bit_storage");
    EXPECT_EQ(p->At(1).children.size(), 1u);
    EXPECT_EQ(p->At(2).kind, UNIT_FUNCTION); // a pointer to a function, as without the word
    EXPECT_EQ(p->At(3).kind, UNIT_VARIABLE);
}

// The same before a member defined outside its class, as a namespace
// macro from an unread header stands before the first definition of a file.
TEST(Functions, UnknownWordBeforeAQualifiedMember)
{
    auto p = ParseText("NS_BEGIN Manager * ManagerImpl :: instance ( ) { return this ; }\n"
                       "NS_BEGIN const XMLCh * AttDef :: getFullName ( ) const { return 0 ; }\n"
                       "NS_BEGIN Pool < Entity > * N :: Grammar :: fEntities = 0 ;");
    ASSERT_EQ(p->units.size(), 3u);
    const std::tuple<std::vector<std::string>, const char*, const char*> functions[] = {
        {{"ManagerImpl"}, "instance", "NS_BEGIN Manager *"},
        {{"AttDef"}, "getFullName", "NS_BEGIN const XMLCh *"},
    };
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Function(*p, i).qualifiedName.scopes, std::get<0>(functions[i]));
        EXPECT_EQ(Function(*p, i).qualifiedName.name, std::get<1>(functions[i]));
        EXPECT_EQ(p->Text(Function(*p, i).specifierTokens), std::get<2>(functions[i]));
        EXPECT_EQ(p->At(i).children.size(), 1u);
    }
    ASSERT_EQ(p->At(2).kind, UNIT_VARIABLE);
    const CVariableInfo& pool = *AsVariableInfo(p->At(2));
    EXPECT_EQ(pool.qualifiedName.scopes, (std::vector<std::string> {"N", "Grammar"}));
    EXPECT_EQ(pool.qualifiedName.name, "fEntities");
}

// An attribute behind a macro with arguments, between the type and the
// name; a function's parameters with one word after them keep their reading.
TEST(Functions, AttributeMacroBeforeTheName)
{
    auto p =
        ParseText("struct M { DWORDLONG DECLSPEC_ALIGN ( 8 ) total ; } ;\n"
                  "static void * ALLOC_SIZE ( 1 ) MALLOC heap_alloc ( SIZE_T n ) { return 0 ; }\n"
                  "int ALIGNED ( 16 ) table [ 4 ] , other ;\n"
                  "class C { void Close ( ) override ; void Show ( HWND ) PURE ;\n"
                  " void Any ( ... ) PURE ; void Set ( a ) PURE ; } ;");
    ASSERT_EQ(p->units.size(), 4u);
    ASSERT_EQ(p->At(0).children.size(), 1u);
    const CVariableInfo* total = AsVariableInfo(p->At(0).children[0]);
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->qualifiedName.name, "total");
    EXPECT_EQ(p->Text(total->typeTokens), "DWORDLONG");
    EXPECT_EQ(Function(*p, 1).qualifiedName.name, "heap_alloc");
    EXPECT_EQ(p->At(1).children.size(), 1u);
    EXPECT_EQ(Variable(*p, 2).qualifiedName.name, "table");
    const auto& members = p->At(3).children;
    ASSERT_EQ(members.size(), 4u);
    for (size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(members[i].kind, UNIT_FUNCTION);
    }
}

// COM's method macros, which a header never read defines, leave shapes a
// parser of plain C++ can still read: a type before the name in parentheses,
// and one word after the parameters.
TEST(Functions, NamesInParenthesesAndAWordAfterTheParameters)
{
    auto p = ParseText("class CFile : public IStream {\n"
                       " STDMETHOD ( QueryInterface ) ( REFGUID iid , void * * out ) "
                       "{ return S_OK ; }\n"
                       " STDMETHOD ( Read ) ( void * data , UInt32 size ) PURE ;\n"
                       " void Close ( ) override ;\n"
                       " CFile ( Stream ) ;\n"
                       " STDMETHOD_ ( ULONG , AddRef ) ( ) { return ++ count ; }\n"
                       "} ;\n"
                       "extern lua_CFunction ( lua_atpanic ) ( lua_State * L ) ;\n"
                       "extern int fclose ( FILE * f ) __THROW ;\n"
                       "STDMETHODIMP_ ( UInt32 ) CFile :: GetCount ( int k ) { return k ; }");
    ASSERT_EQ(p->units.size(), 4u);
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 5u);
    const std::pair<const char*, size_t> methods[] = {
        {"QueryInterface", 2}, {"Read", 2}, {"Close", 0}, {"CFile", 1}, {"AddRef", 0}};
    for (size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(members[i].kind, UNIT_FUNCTION);
        const CFunctionInfo* method = AsFunctionInfo(members[i]);
        EXPECT_EQ(method->qualifiedName.name, methods[i].first);
        EXPECT_EQ(method->parameters.size(), methods[i].second);
    }
    EXPECT_EQ(members[0].children.size(), 1u);
    EXPECT_EQ(p->Text(AsFunctionInfo(members[0])->specifierTokens), "STDMETHOD");
    EXPECT_EQ(Function(*p, 1).qualifiedName.name, "lua_atpanic");
    EXPECT_EQ(Function(*p, 2).qualifiedName.name, "fclose");
    EXPECT_EQ(members[4].children.size(), 1u);
    EXPECT_EQ(p->Text(AsFunctionInfo(members[4])->specifierTokens), "ULONG");
    auto declared = ParseText("class C { virtual STDMETHOD_ ( ULONG , Release ) ( ) ; } ;");
    ASSERT_EQ(declared->At(0).children.size(), 1u);
    EXPECT_EQ(declared->Text(AsFunctionInfo(declared->At(0).children[0])->specifierTokens),
        "virtual ULONG");

    // A macro with arguments may stand for the return type.
    const CFunctionInfo& count = Function(*p, 3);
    EXPECT_EQ(count.qualifiedName.ToString(), "CFile::GetCount");
    EXPECT_EQ(p->Text(count.specifierTokens), "STDMETHODIMP_ ( UInt32 )");
    EXPECT_EQ(p->At(3).children.size(), 1u);

    // So may it after names a header left unread defines, or after macro
    // calls without a semicolon.
    auto marked = ParseText(
        "FT_BEGIN_HEADER FT_LOCAL ( void ) ftc_node_free ( FTC_Node node ) ;\n"
        "FT_DEFINE_SERVICE ( ps_name , ( GetFunc ) get_ps_name ) "
        "FT_DEFINE_CMAPS ( cmap_info , ( InfoFunc ) get_cmap ) "
        "FT_CALLBACK_DEF ( FT_Module_Interface ) get_interface ( FT_Module m ) { return 0 ; }\n"
        "HGLOBAL GlobalLock ( HGLOBAL ) ALLOC_SIZE ( 1 ) ;");
    ASSERT_EQ(marked->units.size(), 3u);
    EXPECT_EQ(Function(*marked, 0).qualifiedName.name, "ftc_node_free");
    EXPECT_EQ(
        marked->Text(Function(*marked, 0).specifierTokens), "FT_BEGIN_HEADER FT_LOCAL ( void )");
    EXPECT_EQ(Function(*marked, 1).qualifiedName.name, "get_interface");
    EXPECT_EQ(marked->Text(Function(*marked, 1).specifierTokens),
        "FT_CALLBACK_DEF ( FT_Module_Interface )");
    EXPECT_EQ(marked->At(1).children.size(), 1u);
    // A function's parameters and an attribute macro have such a macro's
    // shape; values in the second parentheses are no parameters.
    EXPECT_EQ(Function(*marked, 2).qualifiedName.name, "GlobalLock");
}

// A macro with arguments that a header never read defines may stand for a
// variable's type, as OpenSSL's STACK_OF does wherever a list is declared
// (in variables, members, return types and parameters), BSD's TAILQ_ENTRY
// in every struct kept in a list, and FOX's FXDEFMAP before a message map.
TEST(Functions, MacroForAVariablesType)
{
    auto p = ParseText("STACK_OF ( X509 ) * chain = NULL ;\n"
                       "static STACK_OF ( X509 ) * load ( const char * f , STACK_OF ( X509 ) * "
                       "extra ) ;\n"
                       "int use ( STACK_OF ( X509 ) * certs , int n ) { return n ; }\n"
                       "struct S { LHASH_OF ( ERR_STRING ) * const * table ; "
                       "TAILQ_ENTRY ( S ) link ; } ;\n"
                       "old ( a , s ) char * s ;\n"
                       "TAILQ_HEAD ( , S ) queue ;\n"
                       "FXDEFMAP ( FXList ) FXListMap [ ] = { } ;\n"
                       "older ( a , b ) T a ;");
    ASSERT_EQ(p->units.size(), 8u);
    EXPECT_EQ(Variable(*p, 0).qualifiedName.name, "chain");
    EXPECT_EQ(p->Text(Variable(*p, 0).typeTokens), "STACK_OF ( X509 )");
    EXPECT_EQ(Function(*p, 1).qualifiedName.name, "load");
    ASSERT_EQ(Function(*p, 1).parameters.size(), 2u);
    EXPECT_EQ(Function(*p, 1).parameters[1].qualifiedName.name, "extra");
    EXPECT_EQ(Function(*p, 2).qualifiedName.name, "use");
    EXPECT_EQ(p->At(2).children.size(), 1u);
    const auto& members = p->At(3).children;
    ASSERT_EQ(members.size(), 2u);
    for (size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(members[i].kind, UNIT_VARIABLE);
        EXPECT_EQ(AsVariableInfo(members[i])->qualifiedName.name, i == 0 ? "table" : "link");
    }
    EXPECT_EQ(Variable(*p, 5).qualifiedName.name, "queue");
    EXPECT_EQ(Variable(*p, 6).qualifiedName.name, "FXListMap");
    // An old-style definition's parameters begin with their type.
    EXPECT_EQ(Function(*p, 4).qualifiedName.name, "old");
    EXPECT_EQ(Function(*p, 7).qualifiedName.name, "older");

    // Such a macro as a whole unnamed parameter, Tcl's TCL_UNUSED: the
    // definition failed with its body. Names alone stay arguments.
    auto unused = ParseText("static void Check ( TCL_UNUSED ( TkText * ) , int y , "
                            "TCL_UNUSED ( int ) ) { f ( ) ; }\n"
                            "Foo obj ( a , b ( c ) ) ;");
    const CFunctionInfo& check = Function(*unused, 0);
    ASSERT_EQ(check.parameters.size(), 3u);
    EXPECT_EQ(unused->Text(check.parameters[0].specifierTokens), "TCL_UNUSED ( TkText * )");
    EXPECT_EQ(check.parameters[1].qualifiedName.name, "y");
    EXPECT_EQ(unused->At(0).children.size(), 1u);
    EXPECT_NE(unused->At(1).kind, UNIT_FUNCTION);

    // Exported variables of built-in and pointer types: ncurses', FreeType's
    // and OpenLDAP's export macros, also after a macro's call without a
    // semicolon. "unsigned long" or "SCREEN *" made a function named after
    // the macro.
    auto exported = ParseText("NCURSES_EXPORT_VAR ( int ) ESCDELAY = 1000 ;\n"
                              "FT_BASE ( long ) _ft_debug_lineno ;\n"
                              "LDAP_V ( unsigned long ) counts [ 4 ] ;\n"
                              "extern WXDLLIMPEXP_DATA_BASE ( bool ) wxTrapInAssert ;\n"
                              "extern NCURSES_EXPORT_VAR ( SCREEN * ) _nc_screen_chain ;\n"
                              "NCURSES_EXPORT ( int ) addch ( const chtype ch ) { return 0 ; }\n"
                              "MODULE_ID ( \"$Id$\" ) NCURSES_EXPORT_VAR ( int ) COLORS = 0 ;");
    ASSERT_EQ(exported->units.size(), 7u);
    const char* names[] = {
        "ESCDELAY", "_ft_debug_lineno", "counts", "wxTrapInAssert", "_nc_screen_chain"};
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Variable(*exported, i).qualifiedName.name, names[i]);
    }
    EXPECT_EQ(exported->Text(Variable(*exported, 2).typeTokens), "LDAP_V ( unsigned long )");
    EXPECT_EQ(Function(*exported, 5).qualifiedName.name, "addch");
    EXPECT_EQ(Variable(*exported, 6).qualifiedName.name, "COLORS");
}

// A parameter that points to a function or an array keeps its name, and the
// function it belongs to is read with its body, as in C code full of
// callbacks.
TEST(Functions, PointerToFunctionParameters)
{
    auto p = ParseText("void SetHandler ( void ( * handler ) ( size_t ) ) ;\n"
                       "int Open ( int size , int ( __stdcall * stress ) ( void * , Page * ) , "
                       "void * arg ) { return size ; }\n"
                       "void Empty ( dict * d , void ( callback ) ( dict * ) ) ;\n"
                       "void Free ( void * , void ( * ) ( void * ) ) ;\n"
                       "int Rows ( char ( * rows ) [ 8 ] , int n ) ;\n"
                       "int Call ( void ( Foo :: * f ) ( int ) , Foo * o ) ;\n"
                       "int Scan ( char * , struct dirent * ( * [ ] ) , int n ) ;\n"
                       "void Trap ( void ( * handlers [ 4 ] ) ( int ) , int n ) ;\n"
                       "int Push ( int fd , long ( int , const char * ) ) ;\n"
                       "void Wrapped ( int ( x ) , int y ) ;");
    const std::pair<const char*, std::vector<std::string>> expected[] = {
        {"SetHandler", {"handler"}},
        {"Open", {"size", "stress", "arg"}},
        {"Empty", {"d", "callback"}},
        {"Free", {"", ""}},
        {"Rows", {"rows", "n"}},
        {"Call", {"f", "o"}},
        {"Scan", {"", "", "n"}},
        {"Trap", {"handlers", "n"}},
        {"Push", {"fd", ""}},
        {"Wrapped", {"x", "y"}},
    };
    ASSERT_EQ(p->units.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const CFunctionInfo& f = Function(*p, i);
        EXPECT_EQ(f.qualifiedName.name, expected[i].first);
        std::vector<std::string> names;
        for (const CVariableInfo& parameter : f.parameters)
            names.push_back(parameter.qualifiedName.name);
        EXPECT_EQ(names, expected[i].second) << expected[i].first;
    }
    ASSERT_EQ(p->At(1).children.size(), 1u);
    EXPECT_EQ(p->Text(Function(*p, 1).parameters[1].specifierTokens), "int");

    // A parameter of a function type, or a name pasted by a macro that was
    // not expanded again (Tcl's unused parameters), with its own parameters.
    // A name without a type before its parentheses is an argument.
    auto typed = ParseText("void Sort ( int compare ( const void * , const void * ) , int n ) ;\n"
                           "static void Unused ( Tk_Window JOIN1 ( dummy , __LINE__ ) , "
                           "void * JOIN1 ( dummy , __LINE__ ) ) { return ; }\n"
                           "Foo obj ( a , b ( c ) ) ;");
    ASSERT_EQ(typed->units.size(), 3u);
    const CFunctionInfo& sort = Function(*typed, 0);
    ASSERT_EQ(sort.parameters.size(), 2u);
    EXPECT_EQ(sort.parameters[0].qualifiedName.name, "compare");
    EXPECT_EQ(typed->Text(sort.parameters[0].specifierTokens), "int");
    const CFunctionInfo& unused = Function(*typed, 1);
    ASSERT_EQ(unused.parameters.size(), 2u);
    EXPECT_EQ(typed->Text(unused.parameters[0].specifierTokens), "Tk_Window");
    EXPECT_EQ(typed->At(1).children.size(), 1u);
    EXPECT_EQ(AsFunctionInfo(typed->At(2)), nullptr);

    // Pointed-to parameters that point to functions in turn, as Allegro's
    // "int (*atexit_ptr)(void (*func)(void))"; a list cut short ends the
    // parse and makes no function.
    auto nested = ParseText(
        "static int Install ( int id , int ( * atexit_ptr ) ( void ( * func ) ( void ) ) ) "
        "{ return 0 ; }\n"
        "void Nest ( void ( * cb ) ( int ( * inner ) ( int ) ) , int n ) ;");
    ASSERT_EQ(nested->units.size(), 2u);
    const CFunctionInfo& install = Function(*nested, 0);
    ASSERT_EQ(install.parameters.size(), 2u);
    EXPECT_EQ(install.parameters[1].qualifiedName.name, "atexit_ptr");
    EXPECT_EQ(nested->At(0).children.size(), 1u);
    EXPECT_EQ(Function(*nested, 1).parameters.size(), 2u);
    auto cut = ParseText("void Cut ( void ( * cb ) ( int");
    ASSERT_EQ(cut->units.size(), 1u);
    EXPECT_EQ(AsFunctionInfo(cut->At(0)), nullptr);
    // A macro's call whose arguments hold one beginning with a parenthesis
    // declares no function.
    auto call =
        ParseText("G_DEFINE_TYPE_WITH_CODE ( Key , key , G_TYPE_OBJECT , "
                  "G_ADD_PRIVATE ( Key ) G_IMPLEMENT_INTERFACE ( ( get_type ( ) ) , init ) ) ;");
    ASSERT_EQ(call->units.size(), 1u);
    EXPECT_EQ(AsFunctionInfo(call->At(0)), nullptr);
}

// Constructors keep their bodies whatever their initializers hold: a member
// created with new, or given a value cast to a named type, in parentheses
// or with a cast operator.
TEST(Functions, ConstructorInitializers)
{
    auto p = ParseText("class Value {\n"
                       " Value ( const char * in ) : text ( new std :: string ( in ) ) , "
                       "type ( V_STRING ) { Init ( ) ; }\n"
                       " Value ( Bytes * b ) : vec ( b ) , len ( ( s32 ) b -> size ( ) ) { }\n"
                       " Value ( ) : len ( ( s32 ) Size ( ) ) { Init ( ) ; }\n"
                       " Value ( int n ) : id ( static_cast < ListenerId > ( - 1 ) ) , "
                       "len ( n ) { Init ( ) ; }\n"
                       " Value ( void * v ) : vec ( static_cast < const Bytes * > ( v ) ) , "
                       "key ( reinterpret_cast < N :: Key > ( v ) ) { Init ( ) ; }\n"
                       "} ;");
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 5u);
    for (size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(members[i].kind, UNIT_FUNCTION);
        EXPECT_EQ(GetUnitFunctionName(members[i]), "Value");
        EXPECT_EQ(members[i].children.size(), i == 1 ? 0u : 1u);
    }
    auto outside = ParseText("Frame :: Frame ( Impl * impl ) : lid ( static_cast < ListenerId > "
                             "( - 1 ) ) , impl ( impl ) { Remember ( this ) ; }");
    ASSERT_EQ(outside->units.size(), 1u);
    EXPECT_EQ(outside->At(0).kind, UNIT_FUNCTION);
    EXPECT_EQ(outside->At(0).children.size(), 1u);
    // Values in braces: the block after them is still the body.
    auto braced = ParseText("Box :: Box ( ) : Base < int > { 1 , 2 } , items { } , "
                            "grid { { 1 } , { 2 } } { Fill ( ) ; }");
    ASSERT_EQ(braced->units.size(), 1u);
    EXPECT_EQ(braced->At(0).kind, UNIT_FUNCTION);
    ASSERT_EQ(braced->At(0).children.size(), 1u);
    EXPECT_EQ(braced->Text(braced->At(0).children[0]), "Fill ( ) ;");
    // A comparison in an initializer's value is no template id.
    auto compared =
        ParseText("Watch ( unsigned int ms ) : Base ( f ) , wait ( ms < 1000 ? 1000 : ms )"
                  " , stop ( false ) { Update ( ) ; }");
    ASSERT_EQ(compared->units.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(compared->At(0)), "Watch");
    EXPECT_EQ(compared->At(0).children.size(), 1u);
    // A function try block after the initializers (Poco's SharedPtr).
    auto tried = ParseText("Ptr ( C * p ) try : n ( p ? new RC : nullptr ) , p ( p ) { Init ( ) ; }"
                           " catch ( ... ) { delete p ; }");
    EXPECT_EQ(GetUnitFunctionName(tried->At(0)), "Ptr");
    ASSERT_EQ(tried->At(0).children.size(), 1u);
    EXPECT_EQ(tried->Text(tried->At(0).children[0]), "Init ( ) ;");
    // A pack's initializers, as GoogleTest's and Abseil's tuples write them.
    auto pack = ParseText("explicit Tuple ( Tag , Args && ... args ) : Elem < T , Idx > ( Tag { } ,"
                          " std :: forward < Args > ( args ) ) ... , n ( 0 ) { Fill ( ) ; }");
    ASSERT_EQ(pack->units.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(pack->At(0)), "Tuple");
    EXPECT_EQ(pack->At(0).children.size(), 1u);
}

TEST(Functions, NotRecognised)
{
    // "= 1" after a declarator is not part of the grammar.
    auto p = ParseText("int g ( ) = 1 ;");
    EXPECT_EQ(p->At(0).kind, 0);
    EXPECT_FALSE(p->At(0).done);
}

// An exception specification after the parameters (and the const) is read
// and not kept: declarations and definitions so written, common in COM and
// class-library code, are functions like any other.
TEST(Functions, ExceptionSpecificationsAreReadOver)
{
    auto p = ParseText("void f ( ) throw ( ) ; int g ( int a ) const throw ( int , A :: B * ) { } "
                       "void h ( ) throw ( ... ) ;");
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(p->At(k).kind, 18) << k;
        EXPECT_TRUE(p->At(k).done) << k;
    }
    ASSERT_NE(AsFunctionInfo(p->At(1)), nullptr);
    EXPECT_EQ(AsFunctionInfo(p->At(1))->parameters.size(), 1u);
    // A specification that does not close stays an error.
    EXPECT_EQ(ParseText("void k ( ) throw ( int ;")->At(0).kind, 0);
}

// A return type after the parameters is read and not kept, whatever it
// holds: the declaration is a function of its name, a definition keeps its
// body, and "= 0" still makes it pure.
TEST(Functions, TrailingReturnTypes)
{
    auto p = ParseText("auto f ( int x ) -> int ;\n"
                       "auto g ( T x ) -> decltype ( x + 1 ) { return x ; }\n"
                       "struct S {\n"
                       " auto h ( ) const -> std :: vector < int > { return { } ; }\n"
                       " virtual auto k ( ) -> decltype ( P :: Get ( m ) . Run ( v ) ) = 0 ;\n"
                       " auto n ( ) -> int override ;\n"
                       // Braces in it build values, as SFINAE tests write it.
                       " static auto t ( int ) -> decltype ( T { std :: declval < C > ( ) } , "
                       "std :: true_type { } ) ;\n"
                       "} ;");
    ASSERT_EQ(p->units.size(), 3u);
    EXPECT_EQ(GetUnitFunctionName(p->At(0)), "f");
    EXPECT_EQ(GetUnitFunctionName(p->At(1)), "g");
    EXPECT_EQ(p->At(1).children.size(), 1u);
    EXPECT_EQ(p->Text(Function(*p, 1).specifierTokens), "auto");
    const auto& members = p->At(2).children;
    ASSERT_EQ(members.size(), 4u);
    const char* names[] = {"h", "k", "n", "t"};
    for (size_t i = 0; i < members.size(); ++i) {
        ASSERT_EQ(members[i].kind, UNIT_FUNCTION) << i;
        EXPECT_EQ(GetUnitFunctionName(members[i]), names[i]);
    }
    EXPECT_EQ(members[0].children.size(), 1u);
    EXPECT_TRUE(AsFunctionInfo(members[1])->pure);
}

// decltype before the name may hold calls and template arguments: the
// function keeps its name and body, the words up to its ')' are its type.
TEST(Functions, DecltypeReturnTypes)
{
    auto p =
        ParseText("static decltype ( D ( std :: declval < F > ( ) , g ( ) ) ) apply ( F && f ) "
                  "{ return x ; }\n"
                  "decltype ( a + b ) const & plus ( ) ;\n"
                  "decltype ( Box { 1 } ) make ( ) ;");
    ASSERT_EQ(p->units.size(), 3u);
    EXPECT_EQ(GetUnitFunctionName(p->At(0)), "apply");
    EXPECT_EQ(p->At(0).children.size(), 1u);
    EXPECT_EQ(p->Text(Function(*p, 0).specifierTokens),
        "static decltype ( D ( std :: declval < F > ( ) , g ( ) ) )");
    EXPECT_EQ(GetUnitFunctionName(p->At(1)), "plus");
    EXPECT_EQ(p->Text(Function(*p, 1).specifierTokens), "decltype ( a + b ) const &");
    EXPECT_EQ(GetUnitFunctionName(p->At(2)), "make");
}

TEST(Functions, PointerToFunctionDeclarator)
{
    auto p = ParseText("void ( * pf ) ( int ) ;");
    EXPECT_EQ(p->At(0).kind, UNIT_FUNCTION);
    EXPECT_EQ(Function(*p, 0).qualifiedName.name, "pf");
    EXPECT_EQ(Function(*p, 0).parameters.size(), 1u);

    // A pointer to a member function reads as such a pointer does; its
    // class is not the pointer's scope.
    auto members = ParseText(
        "typedef void ( wxEvtHandler :: * wxEventFunction ) ( wxEvent & ) ;\n"
        "class DOS_Shell { void ( DOS_Shell :: * handler ) ( char * args ) ; } ;\n"
        "typedef Channel * ( DBOPL :: Channel :: * SynthHandler ) ( Chip * c , int n ) ;\n"
        "typedef T * ( Ptr < T > :: * unspecified_bool_type ) ( ) const ;\n"
        "int C :: * member ;\n"
        "typedef ReturnType ( Object :: * Action ) ( Arg1 ) ;");
    ASSERT_EQ(members->units.size(), 6u);
    EXPECT_EQ(Function(*members, 0).qualifiedName.name, "wxEventFunction");
    EXPECT_TRUE(Function(*members, 0).qualifiedName.scopes.empty());
    ASSERT_EQ(members->At(1).children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(members->At(1).children[0]), "handler");
    EXPECT_EQ(AsFunctionInfo(members->At(1).children[0])->parameters.size(), 1u);
    EXPECT_EQ(Function(*members, 2).qualifiedName.name, "SynthHandler");
    EXPECT_EQ(Function(*members, 2).parameters.size(), 2u);
    EXPECT_EQ(Function(*members, 3).qualifiedName.name, "unspecified_bool_type");
    // A pointer to a data member is no function.
    EXPECT_NE(members->At(4).kind, UNIT_FUNCTION);
    // A named type before the class, as in class templates.
    EXPECT_EQ(Function(*members, 5).qualifiedName.name, "Action");
    EXPECT_EQ(Function(*members, 5).parameters.size(), 1u);

    // A pointer with its first value; a function's declarator has none.
    auto valued = ParseText("int ( * mb_ptr2len ) ( char_u * p ) = latin_ptr2len ;\n"
                            "static void ( * hook ) ( void ) = & Default ;");
    EXPECT_EQ(Function(*valued, 0).qualifiedName.name, "mb_ptr2len");
    EXPECT_EQ(Function(*valued, 0).parameters.size(), 1u);
    EXPECT_EQ(Function(*valued, 1).qualifiedName.name, "hook");
    EXPECT_EQ(ParseText("int g ( ) = latin ;")->At(0).kind, 0);

    // A function returning a pointer to a function, declared and defined.
    auto returning = ParseText(
        "void ( * sqlite3OsDlSym ( sqlite3_vfs * vfs , void * p , const char * z ) ) ( void ) ;\n"
        "static void ( * unixDlSym ( sqlite3_vfs * v , void * p , const char * z ) ) ( void ) "
        "{ return 0 ; }");
    ASSERT_EQ(returning->units.size(), 2u);
    EXPECT_EQ(Function(*returning, 0).qualifiedName.name, "sqlite3OsDlSym");
    EXPECT_EQ(Function(*returning, 0).parameters.size(), 3u);
    EXPECT_EQ(Function(*returning, 1).qualifiedName.name, "unixDlSym");
    EXPECT_EQ(returning->At(1).children.size(), 1u);

    // A prototype macro that a header left unread defines after the
    // declarator, as zlib's "OF" in minizip's I/O header, also after a
    // named type.
    auto prototyped =
        ParseText("typedef voidpf ( * open_file_func ) OF ( ( voidpf opaque , int mode ) ) ;\n"
                  "static void ( * handler ) __P ( ( int ) ) ;");
    ASSERT_EQ(prototyped->units.size(), 2u);
    EXPECT_EQ(Function(*prototyped, 0).qualifiedName.name, "open_file_func");
    EXPECT_EQ(Function(*prototyped, 0).parameters.size(), 2u);
    EXPECT_EQ(Function(*prototyped, 1).qualifiedName.name, "handler");

    // Several such pointers in one declaration are its variables, each
    // with its parameters read and not kept, and so are pointers among
    // other declarators.
    auto several = ParseText("extern void ( * HookA ) ( void ) , ( * HookB ) ( int n ) ;\n"
                             "int e , ( * f ) ( int x , char * y ) = 0 , g ;\n"
                             "int ( * cb ) ( int ( * inner ) ( int ) ) = 0 , * last ;");
    ASSERT_EQ(several->units.size(), 3u);
    const std::vector<std::vector<std::string>> expected {
        {"HookA", "HookB"}, {"e", "f", "g"}, {"cb", "last"}};
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(several->At(i).kind, UNIT_VARIABLE) << i;
        std::vector<std::string> names;
        for (const CVariableInfo* v = &Variable(*several, i); v;
             v = v->multiple ? &v->further.at(0) : nullptr)
            names.emplace_back(v->qualifiedName.name.view());
        EXPECT_EQ(names, expected[i]) << i;
    }
    EXPECT_EQ(several->Text(Variable(*several, 0).further.at(0).specifierTokens), "*");
}

// A class template named with its arguments in a qualifier: the arguments
// are read over, however they nest, and the qualifier names the class.
TEST(Functions, TemplateArgumentsInAQualifierNameTheClass)
{
    const struct {
        const char* text;
        std::vector<std::string> scopes;
        const char* name;
    } cases[] = {
        {"void Map < K , List < V >> :: Set ( K key ) { }", {"Map"}, "Set"},
        {"void Map < K , A < B < C < V >>>> :: Set ( K key ) { }", {"Map"}, "Set"},
        {"int N :: Box < T * , 3 > :: Inner :: Get ( ) { }", {"N", "Box", "Inner"}, "Get"},
        {"N :: Box < T > :: ~ Box ( ) { }", {"N", "Box"}, "~Box"},
        {"inline Box < T > :: Box ( int a ) : b ( a ) { }", {"Box"}, "Box"},
    };
    for (const auto& c : cases) {
        auto p = ParseText(c.text);
        ASSERT_EQ(p->units.size(), 1u) << c.text;
        ASSERT_EQ(p->At(0).kind, UNIT_FUNCTION) << c.text;
        const CFunctionInfo& f = Function(*p, 0);
        EXPECT_EQ(f.qualifiedName.scopes, c.scopes) << c.text;
        EXPECT_EQ(f.qualifiedName.name, c.name) << c.text;
    }
    // Brackets that do not close before the unit ends name no class.
    auto open = ParseText("void Box < T :: Put ( ) ;");
    EXPECT_NE(open->At(0).kind, UNIT_FUNCTION);
}

// In its class, a constructor named with the template's arguments, as
// older code writes it: the arguments were taken for a type's and the
// constructor was lost.
TEST(Functions, ConstructorsNamedWithTheTemplatesArguments)
{
    auto p = ParseText("template < class T > class xmlChar { public : T c ;\n"
                       " xmlChar < T > ( ) { }\n"
                       " xmlChar < T > ( char in ) : c ( static_cast < T > ( in ) ) { }\n"
                       " explicit xmlChar < T > ( unsigned long in ) ;\n"
                       " inline Pair < K , V > ( const Pair < K , V > & o ) = default ;\n"
                       " Box < T > ( * make ) ( ) ; Box < T > ( other ) ; } ;");
    const auto& members = p->At(0).children.at(0).children;
    ASSERT_EQ(members.size(), 8u);
    const std::pair<const char*, size_t> constructors[] = {
        {"xmlChar", 0}, {"xmlChar", 1}, {"xmlChar", 1}, {"Pair", 1}};
    for (size_t i = 0; i < std::size(constructors); ++i) {
        SCOPED_TRACE(i);
        const CFunctionInfo* f = AsFunctionInfo(members[i + 2]);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->qualifiedName.name, constructors[i].first);
        EXPECT_EQ(f->parameters.size(), constructors[i].second);
    }
    // A declarator in parentheses after a template's type is none.
    EXPECT_EQ(GetUnitFunctionName(members[6]), "make");
    EXPECT_EQ(p->Text(AsFunctionInfo(members[6])->specifierTokens), "Box < T >");
    const CVariableInfo* other = AsVariableInfo(members[7]);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->qualifiedName.name, "other");
}

TEST(Functions, Parameters)
{
    auto p = ParseText("void f ( int a , const char * p , int , vector < int > v , int b = 3 , "
                       "unsigned long x [ 10 ] [ ] , T t , std :: string & s ) ;");
    const CFunctionInfo& f = Function(*p, 0);
    ASSERT_EQ(f.parameters.size(), 8u);
    // Type and name of each; a template-id type keeps its end, so the name
    // stays a name.
    const std::pair<const char*, const char*> expected[] = {{"int", "a"}, {"const char *", "p"},
        {"int", ""}, {"vector < int >", "v"}, {"int", "b"}, {"unsigned long", "x"}, {"T", "t"},
        {"std :: string &", "s"}};
    for (size_t i = 0; i < f.parameters.size(); ++i) {
        EXPECT_EQ(p->Text(f.parameters[i].specifierTokens), expected[i].first) << i;
        EXPECT_EQ(f.parameters[i].qualifiedName.name, expected[i].second) << i;
    }
    EXPECT_TRUE(f.parameters[0].arrayTokens.empty());

    auto single = ParseText("void g ( HWND ) ;");
    const CFunctionInfo& g = Function(*single, 0);
    ASSERT_EQ(g.parameters.size(), 1u);
    // A lone identifier is the parameter's type, not its name.
    EXPECT_EQ(g.parameters[0].qualifiedName.name, "");
    EXPECT_EQ(single->Text(g.parameters[0].specifierTokens), "HWND");

    // So is a lone qualified name, whole: overloads told apart by it stay
    // apart.
    auto qualified =
        ParseText("void h ( int , std :: true_type , const N :: A , :: N :: B = B ( ) , "
                  "N :: C [ 2 ] , Box < T > :: type , std :: vector < int > :: iterator ) ;");
    const CFunctionInfo& h = Function(*qualified, 0);
    ASSERT_EQ(h.parameters.size(), 7u);
    const char* types[] = {"int", "std :: true_type", "const N :: A", ":: N :: B", "N :: C",
        "Box < T > :: type", "std :: vector < int > :: iterator"};
    for (size_t i = 0; i < h.parameters.size(); ++i) {
        EXPECT_EQ(qualified->Text(h.parameters[i].specifierTokens), types[i]) << i;
        EXPECT_EQ(h.parameters[i].qualifiedName.name, "") << i;
    }
}

TEST(Variables, RecordsOfPlainAndMultipleDeclarations)
{
    auto p = ParseText("int a , b ;\n"
                       "int c = 5 ;\n"
                       "int d [ ] = { 1 , 2 } ;\n"
                       "char * e , * const f , g [ 4 ] , h ;\n"
                       "int N :: m ;");
    const CVariableInfo& a = Variable(*p, 0);
    EXPECT_EQ(p->At(0).kind, UNIT_VARIABLE);
    EXPECT_EQ(a.qualifiedName.name, "a");
    EXPECT_TRUE(a.multiple);
    ASSERT_EQ(a.further.size(), 1u);
    EXPECT_EQ(a.further[0].qualifiedName.name, "b");

    // The initialiser range starts two tokens before "=".
    EXPECT_EQ(p->Text(Variable(*p, 1).initTokens), "int c = 5");
    EXPECT_TRUE(Variable(*p, 2).initTokens.empty());
    EXPECT_EQ(Variable(*p, 2).qualifiedName.name, "d");

    const CVariableInfo& e = Variable(*p, 3);
    EXPECT_EQ(e.qualifiedName.name, "e");
    EXPECT_EQ(p->Text(e.specifierTokens), "char *");
    ASSERT_EQ(e.further.size(), 1u);
    const CVariableInfo& f = e.further[0];
    EXPECT_EQ(f.qualifiedName.name, "f");
    EXPECT_EQ(p->Text(f.specifierTokens), "* const");
    ASSERT_EQ(f.further.size(), 1u); // each further declarator holds the next
    EXPECT_EQ(f.further[0].qualifiedName.name, "g");
    EXPECT_EQ(p->Text(f.further[0].arrayTokens), "[ 4 ]");
    EXPECT_EQ(f.further[0].further.at(0).qualifiedName.name, "h");

    const CVariableInfo& m = Variable(*p, 4);
    EXPECT_EQ(m.qualifiedName.name, "m");
    EXPECT_EQ(m.qualifiedName.scopes, std::vector<std::string> {"N"});
}

TEST(Variables, InitialiserRangeNeverStartsBeforeTheUnit)
{
    auto p = ParseSingle("a = 1 ;", DECLARATION2);
    EXPECT_EQ(p->unit.kind, UNIT_VARIABLE);
    const CVariableInfo* a = AsVariableInfo(p->unit);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(p->Text(a->initTokens), "a = 1");
}

TEST(Variables, PointerOperatorsRecordEachOwnPosition)
{
    auto p = ParseText("int a , *\nconst volatile b ;");
    const CVariableInfo& a = Variable(*p, 0);
    ASSERT_EQ(a.further.size(), 1u);
    const TokenIndices& pointer = a.further[0].specifierTokens;
    ASSERT_EQ(pointer.size(), 3u);
    EXPECT_EQ(p->tokens.at(static_cast<size_t>(pointer[0])).type, STAR);
    EXPECT_EQ(p->tokens.at(static_cast<size_t>(pointer[1])).type, WORD_CONST);
    EXPECT_EQ(p->tokens.at(static_cast<size_t>(pointer[2])).type, WORD_VOLATILE);
}

TEST(Variables, DeclaratorsAfterABraceInitialiser)
{
    // The declarators after the braces are units of their own.
    auto p = ParseText("coord up = { 0 , 0 } , * down = { 1 , 1 } , N :: side , last ;\n"
                       "static int x [ ] = { 1 } , y [ 2 ] = { 2 , 3 } ;\n"
                       "struct S { int a ; } s1 = { 1 } , s2 ;");
    std::vector<std::string> names;
    for (const CUnit& unit : p->units) {
        if (unit.kind != UNIT_VARIABLE)
            continue;
        const CVariableInfo& v = *AsVariableInfo(unit);
        names.emplace_back(v.qualifiedName.name.view());
        for (const CVariableInfo* f = &v; f->multiple; f = &f->further.at(0))
            names.emplace_back(f->further.at(0).qualifiedName.name.view());
    }
    EXPECT_EQ(
        names, (std::vector<std::string> {"up", "down", "side", "last", "x", "y", "s1", "s2"}));
    // A first value in braces without "=", at the top level and in a class.
    // So does an array, and one with several dimensions.
    auto q = ParseText(
        "int counter { 0 } ; std :: vector < int > v { 1 , 2 } ;\n"
        "struct T { int a { 0 } ; Widget * w { nullptr } ;\n"
        " unsigned short reprs [ 0x100 ] { } ; int grid [ N + 1 ] [ a [ 2 ] ] { { 1 } } ; } ;\n"
        "int table [ 3 ] { 1 , 2 , 3 } ;");
    EXPECT_EQ(Variable(*q, 0).qualifiedName.name, "counter");
    EXPECT_EQ(Variable(*q, 1).qualifiedName.name, "v");
    const auto& members = q->units.at(2).children;
    ASSERT_EQ(members.size(), 4u);
    EXPECT_EQ(AsVariableInfo(members[0])->qualifiedName.name, "a");
    EXPECT_EQ(AsVariableInfo(members[1])->qualifiedName.name, "w");
    ASSERT_EQ(members[2].kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(members[2])->qualifiedName.name, "reprs");
    EXPECT_EQ(q->Text(AsVariableInfo(members[2])->arrayTokens), "[ 0x100 ]");
    ASSERT_EQ(members[3].kind, UNIT_VARIABLE);
    EXPECT_EQ(q->Text(AsVariableInfo(members[3])->arrayTokens), "[ N + 1 ] [ a [ 2 ] ]");
    EXPECT_EQ(Variable(*q, 3).qualifiedName.name, "table");
    const CVariableInfo& down = Variable(*p, 1);
    EXPECT_TRUE(p->At(1).brace);
    EXPECT_EQ(p->Text(down.specifierTokens), "*");
    EXPECT_EQ(Variable(*p, 2).qualifiedName.scopes, std::vector<std::string> {"N"});

    // A unit that does not end as a declaration is read and not kept: the
    // commas between the elements of an initialiser a file included.
    for (const char* text : {", * b = 2", ",", ", CFF_FIELD ( 1 , a ) CFF_FIELD ( 2 , b )"}) {
        auto q = ParseSingle(text, DECLARATION2);
        EXPECT_EQ(q->unit.kind, 0) << text;
        EXPECT_FALSE(q->unit.done) << text;
        EXPECT_EQ(q->unit.detail, nullptr) << text;
    }
}

// An object given its first value in parentheses, as global objects of old
// C++ code are ("static Command running("run");"), is a variable; so is a
// static member so defined. A list of names alone may be parameter types
// and leaves a function, and a pointer or a reference in parentheses after
// a type is a parameter's declarator.
TEST(Variables, FirstValueInParentheses)
{
    auto p = ParseText("static Command running ( \"run\" ) ;\n"
                       "search_path macro_path ( \"GROFF_TMAC_PATH\" , MACROPATH , 1 , 1 ) ;\n"
                       "static BoxRegion EVERYWHERE ( BoxPoint ( 0 , 0 ) , Size ( a . x ) ) ;\n"
                       "const string NO_ANSWER ( char ( - 1 ) ) ;\n"
                       "TypeInfo Agent :: type_info ( # Agent , & Agent :: bases ) ;\n"
                       "cset blank ( \" \" ) , digits ( \"0123456789\" ) ;\n"
                       "Foo f ( a , b ) ;\n"
                       "void g ( void ( * done ) ( int ) , T ( & rows ) [ 4 ] ) ;\n"
                       "SaveRw ( reg_bp , flags . word [ 0 ] ) ;\n"
                       "G_AVAILABLE gpointer g_malloc ( gsize n ) G_MALLOC G_ALLOC_SIZE ( 1 ) ;\n"
                       "unsigned long count ( 0 ) ;\n"
                       "const QStringList Entry :: Keys ( QStringList ( ) << Title << Name ) ;\n"
                       "static QString Home ( QString ( dir ) + sep ) ;");
    ASSERT_EQ(p->units.size(), 13u);
    const CVariableInfo& running = Variable(*p, 0);
    EXPECT_EQ(running.qualifiedName.name, "running");
    EXPECT_EQ(p->Text(running.specifierTokens), "static Command");
    EXPECT_EQ(p->Text(running.typeTokens), "Command");
    // The value is kept as one after "=" is, from two tokens before it.
    EXPECT_EQ(p->Text(running.initTokens), "Command running ( \"run\" )");
    EXPECT_EQ(Variable(*p, 1).qualifiedName.name, "macro_path");
    EXPECT_EQ(Variable(*p, 2).qualifiedName.name, "EVERYWHERE");
    EXPECT_EQ(Variable(*p, 3).qualifiedName.name, "NO_ANSWER");
    const CVariableInfo& member = Variable(*p, 4);
    EXPECT_EQ(member.qualifiedName.name, "type_info");
    EXPECT_EQ(member.qualifiedName.scopes, std::vector<std::string> {"Agent"});
    const CVariableInfo& blank = Variable(*p, 5);
    ASSERT_EQ(blank.further.size(), 1u);
    EXPECT_EQ(blank.further[0].qualifiedName.name, "digits");

    EXPECT_EQ(Function(*p, 6).qualifiedName.name, "f");
    const CFunctionInfo& g = Function(*p, 7);
    ASSERT_EQ(g.parameters.size(), 2u);
    EXPECT_EQ(g.parameters[0].qualifiedName.name, "done");
    EXPECT_EQ(g.parameters[1].qualifiedName.name, "rows");
    // A call without a type is no variable.
    EXPECT_NE(p->At(8).kind, UNIT_VARIABLE);
    // A macro's arguments after a function's parameters are no first value.
    EXPECT_EQ(Function(*p, 9).qualifiedName.name, "g_malloc");
    EXPECT_EQ(Variable(*p, 10).qualifiedName.name, "count");
    // A call or a conversion that an operator follows is a value.
    EXPECT_EQ(Variable(*p, 11).qualifiedName.name, "Keys");
    EXPECT_EQ(Variable(*p, 12).qualifiedName.name, "Home");
}

// A built-in type's conversion, "char(-1)", in a default argument or a
// constructor initializer leaves the function whole.
TEST(Functions, BuiltinTypeConversions)
{
    auto p = ParseText("void f ( int a = int ( 3 ) , string c = char ( - 1 ) ) ;\n"
                       "class FPInt {\n"
                       " FPInt ( float f ) : v ( round ( f * float ( k ) ) ) { }\n"
                       " int v ;\n"
                       "} ;");
    const CFunctionInfo& f = Function(*p, 0);
    ASSERT_EQ(f.parameters.size(), 2u);
    EXPECT_EQ(f.parameters[1].qualifiedName.name, "c");
    const auto& members = p->At(1).children;
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(members[0]), "FPInt");
}

// A dependent type named through a qualifier with template arguments, as
// class templates name their base's types: "typedef typename
// Base<T>::Data Data;".
TEST(Variables, TypenameWithATemplateQualifier)
{
    auto p = ParseText("template < class T > class A {\n"
                       " typedef typename Buffer < T > :: Data Data ;\n"
                       " typename N :: Pair < T , int > :: first_type first ;\n"
                       "} ;");
    const auto& members = p->At(0).children.at(0).children;
    ASSERT_EQ(members.size(), 2u);
    for (size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(members[i].kind, UNIT_VARIABLE);
        EXPECT_EQ(AsVariableInfo(members[i])->qualifiedName.name, i == 0 ? "Data" : "first");
    }
}

// The same without typename, as members name a standard container's types,
// with cv words and pointers after it.
TEST(Variables, TypeNamedThroughATemplateQualifier)
{
    auto p = ParseText("class A {\n"
                       " std :: vector < int > :: size_type count ;\n"
                       " std :: vector < int > :: size_type const limit ;\n"
                       " Box < T > :: Node const * head ;\n"
                       " :: N :: Map < K , List < V >> :: iterator volatile & at ;\n"
                       " Box < T > :: size_type const & Size ( ) const ;\n"
                       "} ;");
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 5u);
    const std::pair<const char*, const char*> expected[] = {
        {"count", "std :: vector < int > :: size_type"},
        {"limit", "std :: vector < int > :: size_type"}, {"head", "Box < T > :: Node"},
        {"at", ":: N :: Map < K , List < V >> :: iterator"}};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(members[i].kind, UNIT_VARIABLE);
        const CVariableInfo& v = *AsVariableInfo(members[i]);
        EXPECT_EQ(v.qualifiedName.name, expected[i].first);
        EXPECT_TRUE(v.qualifiedName.scopes.empty());
        EXPECT_EQ(p->Text(v.typeTokens), expected[i].second);
    }
    ASSERT_EQ(members[4].kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(members[4]), "Size");
}

TEST(Functions, FunctionTypesAsTemplateArguments)
{
    auto p = ParseText("class Front {\n"
                       " Scene Create ( void * at , boost :: function < Console * ( ) > make ) ;\n"
                       " boost :: function < Console * ( ) > createConsole ;\n"
                       " typedef Signal < void ( unsigned int , Window * w , bool ) > Moved ;\n"
                       " Slot < int ( * ) ( int ) > pointer ;\n"
                       " map < string , void ( Widget :: * ) ( ) > handlers ;\n"
                       " Front ( std :: function < bool ( std :: vector < Key < int > > , void ( * "
                       ") ( int ) ) > f ) "
                       ": m ( f ) { }\n"
                       "} ;");
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 6u);
    ASSERT_EQ(members[0].kind, UNIT_FUNCTION);
    const CFunctionInfo& create = *AsFunctionInfo(members[0]);
    ASSERT_EQ(create.parameters.size(), 2u);
    EXPECT_EQ(create.parameters[1].qualifiedName.name, "make");
    EXPECT_EQ(p->Text(create.parameters[1].specifierTokens), "boost :: function < Console * ( ) >");
    // So are pointers to functions and to member functions as arguments.
    const char* names[] = {"createConsole", "Moved", "pointer", "handlers"};
    for (size_t i = 1; i < 5; ++i) {
        ASSERT_EQ(members[i].kind, UNIT_VARIABLE) << i;
        EXPECT_EQ(AsVariableInfo(members[i])->qualifiedName.name, names[i - 1]);
    }
    EXPECT_EQ(p->Text(AsVariableInfo(members[4])->specifierTokens),
        "map < string , void ( Widget :: * ) ( ) >");
    // Template arguments and function pointers among the parameters are.
    ASSERT_EQ(members[5].kind, UNIT_FUNCTION);
    EXPECT_EQ(AsFunctionInfo(members[5])->parameters.size(), 1u);
}

TEST(Functions, SpecialisationsOfFunctionTemplates)
{
    auto p = ParseText(
        "template < > unsigned short next < wchar_t > ( const wchar_t * * p ) { return 1 ; }\n"
        "template < > void A :: f < int > ( int x ) { }\n"
        "template < > int g < Map < K , V > > ( Map < K , V > m ) ;\n"
        // With its type after the parameters.
        "template < > inline auto find < false , char > ( const char * f , char v ) -> bool "
        "{ return f ; }\n"
        "template < > constexpr auto A :: bits < Wide > ( ) -> int { return 1 ; }");
    const std::tuple<std::vector<std::string>, std::string, size_t, size_t> functions[] = {
        {{}, "next<wchar_t>", 1, 1}, {{"A"}, "f<int>", 1, 0}, {{}, "g<Map<K,V>>", 1, 0},
        {{}, "find<false,char>", 2, 1}, {{"A"}, "bits<Wide>", 0, 1}};
    ASSERT_EQ(p->units.size(), std::size(functions));
    for (size_t i = 0; i < p->units.size(); ++i) {
        SCOPED_TRACE(i);
        const CUnit& unit = p->At(i).children.at(0);
        ASSERT_EQ(unit.kind, UNIT_FUNCTION);
        const CFunctionInfo& f = *AsFunctionInfo(unit);
        EXPECT_EQ(f.qualifiedName.scopes, std::get<0>(functions[i]));
        EXPECT_EQ(f.qualifiedName.name, std::get<1>(functions[i]));
        EXPECT_EQ(f.parameters.size(), std::get<2>(functions[i]));
        EXPECT_EQ(unit.children.size(), std::get<3>(functions[i]));
    }
    // A comparison in a variable's value is no specialisation, nor is one
    // in a deduced variable's.
    auto value = ParseText("bool b = a < c > ( d ) ; auto e = a < c > ( d ) ;");
    EXPECT_EQ(value->At(0).kind, UNIT_VARIABLE);
    ASSERT_EQ(value->At(1).kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(value->At(1))->qualifiedName.name, "e");
}

// typename before such a name among template arguments, as a base that
// takes an index sequence is written: the class keeps its members.
TEST(Variables, TypenameQualifiedByAClassTemplateAsAnArgument)
{
    auto p = ParseText("template < typename ... T >\n"
                       "class Flat : private Base < Flat < T ... > , "
                       "typename Make < sizeof ... ( T ) > :: type > { int a ; } ;\n"
                       "Box < typename N :: Make < T > :: type , int > box ;");
    ASSERT_EQ(p->units.size(), 2u);
    const CUnit& flat = p->At(0).children.at(0);
    ASSERT_EQ(flat.kind, UNIT_CLASS);
    ASSERT_EQ(AsClassInfo(flat)->bases.size(), 1u);
    ASSERT_EQ(flat.children.size(), 1u);
    EXPECT_EQ(flat.children[0].kind, UNIT_VARIABLE);
    ASSERT_EQ(p->At(1).kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(p->At(1))->qualifiedName.name, "box");
}

// A requires clause after a template's parameters is read over up to the
// declaration it constrains; "<=>" names an operator as "<=" does.
TEST(Functions, RequiresClausesAndThreeWayComparison)
{
    auto p = ParseText(
        "template < typename T > requires Number < T > && ( sizeof ( T ) > 2 ) T Twice ( T v ) "
        "{ return v ; }\n"
        "template < typename T > requires ! std :: is_same_v < T , std :: vector < int >> "
        "void Take ( T t ) ;\n"
        "struct P { auto operator <= > ( const P & ) const = default ;\n"
        " bool operator <= ( const P & ) const ; } ;");
    ASSERT_EQ(p->units.size(), 3u);
    const CUnit& twice = p->At(0).children.at(0);
    ASSERT_EQ(twice.kind, UNIT_FUNCTION);
    EXPECT_EQ(GetUnitFunctionName(twice), "Twice");
    EXPECT_EQ(twice.children.size(), 1u);
    EXPECT_EQ(GetUnitFunctionName(p->At(1).children.at(0)), "Take");
    const auto& members = p->At(2).children;
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(GetUnitFunctionName(members[0]), "<=>");
    EXPECT_EQ(GetUnitFunctionName(members[1]), "<=");
}

// Packs expanded among a class's bases and among template arguments: the
// class keeps its bases and its members.
TEST(Variables, PacksOfBasesAndArguments)
{
    auto p = ParseText(
        "template < class ... Ts > struct Deep : Holder < Ts > ... , Ts ... { int d ; } ;\n"
        "template < class ... Us > struct Can < variant < Us ... >> : "
        "public conjunction < Accept < Us > ... > { int b ; } ;");
    ASSERT_EQ(p->units.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const CUnit& s = p->At(i).children.at(0);
        ASSERT_EQ(s.kind, UNIT_STRUCT) << i;
        ASSERT_EQ(s.children.size(), 1u) << i;
        EXPECT_EQ(s.children[0].kind, UNIT_VARIABLE) << i;
    }
    const auto& deep = AsClassInfo(p->At(0).children[0])->bases;
    ASSERT_EQ(deep.size(), 2u);
    EXPECT_EQ(deep[0].qualifiedName.name, "Holder<Ts>");
    EXPECT_EQ(deep[1].qualifiedName.name, "Ts");
    const auto& can = AsClassInfo(p->At(1).children[0])->bases;
    ASSERT_EQ(can.size(), 1u);
    EXPECT_EQ(can[0].qualifiedName.name, "conjunction<Accept<Us>...>");
}

// A type with template arguments from the global namespace, as GoogleTest
// names the standard library's: "::std::vector<std::string> GetArgvs()".
TEST(Variables, GlobalTypesWithTemplateArguments)
{
    auto p = ParseText("static :: std :: vector < std :: string > argvs ;\n"
                       ":: std :: vector < std :: string > GetArgvs ( ) { return argvs ; }\n"
                       ":: Box < int > box ;\n"
                       "const :: std :: vector < int > & Ref ( ) ;");
    ASSERT_EQ(p->units.size(), 4u);
    EXPECT_EQ(Variable(*p, 0).qualifiedName.name, "argvs");
    EXPECT_EQ(p->Text(Variable(*p, 0).typeTokens), ":: std :: vector");
    EXPECT_EQ(Function(*p, 1).qualifiedName.name, "GetArgvs");
    EXPECT_EQ(p->At(1).children.size(), 1u);
    EXPECT_EQ(Variable(*p, 2).qualifiedName.name, "box");
    EXPECT_EQ(p->Text(Variable(*p, 2).typeTokens), ":: Box");
    EXPECT_EQ(Function(*p, 3).qualifiedName.name, "Ref");
}

// A name qualified by a class template, in a value or a template argument.
TEST(Variables, NamesQualifiedByAClassTemplate)
{
    auto p = ParseText("class R {\n"
                       " bool Read ( std :: string & s , size_t most = "
                       "std :: numeric_limits < size_t > :: max ( ) ) ;\n"
                       " Box < std :: vector < int > :: size_type > box ;\n"
                       " Map < :: Pool < T * > :: Key , N :: List < V > :: Node * > nodes ;\n"
                       " int last = Traits < int > :: size + 1 ;\n"
                       "} ;");
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 4u);
    ASSERT_EQ(members[0].kind, UNIT_FUNCTION);
    EXPECT_EQ(AsFunctionInfo(members[0])->parameters.size(), 2u);
    const char* names[] = {"box", "nodes", "last"};
    for (size_t i = 1; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(members[i].kind, UNIT_VARIABLE);
        EXPECT_EQ(AsVariableInfo(members[i])->qualifiedName.name, names[i - 1]);
    }
}

TEST(Variables, PointersToDataMembers)
{
    auto p = ParseText("class RefCount {\n"
                       " typedef Pointer * RefCount :: * bool_type ;\n"
                       " int S :: * field ;\n"
                       " const char * N :: Box < T > :: * label ;\n"
                       "} ;\n"
                       "int Grid :: * column = & Grid :: x ;");
    const auto& members = p->At(0).children;
    ASSERT_EQ(members.size(), 3u);
    const std::pair<const char*, const char*> expected[] = {
        {"bool_type", "typedef Pointer * RefCount :: *"}, {"field", "int S :: *"},
        {"label", "const char * N :: Box < T > :: *"}};
    for (size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(members[i].kind, UNIT_VARIABLE);
        const CVariableInfo& v = *AsVariableInfo(members[i]);
        EXPECT_EQ(v.qualifiedName.name, expected[i].first);
        EXPECT_TRUE(v.qualifiedName.scopes.empty());
        EXPECT_EQ(p->Text(v.specifierTokens), expected[i].second);
    }
    ASSERT_EQ(p->At(1).kind, UNIT_VARIABLE);
    EXPECT_EQ(AsVariableInfo(p->At(1))->qualifiedName.name, "column");
}
