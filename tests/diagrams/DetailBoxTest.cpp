#include "AnalysedProject.h"
#include "DetailBoxDiagram.h"
#include "DetailBoxPainter.h"
#include "ElementStyleTable.h"
#include "MacroViewDefaults.h"
#include "TestCanvas.h"
#include "TextMeasurer.h"
#include "VisualSetting.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// The macro view's default fonts and colours, text 6 pixels a character and
// 10 high, and the model analysed from `source`.
class DetailBoxTest : public ::testing::Test {
protected:
    explicit DetailBoxTest(const std::string& source) : project(source)
    {
        SetMacroViewDefaults(fonts, style);
    }

    const DetailClassNode& Show(const std::string& type, bool selectionChanged = true)
    {
        const CModelScope* scope = project.Find(type);
        if (scope == nullptr)
            throw std::runtime_error("no type " + type);
        size = detail.Draw(canvas.dc, scope, project.Root(), fonts, style, selectionChanged);
        return *detail.Tree();
    }
    // Clicks, then paints again (which lays the tree out again).
    bool Click(int x, int y, bool doubleClick = false)
    {
        const bool hit = detail.OnClick({x, y}, doubleClick);
        size = detail.Draw(canvas.dc, selected(), project.Root(), fonts, style, false);
        return hit;
    }
    const CModelScope* selected() const { return detail.Tree()->box.scope; }

    ScopedTextMeasurer measurer {std::make_shared<FixedWidthTextMeasurer>(6, 10)};
    AnalysedProject project;
    CVisualSetting fonts;
    ElementStyleTable style;
    CMacroDetail detail;
    Canvas canvas {700, 500};
    CSize size;
};

class DetailHierarchyTest : public DetailBoxTest {
protected:
    DetailHierarchyTest()
        : DetailBoxTest(R"(
struct A { int a; void f(int x, char* y); int g(); };
struct B { int b; };
struct C { };
struct V { };
class D : public A, protected B, C, virtual public V { int d; };
struct S : private A { };
struct P : Q { };
struct Q : P { };
namespace N { struct Base : ::Base { int inner; }; }
struct Base { int outer; };
struct U : Missing { };
struct T { int t; };
struct H { T byValue; T* byPointer; };
)")
    {
    }
};

} // namespace

TEST_F(DetailHierarchyTest, BaseLinesAreColouredByAccessAndDottedToVirtualBases)
{
    struct Case {
        const char* type;
        std::vector<int> access;
        std::vector<bool> dotted;
    };
    const std::vector<Case> cases = {
        {"D", {1, 2, 3, 1}, {false, false, false, true}},
        {"S", {1}, {false}}, // a struct's base lines are always green
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        canvas.dc.FillSolidRect(0, 0, 700, 500, kWhite);
        const DetailClassNode& tree = Show(c.type);
        EXPECT_EQ(tree.access, c.access);
        EXPECT_EQ(tree.dotted, c.dotted);
        for (size_t i = 0; i < tree.bases.size(); ++i) {
            const DetailBox& base = tree.bases[i].box;
            const COLORREF colour = DetailBoxPainter::AccessColour(c.access[i]);
            // The line leaves the arrow head below the base and runs down.
            const int x = base.x + base.width / 2;
            const int top = base.y + base.height + 6;
            int coloured = 0;
            for (int y = top; y < top + 10; ++y)
                coloured += canvas.dc.GetPixel(x, y) == colour;
            EXPECT_EQ(coloured == 10, !c.dotted[i]) << "base " << i;
            EXPECT_GE(coloured, 4) << "base " << i;
            // The base row stands above the derived box.
            EXPECT_LE(base.y + base.height + 32, tree.box.y);
        }
    }
    EXPECT_EQ(DetailBoxPainter::AccessColour(0), 0x000000u);
}

TEST_F(DetailHierarchyTest, BasesResolveWithoutFollowingACycleAndUnknownOnesGetABox)
{
    // P and Q derive from each other: P -> Q -> P, which is not followed.
    const DetailClassNode& cycle = Show("P");
    ASSERT_EQ(cycle.bases.size(), 1u);
    EXPECT_EQ(cycle.bases[0].box.scope->name, "Q");
    ASSERT_EQ(cycle.bases[0].bases.size(), 1u);
    EXPECT_EQ(cycle.bases[0].bases[0].box.scope->name, "P");
    EXPECT_TRUE(cycle.bases[0].bases[0].bases.empty());

    // "::Base" names the global Base, not the derived type itself.
    const DetailClassNode& global = Show("N::Base");
    ASSERT_EQ(global.bases.size(), 1u);
    EXPECT_EQ(global.bases[0].box.scope, project.Find("Base"));
    EXPECT_TRUE(global.bases[0].bases.empty());

    // A base that is not in the model still gets a box with its name.
    const DetailClassNode& unknown = Show("U");
    ASSERT_EQ(unknown.bases.size(), 1u);
    EXPECT_EQ(unknown.bases[0].box.scope->name, "Missing");
    EXPECT_GT(unknown.bases[0].box.width, 0);
}

