#include "MacroViewTest.h"

#include "CachingTextMeasurer.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <tuple>

namespace {

using MacroLayoutTest = MacroViewTest;

std::vector<std::string> Names(const std::vector<MacroLayoutNode>& nodes)
{
    std::vector<std::string> names;
    for (const auto& node : nodes)
        names.push_back(node.scope->name);
    return names;
}

} // namespace

TEST_F(MacroLayoutTest, EmptyTopLevelTakesNoRoom)
{
    std::vector<MacroLayoutNode> nodes = Build();
    EXPECT_TRUE(nodes.empty());
    EXPECT_EQ(Arrange(nodes), CSize(0, 0));
}

TEST_F(MacroLayoutTest, TreeGroupsGlobalsAndKeepsClassMembers)
{
    CModelScope* ns = model.Add(nullptr, "ns", UNIT_NAMESPACE);
    model.Add(ns, "Colour", UNIT_ENUM);
    model.Add(ns, "counter", UNIT_VARIABLE);
    model.Add(ns, "run", UNIT_FUNCTION);
    CModelScope* cls = model.Add(ns, "Shape", UNIT_CLASS);
    model.Add(cls, "Kind", UNIT_ENUM);
    model.Add(cls, "area", UNIT_FUNCTION, ACCESS_PUBLIC);
    model.Add(nullptr, "main", UNIT_FUNCTION);

    std::vector<MacroLayoutNode> nodes = Build();
    ASSERT_EQ(Names(nodes), (std::vector<std::string> {"ns", "Global Function(s)"}));
    const MacroLayoutNode& nsNode = nodes[0];
    ASSERT_EQ(Names(nsNode.children),
        (std::vector<std::string> {"Shape", "Global Variable(s)", "Global Function(s)"}));
    EXPECT_EQ(Names(nsNode.children[1].children), (std::vector<std::string> {"Colour", "counter"}));
    EXPECT_EQ(Names(nsNode.children[0].children), (std::vector<std::string> {"Kind", "area"}));
    EXPECT_EQ(nsNode.children[1].scope->kind, UNIT_GLOBAL_VARIABLES);
    EXPECT_EQ(nodes[1].scope->kind, UNIT_GLOBAL_FUNCTIONS);
    // New nodes are closed and numbered depth first.
    EXPECT_EQ(nodes[0].open, 0);
    EXPECT_EQ(nodes[0].number, 0);
    EXPECT_EQ(nsNode.children[0].number, 1);
    EXPECT_EQ(nsNode.children[0].children[1].number, 3);
    EXPECT_EQ(nodes[1].number, 9);
}

// A namespace of millions of variables makes a tree of millions of nodes:
// no vector of it holds room for more nodes than it has.
TEST_F(MacroLayoutTest, EveryVectorOfTheTreeHoldsRoomForItsNodesOnly)
{
    CModelScope* ns = model.Add(nullptr, "ns", UNIT_NAMESPACE);
    for (int i = 0; i < 9; ++i) {
        model.Add(nullptr, "v" + std::to_string(i), UNIT_VARIABLE);
        model.Add(ns, "f" + std::to_string(i), UNIT_FUNCTION);
    }
    model.Add(ns, "Kind", UNIT_ENUM);
    CModelScope* cls = model.Add(ns, "Shape", UNIT_CLASS);
    model.Add(cls, "area", UNIT_FUNCTION);
    model.Add(cls, "sides", UNIT_VARIABLE);

    const std::vector<MacroLayoutNode> nodes = Tree();
    int vectors = 0;
    const auto check = [&vectors](
                           const auto& self, const std::vector<MacroLayoutNode>& list) -> void {
        ++vectors;
        EXPECT_EQ(list.capacity(), list.size());
        for (const MacroLayoutNode& node : list)
            self(self, node.children);
    };
    check(check, nodes);
    EXPECT_EQ(vectors, 1 + 26) << "the root's and every node's";
}

