#include "MacroLayoutTree.h"

#include "ElementStyleTable.h"
#include "MacroGroups.h"
#include "ShownText.h"
#include "ModelScope.h"
#include "UnitKind.h"
#include "TextBatch.h"
#include "TextMeasurer.h"
#include "VisualSetting.h"

#include <algorithm>
#include <deque>
#include <span>
#include <string>
#include <thread>

namespace {

bool IsMemberListKind(int32_t kind)
{
    return kind == UNIT_CLASS || kind == UNIT_STRUCT || kind == UNIT_UNION ||
        kind == UNIT_PLACEHOLDER;
}

// Where a namespace's or the root's child goes: among the other members,
// or into one of the two groups.
enum ChildGroup { kNoGroup, kVariableGroup, kFunctionGroup };

ChildGroup GroupOf(const CModelScope& child)
{
    const int32_t category = GetUnitCategory(child.kind);
    if (category == UNIT_VARIABLE || child.kind == UNIT_ENUM)
        return kVariableGroup;
    if (category == UNIT_FUNCTION)
        return kFunctionGroup;
    return kNoGroup;
}

MacroLayoutNode MakeNode(CModelScope* child, MacroGroups& groups)
{
    MacroLayoutNode node(child);
    std::vector<MacroLayoutNode> children;
    BuildLayoutTree(child, children, groups);
    node.children = std::move(children);
    return node;
}

// Measures the captions of the nodes it is given in runs: a run's names are
// measured together, on several threads when there are many of them.
//
// The names of a tree of up to kStoredNodes nodes are measured through the
// process-wide store of extents, where the next build (a reopen, another
// Draw) finds them. A bigger tree goes past it, on several threads: it may
// hold millions of names, mostly met once, which kept there would take
// about as much memory as the tree and push out the texts other views
// repeat.
class CaptionMeasure {
public:
    // Nodes measured together.
    static constexpr size_t kRun = 16384;
    // The most nodes a tree may have for its names to be kept.
    static constexpr size_t kStoredNodes = 65536;

    CaptionMeasure(
        CVisualSetting& fonts, const ElementStyleTable& style, CDC* dc, int border, bool stored)
        : fonts_(fonts), style_(style), dc_(dc), border_(border), stored_(stored)
    {
    }

    void Add(MacroLayoutNode& node)
    {
        const CModelScope* scope = node.scope;
        std::string_view name;
        if (scope != nullptr) {
            // The name as the box shows it: a name of megabytes is measured
            // only as far as it shows.
            std::string room;
            name = ShownLine(scope->name, room);
            if (!room.empty())
                name = rooms_.emplace_back(std::move(room));
        }
        nodes_.push_back(&node);
        texts_.push_back({FontOf(scope), name});
        if (nodes_.size() == kRun)
            Flush();
    }

    // Measures what was added.
    void Flush()
    {
        const TextMeasurer& measurer = stored_ ? GetTextMeasurer() : GetTextMeasurer().Uncached();
        // Names the store holds (a reopen, a Draw after the first) are found
        // on this thread sooner than threads would make their own fonts;
        // names measured for the first time are shared out.
        const unsigned threads = texts_.size() < TextBatch::kParallelTexts || MostlyKnown(measurer)
            ? 1
            : std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
        const std::vector<CSize> extents = TextBatch::Measure(texts_, threads, measurer);
        for (size_t i = 0; i < nodes_.size(); ++i)
            Size(*nodes_[i], extents[i]);
        nodes_.clear();
        texts_.clear();
        rooms_.clear();
    }

private:
    // Whether the store holds most of a sample of the names.
    bool MostlyKnown(const TextMeasurer& measurer) const
    {
        if (!stored_)
            return false;
        constexpr size_t kSample = 64;
        std::vector<TextInFont> sample;
        sample.reserve(kSample);
        const size_t step = std::max<size_t>(1, texts_.size() / kSample);
        for (size_t i = 0; i < texts_.size() && sample.size() < kSample; i += step)
            sample.push_back(texts_[i]);
        return measurer.CountKnown(sample) * 4 >= sample.size() * 3;
    }

    // The font the node's caption is measured in: that of its kind (the
    // default font for an element without units), or the context's own
    // when that one was never made; none without a context.
    const CFont* FontOf(const CModelScope* scope) const
    {
        if (dc_ == nullptr)
            return nullptr;
        const int32_t category = scope != nullptr ? GetUnitCategory(scope->kind) : 0;
        // The groups have no units of their own but are drawn in the font of
        // their kind, so they are measured in it too.
        const bool group = scope != nullptr &&
            (scope->kind == UNIT_GLOBAL_FUNCTIONS || scope->kind == UNIT_GLOBAL_VARIABLES);
        const bool hasUnits =
            scope != nullptr && (!scope->declarations.empty() || !scope->definitions.empty());
        const CFontHolder& holder =
            hasUnits || group ? fonts_.GetItemFont(category) : fonts_.defaultFont;
        return holder.font != nullptr && holder.font->IsCreated() ? holder.font.get()
                                                                  : dc_->GetCurrentFont();
    }