TEST(DetailTreeBudget, ALatticeOfBasesIsCutAtTheNodeBudget)
{
    // Twelve rows of two classes, each deriving from both of the row above:
    // the full tree would hold 2^13 boxes.
    std::string source = "struct L0a {}; struct L0b {};\n";
    for (int row = 1; row <= 12; ++row) {
        const std::string above = "L" + std::to_string(row - 1);
        for (const char* side : {"a", "b"})
            source +=
                "struct L" + std::to_string(row) + side + " : " + above + "a, " + above + "b {};\n";
    }
    AnalysedProject project(source);
    std::vector<std::unique_ptr<CModelScope>> placeholders;
    DetailTreeBuilder builder(project.Root(), placeholders);
    const DetailClassNode tree = builder.Build(*project.Find("L12a"));
    std::function<size_t(const DetailClassNode&)> count = [&](const DetailClassNode& node) {
        size_t n = 1;
        for (const DetailClassNode& base : node.bases)
            n += count(base);
        return n;
    };
    EXPECT_GT(count(tree), DetailTreeBuilder::kMaxNodes / 2);
    EXPECT_LE(count(tree), DetailTreeBuilder::kMaxNodes + 13); // one leaf more per row at most
    EXPECT_TRUE(placeholders.empty());
}

TEST_F(DetailHierarchyTest, ClicksFoldTheBoxItsSectionsParametersAndTypes)
{
    Show("A");
    const DetailBox& box = detail.Tree()->box;
    const int fullHeight = box.height;
    const DetailSection& attributes = box.sections[DetailBox::kAttributes];
    const DetailSection& methods = box.sections[DetailBox::kMethods];
    ASSERT_EQ(box.methods.size(), 2u);
    const DetailMethod& f = box.methods[0];
    EXPECT_EQ(f.params, " (int x, char * y)");
    EXPECT_EQ(f.type, " : void");
    const int methodsWidth = f.paramsW;

    // The attributes section's square folds its lines away.
    EXPECT_TRUE(Click(attributes.headerX + 2, attributes.headerY + 2));
    EXPECT_EQ(box.height, fullHeight - attributes.linesH);
    EXPECT_TRUE(Click(attributes.headerX + 2, attributes.headerY + 2));
    EXPECT_EQ(box.height, fullHeight);

    // The two squares at the right end of the methods header shorten the
    // parameter lists (an empty list stays) and the types.
    const int right = methods.headerX + methods.headerW;
    EXPECT_TRUE(Click(right - 2 * methods.square + 3, methods.headerY + 3));
    EXPECT_FALSE(box.showParams);
    EXPECT_EQ(box.ShownParams(box.methods[0]), DetailBox::kHiddenParams);
    EXPECT_EQ(box.ShownParams(box.methods[1]), " ()");
    EXPECT_LT(box.methods[0].paramsW, methodsWidth);
    EXPECT_TRUE(Click(right - methods.square + 3, methods.headerY + 3));
    EXPECT_FALSE(box.showTypes);
    EXPECT_EQ(box.ShownType(box.methods[0]), DetailBox::kHiddenType);

    // A double click on the methods header opens or closes the section, its
    // parameters and its types together.
    EXPECT_TRUE(Click(methods.headerX + methods.headerW / 2, methods.headerY + 3, true));
    EXPECT_FALSE(methods.open);
    EXPECT_EQ(box.height, fullHeight - methods.linesH);
    EXPECT_TRUE(Click(methods.headerX + methods.headerW / 2, methods.headerY + 3, true));
    EXPECT_TRUE(methods.open && box.showParams && box.showTypes);

    // The box's own fold square leaves only the caption; a click inside that
    // flips nothing still counts as a hit, one outside does not.
    EXPECT_TRUE(Click(box.foldX + 3, box.foldY + 3));
    EXPECT_EQ(box.height, box.captionH + 4);
    EXPECT_TRUE(Click(box.x + box.width - 3, box.y + 3));
    EXPECT_FALSE(Click(box.x + box.width + 3, box.y + 3));
    EXPECT_FALSE(box.open);
}