// A file of millions of declarations makes as many nodes: a node keeps its
// rarely used separators, and the children that nearly no node has, behind
// one pointer each.
TEST_F(MacroLayoutTest, ANodeTakesNoMoreThanItsFields)
{
    EXPECT_LE(sizeof(MacroLayoutNode), 80u);
    model.Add(model.Add(nullptr, "Shape", UNIT_CLASS), "area", UNIT_FUNCTION);
    model.Add(model.Add(nullptr, "Kind", UNIT_STRUCT), "size", UNIT_VARIABLE);
    std::vector<MacroLayoutNode> nodes = Build();
    nodes[0].separators = std::vector<int> {3, 8};
    const MacroLayoutNode copy = nodes[0];
    nodes[0].separators.clear();
    EXPECT_EQ(copy.separators, (std::vector<int> {3, 8})) << "a copy has its own";
    EXPECT_TRUE(nodes[0].separators.empty());
    EXPECT_EQ(nodes[1].separators, std::vector<int> {});
}

TEST_F(MacroLayoutTest, MeasuringAddsBorderFoldMarkerAndFunctionMark)
{
    CModelScope* cls = model.Add(nullptr, "Shape", UNIT_CLASS);
    model.Add(cls, "area", UNIT_FUNCTION);
    std::vector<MacroLayoutNode> nodes = Build();
    // 5 chars x 6 + 2 + 2 x border, height 10 + 4, then the fold marker.
    EXPECT_EQ(nodes[0].textH, 14);
    EXPECT_EQ(nodes[0].foldMark, 10);
    EXPECT_EQ(nodes[0].textW, 34 + 10);
    EXPECT_EQ(nodes[0].children[0].textW, 28);
    EXPECT_EQ(nodes[0].children[0].foldMark, 0);

    style.ContentType = 4; // room for the function mark
    Measure(nodes);
    EXPECT_EQ(nodes[0].children[0].textW, 28 + 14);
    EXPECT_EQ(nodes[0].textW, 44);
}

// A stop request ends the measuring at the next caption: the nodes after it
// keep what they had.
TEST_F(MacroLayoutTest, MeasuringStopsOnRequest)
{
    CModelScope* cls = model.Add(nullptr, "Shape", UNIT_CLASS);
    model.Add(cls, "area", UNIT_FUNCTION);
    std::vector<MacroLayoutNode> nodes = Tree();
    std::atomic<bool> stop {true};
    EXPECT_FALSE(MeasureLayout(nodes, fonts, style, &dc, 1, &stop));
    EXPECT_EQ(nodes[0].textW, 0);
    stop = false;
    EXPECT_TRUE(MeasureLayout(nodes, fonts, style, &dc, 1, &stop));
    EXPECT_EQ(nodes[0].children[0].textW, 28);
}

TEST_F(MacroLayoutTest, SortBySizeAndByName)
{
    CModelScope* ns = model.Add(nullptr, "zone", UNIT_NAMESPACE);
    model.Add(ns, "inner", UNIT_CLASS);
    model.Add(nullptr, "Zeta", UNIT_STRUCT);
    CModelScope* big = model.Add(nullptr, "Alpha", UNIT_CLASS);
    model.Add(big, "x", UNIT_VARIABLE, ACCESS_PUBLIC);
    model.Add(big, "b", UNIT_VARIABLE, ACCESS_PUBLIC);
    model.Add(big, "c", UNIT_VARIABLE, ACCESS_PRIVATE);
    model.Add(big, "d", UNIT_VARIABLE);
    model.Add(big, "e", UNIT_VARIABLE, ACCESS_PROTECTED);
    model.Add(big, "go", UNIT_FUNCTION, ACCESS_PRIVATE);
    model.Add(nullptr, "Beta", UNIT_CLASS);
    model.Add(nullptr, "v", UNIT_VARIABLE);
    model.Add(nullptr, "f", UNIT_FUNCTION);

    std::vector<MacroLayoutNode> nodes = Build();
    Arrange(nodes);
    EXPECT_EQ(Names(nodes),
        (std::vector<std::string> {
            "Alpha", "Beta", "Zeta", "zone", "Global Variable(s)", "Global Function(s)"}));
    EXPECT_EQ(Names(nodes[0].children), (std::vector<std::string> {"b", "c", "d", "e", "x", "go"}));

    options.sort = 0;
    Arrange(nodes);
    // By size: Beta (no members) before Alpha; members by access none, private, protected, public.
    EXPECT_EQ(Names(nodes),
        (std::vector<std::string> {
            "Beta", "Alpha", "Zeta", "zone", "Global Variable(s)", "Global Function(s)"}));
    EXPECT_EQ(Names(nodes[1].children), (std::vector<std::string> {"d", "c", "e", "b", "x", "go"}));

    options.sort = 7; // no sorting at all
    std::swap(nodes[0], nodes[1]);
    Arrange(nodes);
    EXPECT_EQ(nodes[0].scope->name, "Alpha");
}