    void Size(MacroLayoutNode& node, CSize size) const
    {
        const int32_t category = node.scope != nullptr ? GetUnitCategory(node.scope->kind) : 0;
        if (size.cx > 0 && size.cy > 0) {
            size.cx += 2 + 2 * border_;
            size.cy += 2 + 2 * border_;
        }
        if (category == UNIT_FUNCTION && style_.ContentType == 4)
            size.cx += size.cy;
        node.textW = size.cx;
        node.textH = size.cy;
        node.boxW = size.cx;
        node.boxH = size.cy;
        node.foldMark = 0;
        if (node.HasChildren()) {
            node.foldMark = node.textH - 4;
            node.textW += node.foldMark;
        }
        node.DropCache();
    }

    CVisualSetting& fonts_;
    const ElementStyleTable& style_;
    CDC* dc_;
    int border_;
    std::vector<MacroLayoutNode*> nodes_;
    std::vector<TextInFont> texts_;
    std::deque<std::string> rooms_; // the cut names of the run
    bool stored_;
};

// Whether the tree has at most `most` nodes.
bool AtMost(std::span<const MacroLayoutNode> nodes, size_t& most)
{
    if (nodes.size() > most)
        return false;
    most -= nodes.size();
    for (const MacroLayoutNode& node : nodes) {
        if (!AtMost(node.children, most))
            return false;
    }
    return true;
}

bool MeasureAll(
    std::span<MacroLayoutNode> nodes, CaptionMeasure& measure, const std::atomic<bool>* stop)
{
    for (MacroLayoutNode& node : nodes) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed))
            return false;
        measure.Add(node);
        if (!MeasureAll(node.children, measure, stop))
            return false;
    }
    return true;
}

bool BoxHolds(const MacroLayoutNode& node, CPoint p)
{
    return p.x >= node.absX && p.x <= node.absX + node.boxW && p.y >= node.absY &&
        p.y <= node.absY + node.ShownHeight();
}

void HitTestInto(std::span<MacroLayoutNode> nodes, CPoint point, MacroLayoutNode*& best)
{
    for (MacroLayoutNode& node : nodes) {
        if (!BoxHolds(node, point))
            continue;
        if (best == nullptr || node.number >= best->number)
            best = &node;
        if (node.open)
            HitTestInto(node.children, point, best);
    }
}

} // namespace

MacroGroups::MacroGroups()
{
    functions.name = "Global Function(s)";
    functions.kind = UNIT_GLOBAL_FUNCTIONS;
    variables.name = "Global Variable(s)";
    variables.kind = UNIT_GLOBAL_VARIABLES;
}

void BuildLayoutTree(CModelScope* element, std::vector<MacroLayoutNode>& out, MacroGroups& groups)
{
    if (element == nullptr || !element->scopeChildren || element->scopeChildren->empty())
        return;
    if (IsMemberListKind(element->kind)) {
        out.reserve(out.size() + element->scopeChildren->size());
        for (const auto& child : *element->scopeChildren)
            out.push_back(MakeNode(child, groups));
        return;
    }
    // Each vector gets the room it takes and no more: a namespace of
    // millions of variables would otherwise hold room for them twice over.
    size_t counts[3] = {};
    for (const auto& child : *element->scopeChildren)
        ++counts[GroupOf(*child)];
    MacroLayoutNode variables(&groups.variables);
    MacroLayoutNode functions(&groups.functions);
    variables.children.reserve(counts[kVariableGroup]);
    functions.children.reserve(counts[kFunctionGroup]);
    out.reserve(out.size() + counts[kNoGroup] + (counts[kVariableGroup] > 0 ? 1 : 0) +
        (counts[kFunctionGroup] > 0 ? 1 : 0));
    for (const auto& child : *element->scopeChildren) {
        MacroLayoutNode node = MakeNode(child, groups);
        switch (GroupOf(*child)) {
        case kVariableGroup:
            variables.children.push_back(std::move(node));
            break;
        case kFunctionGroup:
            functions.children.push_back(std::move(node));
            break;
        default:
            out.push_back(std::move(node));
            break;
        }
    }
    if (!variables.children.empty())
        out.push_back(std::move(variables));
    if (!functions.children.empty())
        out.push_back(std::move(functions));
}

int BuildMacroLayout(CModelScope* root, std::vector<MacroLayoutNode>& nodes, MacroGroups& groups)
{
    nodes.clear();
    BuildLayoutTree(root, nodes, groups);
    int count = 0;
    NumberLayoutNodes(count, nodes);
    return count;
}

bool MeasureLayout(std::vector<MacroLayoutNode>& nodes, CVisualSetting& fonts,
    const ElementStyleTable& style, CDC* dc, int border, const std::atomic<bool>* stop)
{
    fonts.AttachDC(dc);
    size_t most = CaptionMeasure::kStoredNodes;
    CaptionMeasure measure(fonts, style, dc, border, AtMost(nodes, most));
    if (!MeasureAll(nodes, measure, stop))
        return false; // the nodes of the run begun are left as they are
    measure.Flush();
    return true;
}

MacroLayoutNode* HitTestMacroNodes(std::vector<MacroLayoutNode>& nodes, CPoint point)
{
    MacroLayoutNode* best = nullptr;
    HitTestInto(nodes, point, best);
    return best;
}