// The methods header's two right-end squares are drawn where a click finds
// them: a click inside each clickable square puts the dot of the hidden
// state into the middle of the square drawn there.
TEST_F(DetailHierarchyTest, MethodHeaderSquaresAreDrawnWhereClicksFindThem)
{
    Show("A");
    const DetailBox& box = detail.Tree()->box;
    const DetailSection& methods = box.sections[DetailBox::kMethods];
    const int right = methods.headerX + methods.headerW;
    const int square = methods.square;
    ASSERT_GT(square, 6);
    const auto header = [&] {
        std::vector<COLORREF> pixels;
        for (int y = methods.headerY; y < methods.headerY + methods.headerH; ++y)
            for (int x = right - 2 * square - 4; x <= right + 4; ++x)
                pixels.push_back(canvas.dc.GetPixel(x, y));
        return pixels;
    };
    // The middle of what changed between two paints of the header.
    const auto changedMiddle = [&](const std::vector<COLORREF>& before) {
        const std::vector<COLORREF> after = header();
        const int width = 2 * square + 9;
        CRect changed(1 << 20, 1 << 20, -1, -1);
        for (size_t i = 0; i < after.size(); ++i) {
            if (after[i] == before[i])
                continue;
            const int x = right - 2 * square - 4 + static_cast<int>(i) % width;
            const int y = methods.headerY + static_cast<int>(i) / width;
            changed.left = std::min(changed.left, x);
            changed.right = std::max(changed.right, x);
            changed.top = std::min(changed.top, y);
            changed.bottom = std::max(changed.bottom, y);
        }
        return std::pair(
            (changed.left + changed.right) / 2.0, (changed.top + changed.bottom) / 2.0);
    };
    // A square drawn at x, `square` - 2 wide, has its dot's middle here.
    const auto dotMiddle = [&](int x) { return x + (square - 2) / 2.0 - 0.5; };
    std::vector<COLORREF> before = header();
    EXPECT_TRUE(Click(right - 2 * square + 1, methods.headerY + 1));
    EXPECT_FALSE(box.showParams);
    auto dot = changedMiddle(before);
    EXPECT_NEAR(dot.first, dotMiddle(right - 2 * square), 0.5);
    EXPECT_NEAR(dot.second, dotMiddle(methods.headerY + 2), 0.5);
    before = header();
    EXPECT_TRUE(Click(right - square + 1, methods.headerY + 1));
    EXPECT_FALSE(box.showTypes);
    dot = changedMiddle(before);
    EXPECT_NEAR(dot.first, dotMiddle(right - square), 0.5);
}

TEST_F(DetailHierarchyTest, TypesHoldingTheSelectedOneStandFoldedInARowBelow)
{
    const DetailClassNode& tree = Show("T");
    ASSERT_EQ(tree.linked.size(), 2u);
    for (const DetailBox& box : tree.linked) {
        EXPECT_EQ(box.scope, project.Find("H"));
        EXPECT_FALSE(box.open);
        EXPECT_EQ(box.height, box.captionH + 4);
        EXPECT_EQ(box.y, tree.box.y + tree.box.height + 64);
    }
    EXPECT_FALSE(tree.linked[0].dottedLink); // T byValue
    EXPECT_TRUE(tree.linked[1].dottedLink); // T* byPointer
    EXPECT_EQ(size.cy, tree.linked[0].y + tree.linked[0].height + 12);

    // A type without bases, members or links is one box without a fold square.
    const DetailClassNode& empty = Show("C");
    EXPECT_TRUE(empty.bases.empty() && empty.linked.empty());
    EXPECT_EQ(empty.box.foldSize, 0);
    EXPECT_EQ(empty.box.x, 4);
    EXPECT_EQ(size, CSize(empty.box.width + 16, empty.box.height + 16));
}

namespace {

class DetailMembersTest : public DetailBoxTest {
protected:
    DetailMembersTest()
        : DetailBoxTest(R"(
struct M {
    int count;
    int (*handler)(int);
    void (*table[4])(void);
    void put(int a[4], int d = 5, const char* s, unsigned);
};
)")
    {
    }
};

} // namespace

// A pointer to a function is a member variable; a parameter shows all its
// tokens, array bounds and default value too.
TEST_F(DetailMembersTest, FunctionPointersAreAttributesAndParametersShowAllTheirTokens)
{
    const DetailBox& box = Show("M").box;
    std::vector<std::string> attributes;
    for (const DetailAttribute& line : box.attributes)
        attributes.push_back(line.text);
    EXPECT_EQ(attributes, (std::vector<std::string> {"+ count", "+ handler", "+ table"}));
    ASSERT_EQ(box.methods.size(), 1u);
    EXPECT_EQ(box.methods[0].params, " (int a [ 4 ], int d = 5, const char * s, unsigned)");
}