// Sorting every sibling list gives the order a stable sort of the nodes
// themselves gives, ties (overloads: same kind and name) included.
TEST_F(MacroLayoutTest, SortingKeepsTiesInTheirOrder)
{
    const int32_t kinds[] = {UNIT_CLASS, UNIT_VARIABLE, UNIT_FUNCTION};
    const char* names[] = {"a", "B", "b"};
    std::vector<CModelScope*> scopes;
    for (int i = 0; i < 60; ++i) {
        // Each under a parent of its own, so that equal names stay apart.
        CModelScope* parent = model.Add(nullptr, "p" + std::to_string(i), UNIT_NAMESPACE);
        scopes.push_back(model.Add(parent, names[(i * 7) % 3], kinds[(i * 5) % 3], i % 4));
    }
    std::vector<MacroLayoutNode> tree;
    int number = 0;
    for (int i = 0; i < 60; ++i) {
        MacroLayoutNode& node = tree.emplace_back(scopes[static_cast<size_t>(i)]);
        node.number = number++;
        for (int c = 0; c < i % 3; ++c)
            node.children.emplace_back(scopes[static_cast<size_t>((i * 11 + c) % 60)]).number =
                number++;
    }
    auto numbers = [](const std::vector<MacroLayoutNode>& nodes) {
        std::vector<int> out;
        for (const MacroLayoutNode& node : nodes) {
            out.push_back(node.number);
            for (const MacroLayoutNode& child : node.children)
                out.push_back(child.number);
        }
        return out;
    };
    // As they come, and in name order (as an element's children come).
    std::vector<MacroLayoutNode> named = tree;
    const auto byName = [](const MacroLayoutNode& a, const MacroLayoutNode& b) {
        return a.scope->name < b.scope->name;
    };
    std::stable_sort(named.begin(), named.end(), byName);
    for (MacroLayoutNode& node : named)
        std::stable_sort(node.children.begin(), node.children.end(), byName);
    for (const std::vector<MacroLayoutNode>* input : {&tree, &named}) {
        for (int mode : {0, 1}) {
            std::vector<MacroLayoutNode> sorted = *input;
            SortLayoutNodes(sorted, mode);
            std::vector<MacroLayoutNode> expected = *input;
            const auto less = mode == 0 ? LessBySize : LessByName;
            std::stable_sort(expected.begin(), expected.end(), less);
            for (MacroLayoutNode& node : expected)
                std::stable_sort(node.children.begin(), node.children.end(), less);
            EXPECT_EQ(numbers(sorted), numbers(expected)) << "mode " << mode;
        }
    }
}

TEST_F(MacroLayoutTest, StackedMembersGroupAndSeparate)
{
    CModelScope* cls = model.Add(nullptr, "C", UNIT_CLASS);
    model.Add(cls, "a", UNIT_VARIABLE);
    model.Add(cls, "b", UNIT_VARIABLE);
    model.Add(cls, "f", UNIT_FUNCTION);
    std::vector<MacroLayoutNode> nodes = Build();

    // In a class: gap 4, step 5. "a" is 10 by 14 measured, its box 12 by 16.
    Arrange(nodes, 1000, 4, 0);
    const MacroLayoutNode& c = nodes[0];
    ASSERT_EQ(Names(c.children), (std::vector<std::string> {"a", "b", "f"}));
    EXPECT_EQ(c.children[0].relY, 10);
    EXPECT_EQ(c.children[1].relY, 29);
    EXPECT_EQ(c.children[2].relY, 51); // after the separator: + border + 2
    // Under "b" as shown: closed, it shows its 14-high caption.
    EXPECT_EQ(c.separators, std::vector<int> {29 + 14 + 2 + 1});
    EXPECT_EQ(c.children[0].relX, 5);
    EXPECT_EQ(c.stackedMembers, 1);
    EXPECT_EQ(c.boxW, 23);
    EXPECT_EQ(c.boxH, 14 + 70 + 2);
    EXPECT_EQ(c.children[0].grouped, 0);

    Arrange(nodes, 1000, 4, 1); // joined: b starts where a's caption ends
    EXPECT_EQ(c.children[1].relY, c.children[0].relY + c.children[0].textH);
    EXPECT_EQ(c.children[0].grouped, 1);
    EXPECT_EQ(c.children[1].grouped, 1);
    EXPECT_EQ(c.children[2].grouped, 0);

    Arrange(nodes, 1000, 4, 2); // one shared border line
    EXPECT_EQ(c.children[1].relY, c.children[0].relY + c.children[0].textH - 1);
}

