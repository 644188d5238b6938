#include "FileIndex.h"
#include "IncludedFile.h"
#include "ProjectFile.h"
#include "UnitBuilder.h"
#include "UnitDump.h"
#include "UnitDetail.h"
#include "UnitKind.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kSeparator = "<" + std::string(62, '-') + ">";

std::string Dump(const CFileIndex& index, const SourceFileList& files, const CModelScope* root)
{
    std::ostringstream out;
    StreamSink sink(out);
    CUnitDumper(index, files, root, sink).Dump();
    return out.str();
}

} // namespace

TEST(UnitDump, NoFilesWritesTheFourFixedLines)
{
    CFileIndex index;
    SourceFileList files;
    CModelScope root;
    EXPECT_EQ(Dump(index, files, &root),
        "Start Unit Drawing\nEnd Unit Drawing\nStart global Drawing\nEnd global Drawing\n");
}

TEST(UnitDump, UnitsWithKindsTokensAndChildren)
{
    CFileIndex index;
    SourceFileList files;
    auto file = std::make_unique<CProjectFile>("/p/a.cpp", nullptr, std::vector<PredefinedWord> {});
    file->scan.tokens = ScanText("class A : public B { int x ; } ;");
    CUnit cls(&file->scan.tokens);
    cls.kind = UNIT_CLASS;
    cls.brace = true;
    cls.tokenIndices = {0, 1, 2, 3, 4};
    CUnit x(&file->scan.tokens);
    x.kind = UNIT_VARIABLE;
    x.tokenIndices = {6, 7, 8};
    cls.children.push_back(std::move(x));
    file->units.push_back(std::move(cls));
    CUnit empty(&file->scan.tokens);
    empty.kind = UNIT_PLACEHOLDER;
    file->units.push_back(std::move(empty));
    files.push_back(std::move(file));
    EXPECT_EQ(Dump(index, files, nullptr),
        "Start Unit Drawing\n" + kSeparator + "\n/p/a.cpp\n" + kSeparator +
            "\n"
            "+Unit: [Class] 1 5-1\n"
            " class A : public B\n"
            "    +Unit: [Variable] 0 3-0\n"
            " int x ;\n"
            "+Unit: Unknown(Analysys complete) 0 0-0\n"
            " \n"
            "End Unit Drawing\nStart global Drawing\nEnd global Drawing\n");
}

TEST(UnitDump, HeadersFollowEachPlaceTheyAreIncludedAndCyclesEnd)
{
    CFileIndex index;
    auto h0 = std::make_unique<CIncludedFile>("/p/a.h", nullptr, true);
    h0->includes = {1};
    auto h1 = std::make_unique<CIncludedFile>("/p/b.h", nullptr, true);
    h1->includes = {0, 7}; // back to a.h, and a number past the index
    index.Add(std::move(h0));
    index.Add(std::move(h1));
    SourceFileList files;
    for (const char* path : {"/p/x.cpp", "/p/y.cpp"}) {
        auto file = std::make_unique<CProjectFile>(path, nullptr, std::vector<PredefinedWord> {});
        file->includes = {0};
        files.push_back(std::move(file));
    }
    const std::string dump = Dump(index, files, nullptr);
    std::string paths;
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("/p/", 0) == 0) {
            paths += line + " ";
        }
    }
    EXPECT_EQ(paths, "/p/x.cpp /p/a.h /p/b.h /p/y.cpp /p/a.h /p/b.h ");
}

TEST(UnitDump, ModelElementsWithCounts)
{
    TokenSource source;
    CModelScope root;
    root.kind = UNIT_ROOT;
    root.scopeChildren = std::make_unique<ScopeChildSet>();
    CModelScope* n = AddElement(root, "N", UNIT_NAMESPACE);
    CModelScope* a = AddElement(*n, "A", UNIT_CLASS);
    CUnit aUnit = source.ClassUnit(UNIT_CLASS, "A");
    AsClassInfo(aUnit)->bases.resize(2);
    a->definitions.push_back(&aUnit);
    CModelScope* f = AddElement(*a, "f", UNIT_FUNCTION);
    CUnit fUnit = source.FunctionUnit("f", {}, false);
    f->declarations.push_back(&fUnit);
    // A class element whose first unit is not a class: no bases to count.
    CModelScope* odd = AddElement(root, "Odd", UNIT_CLASS);
    CUnit nUnit = source.NamespaceUnit("Odd");
    odd->definitions.push_back(&nUnit);

    CFileIndex index;
    SourceFileList files;
    std::ostringstream out;
    StreamSink sink(out);
    CUnitDumper(index, files, &root, sink).DumpGlobals();
    EXPECT_EQ(out.str(),
        "+Unit: N 8 0 0 \n"
        "    +Unit: A 4 0 1 Parent Count:2\n"
        "        +Unit: f 18 1 0 \n"
        "+Unit: Odd 4 0 1 Parent Count:0\n");
}