TEST_F(MacroLayoutTest, FlowWrapsAtTheViewWidthAndOnKindChange)
{
    for (const char* name : {"Aaaa", "Bbbb", "Cccc"})
        model.Add(nullptr, name, UNIT_CLASS);
    model.Add(nullptr, "Ssss", UNIT_STRUCT);
    std::vector<MacroLayoutNode> nodes = Build();
    // Top level: gap 12, step 13; each closed class box is 30 wide, its caption 14 high.
    CSize size = Arrange(nodes, 1000);
    EXPECT_EQ(nodes[0].relX, 13);
    EXPECT_EQ(nodes[1].relX, 13 + 30 + 1 + 12);
    EXPECT_EQ(nodes[2].relY, nodes[0].relY);
    EXPECT_EQ(nodes[3].relX, 13); // a struct starts a new row
    EXPECT_EQ(nodes[3].relY, 13 + 13 + 14);
    EXPECT_EQ(size.cy, nodes[3].relY + 14 + 12);

    // Three class boxes and the room after each take 13 + 3 x 43 = 142: at
    // 141 the third wraps, so that the picture never outgrows the view.
    EXPECT_EQ(Arrange(nodes, 142).cx, 142);
    EXPECT_EQ(nodes[2].relY, nodes[0].relY);
    EXPECT_LE(Arrange(nodes, 141).cx, 141);
    EXPECT_GT(nodes[2].relY, nodes[0].relY);

    // Narrower than any cell: still one cell per row.
    Arrange(nodes, 5);
    EXPECT_EQ(nodes[0].relY, 13 + 13);
    EXPECT_EQ(nodes[1].relY, nodes[0].relY + 13 + 14);
    EXPECT_EQ(nodes[1].relX, 13);
}

TEST_F(MacroLayoutTest, FixedSizeArrangeGivesOneCellWidthPerKind)
{
    model.Add(nullptr, "A", UNIT_CLASS);
    model.Add(nullptr, "Bbbbbbbbbb", UNIT_CLASS);
    model.Add(nullptr, "C", UNIT_CLASS);
    std::vector<MacroLayoutNode> nodes = Build();
    options.fixedSizeArrange = true;
    Arrange(nodes);
    const int widest = nodes[1].boxW;
    const int cell = widest + 13;
    EXPECT_EQ(nodes[1].relX - nodes[0].relX, 1 + 12 + cell);
    EXPECT_EQ(nodes[2].relX - nodes[1].relX, 1 + 12 + cell);
}

TEST_F(MacroLayoutTest, ClosedNodeAddsOnlyItsCaption)
{
    CModelScope* ns = model.Add(nullptr, "ns", UNIT_NAMESPACE);
    model.Add(ns, "K", UNIT_CLASS);
    model.Add(nullptr, "Other", UNIT_NAMESPACE);
    std::vector<MacroLayoutNode> nodes = Build();
    Arrange(nodes, 30); // one per row
    EXPECT_EQ(nodes[1].relY - nodes[0].relY, 13 + nodes[0].textH);
    SetNodeOpen(nodes[0], true);
    Arrange(nodes, 30);
    EXPECT_EQ(nodes[1].relY - nodes[0].relY, 13 + nodes[0].boxH);
    EXPECT_GT(nodes[0].boxH, nodes[0].textH);
}

TEST_F(MacroLayoutTest, PlacingAllOrLeavesOnly)
{
    CModelScope* ns = model.Add(nullptr, "ns", UNIT_NAMESPACE);
    model.Add(ns, "Colour", UNIT_ENUM);
    std::vector<MacroLayoutNode> nodes = Build();
    SetAllNodesOpen(nodes, true);
    Arrange(nodes);
    MacroLayoutNode& group = nodes[0].children[0];
    MacroLayoutNode& leaf = group.children[0];
    EXPECT_EQ(nodes[0].absX, nodes[0].relX);
    EXPECT_EQ(group.absY, nodes[0].absY + nodes[0].textH + 1 + group.relY);
    EXPECT_EQ(leaf.absX, group.absX + leaf.relX);

    // Leaves only: the dragged containers keep their place, leaves follow them.
    options.autoSort = false;
    nodes[0].absX = 300;
    group.absX = 320;
    group.absY = 200;
    Arrange(nodes);
    EXPECT_EQ(nodes[0].absX, 300);
    EXPECT_EQ(group.absX, 320);
    EXPECT_EQ(leaf.absX, 320 + leaf.relX);
    EXPECT_EQ(leaf.absY, 200 + group.textH + 1 + leaf.relY);
}

TEST_F(MacroLayoutTest, HitTestFindsInnerItemsTopmostFirst)
{
    CModelScope* cls = model.Add(nullptr, "Shape", UNIT_CLASS);
    model.Add(cls, "area", UNIT_FUNCTION);
    std::vector<MacroLayoutNode> nodes = Build();
    Arrange(nodes);
    MacroLayoutNode& member = nodes[0].children[0];
    // Closed: only the caption counts, the member is not shown.
    EXPECT_EQ(HitTestMacroNodes(nodes, {nodes[0].absX + 1, nodes[0].absY + 1}), &nodes[0]);
    SetAllNodesOpen(nodes, true);
    Arrange(nodes);
    EXPECT_EQ(HitTestMacroNodes(nodes, {member.absX + 2, member.absY + 2}), &member);
    EXPECT_EQ(HitTestMacroNodes(nodes, {nodes[0].absX + 1, nodes[0].absY + 1}), &nodes[0]);
    EXPECT_EQ(HitTestMacroNodes(nodes, {nodes[0].absX + nodes[0].boxW, nodes[0].absY}), &nodes[0]);
    EXPECT_EQ(
        HitTestMacroNodes(nodes, {nodes[0].absX + nodes[0].boxW + 1, nodes[0].absY}), nullptr);
}

TEST_F(MacroLayoutTest, CopiesOwnNoBitmap)
{
    model.Add(nullptr, "A", UNIT_CLASS);
    std::vector<MacroLayoutNode> nodes = Build();
    int32_t counter = 1;
    nodes[0].boxCache = std::make_unique<MacroBoxCache>(&counter);
    nodes[0].cached = 1;
    MacroLayoutNode copy = nodes[0];
    EXPECT_EQ(copy.cached, 0);
    EXPECT_EQ(copy.boxCache, nullptr);
    Measure(nodes); // measuring drops the bitmap
    EXPECT_EQ(nodes[0].cached, 0);
    EXPECT_EQ(counter, 0);
}

// Text as wide as the font's size in pixels, a character each.
class SizeTimesLengthMeasurer : public TextMeasurer {
public:
    CSize Measure(const CFont& font, std::string_view text) const override
    {
        const int size = font.IsCreated() ? std::abs(font.Description().height) : 1;
        return {static_cast<int>(text.size()) * size, size};
    }
};

TEST_F(MacroLayoutTest, GroupCaptionsAreMeasuredInTheFontTheyAreDrawnIn)
{
    ScopedTextMeasurer sized {std::make_shared<SizeTimesLengthMeasurer>()};
    fonts.GetItemFont(UNIT_FUNCTION).Create("DejaVu Sans", 14, 1);
    fonts.defaultFont.Create("DejaVu Sans", 8, 0);
    model.Add(nullptr, "main", UNIT_FUNCTION);
    std::vector<MacroLayoutNode> nodes = Build();
    ASSERT_EQ(Names(nodes), std::vector<std::string> {"Global Function(s)"});
    CFontHolder& drawn = fonts.GetItemFont(UNIT_FUNCTION);
    drawn.SelectInto();
    const CSize caption = drawn.GetTextExtent("Global Function(s)");
    drawn.Restore();
    EXPECT_EQ(nodes[0].textH, caption.cy + 2 + 2);
}

// A tree of many boxes is measured in runs, on several threads: every box
// comes out as it does measured on its own.
TEST_F(MacroLayoutTest, ManyCaptionsAreMeasuredAsOneAlone)
{
    CModelScope* ns = model.Add(nullptr, "ns", UNIT_NAMESPACE);
    for (int i = 0; i < 40000; ++i)
        model.Add(i % 2 == 0 ? nullptr : ns, std::string(1 + i % 7, 'a') + std::to_string(i),
            i % 3 == 0 ? UNIT_FUNCTION : UNIT_VARIABLE);
    model.Add(ns, std::string(5000, 'z'), UNIT_VARIABLE);
    model.Add(model.Add(nullptr, "Shape", UNIT_CLASS), "area", UNIT_FUNCTION);
    style.ContentType = 4;
    // Widths that tell the fonts apart.
    ScopedTextMeasurer sized {std::make_shared<SizeTimesLengthMeasurer>()};
    fonts.GetItemFont(UNIT_FUNCTION).Create("DejaVu Sans", 14, 1);
    fonts.GetItemFont(UNIT_VARIABLE).Create("DejaVu Sans", 9, 0);

    std::vector<MacroLayoutNode> nodes = Build();
    std::vector<const MacroLayoutNode*> all;
    const auto collect = [&all](
                             const auto& self, const std::vector<MacroLayoutNode>& list) -> void {
        for (const MacroLayoutNode& node : list) {
            all.push_back(&node);
            self(self, node.children);
        }
    };
    collect(collect, nodes);
    ASSERT_GT(all.size(), 40000u);
    for (const MacroLayoutNode* node : all) {
        std::vector<MacroLayoutNode> alone(1, *node);
        Measure(alone);
        ASSERT_EQ(std::tie(node->textW, node->textH, node->foldMark, node->boxW, node->boxH),
            std::tie(
                alone[0].textW, alone[0].textH, alone[0].foldMark, alone[0].boxW, alone[0].boxH))
            << node->scope->name.substr(0, 20);
    }
}

// The names of a tree of tens of thousands of boxes stay in the process-wide
// store of extents, for the next build to find; those of a bigger one go
// past it: millions of them would take as much memory as the tree.
TEST_F(MacroLayoutTest, OnlyASmallTreeKeepsItsNamesInTheStore)
{
    class CountingMeasurer : public FixedWidthTextMeasurer {
    public:
        CountingMeasurer() : FixedWidthTextMeasurer(6, 10) { }
        CSize Measure(const CFont& font, std::string_view text) const override
        {
            ++calls;
            return FixedWidthTextMeasurer::Measure(font, text);
        }
        mutable std::atomic<int> calls {0};
    };
    auto counting = std::make_shared<CountingMeasurer>();
    ScopedTextMeasurer caching {std::make_shared<CachingTextMeasurer>(counting)};
    const CFont* font = fonts.GetItemFont(UNIT_VARIABLE).font.get();
    ASSERT_TRUE(font != nullptr && font->IsCreated());
    const auto kept = [&](const std::string& name) {
        const int calls = counting->calls;
        GetTextMeasurer().Measure(*font, name);
        return counting->calls == calls;
    };

    model.Add(nullptr, "counter", UNIT_VARIABLE);
    std::vector<MacroLayoutNode> nodes = Build();
    ASSERT_EQ(nodes[0].children[0].textW, 6 * 7 + 4);
    EXPECT_TRUE(kept("counter"));

    // Measured in more than one run.
    for (int i = 0; i < 20000; ++i)
        model.Add(nullptr, "v" + std::to_string(i), UNIT_VARIABLE);
    nodes = Build();
    ASSERT_EQ(nodes[0].children.size(), 20001u);
    EXPECT_TRUE(kept("v9999"));
    EXPECT_TRUE(kept("v19999"));
    // Built again, the tree's names are all found.
    const int calls = counting->calls;
    nodes = Build();
    EXPECT_EQ(counting->calls, calls);

    for (int i = 20000; i < 70000; ++i)
        model.Add(nullptr, "v" + std::to_string(i), UNIT_VARIABLE);
    nodes = Build();
    ASSERT_EQ(nodes[0].children.size(), 70001u);
    const MacroLayoutNode& last = nodes[0].children.back();
    EXPECT_EQ(last.textW, 6 * static_cast<int>(last.scope->name.size()) + 4);
    EXPECT_FALSE(kept("v69999"));
}

TEST_F(MacroLayoutTest, ArrangingStopsOnRequest)
{
    CModelScope* cls = model.Add(nullptr, "Shape", UNIT_CLASS);
    model.Add(cls, "area", UNIT_FUNCTION);
    std::vector<MacroLayoutNode> nodes = Build();
    std::atomic<bool> stop {true};
    CMacroLayout layout(nodes, 1, 4, 1000, 0, options);
    layout.stop = &stop;
    layout.Arrange();
    EXPECT_EQ(nodes[0].relX, 0) << "no box placed";
    EXPECT_EQ(nodes[0].separators.size(), 0u);
    stop = false;
    layout.Arrange();
    EXPECT_GT(nodes[0].relX, 0);
}
