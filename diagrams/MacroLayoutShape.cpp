#include "MacroLayoutShape.h"

namespace {

constexpr int kStopCheckNodes = 4096;

bool CopyShape(const std::vector<MacroLayoutNode>& from, std::vector<MacroLayoutNode>& to,
    const std::atomic<bool>& stop, int& untilCheck)
{
    to.reserve(from.size());
    for (const MacroLayoutNode& node : from) {
        if (--untilCheck <= 0) {
            if (stop.load(std::memory_order_relaxed))
                return false;
            untilCheck = kStopCheckNodes;
        }
        MacroLayoutNode& copy = to.emplace_back(node.scope);
        copy.absX = node.absX;
        copy.absY = node.absY;
        copy.foldMark = node.foldMark;
        copy.textW = node.textW;
        copy.textH = node.textH;
        copy.open = node.open;
        if (!CopyShape(node.children, copy.children, stop, untilCheck))
            return false;
    }
    return true;
}

void Record(const std::vector<MacroLayoutNode>& nodes, MacroArrangement& out)
{
    for (const MacroLayoutNode& node : nodes) {
        MacroArrangement::Box& box = out.boxes.emplace_back();
        box.scope = node.scope;
        box.children = static_cast<uint32_t>(node.children.size());
        box.relX = node.relX;
        box.relY = node.relY;
        box.absX = node.absX;
        box.absY = node.absY;
        box.boxW = node.boxW;
        box.boxH = node.boxH;
        box.stackedMembers = node.stackedMembers;
        box.grouped = node.grouped;
        if (!node.separators.empty()) {
            box.separators = static_cast<int32_t>(out.separators.size());
            out.separators.push_back(node.separators);
        }
        Record(node.children, out);
    }
}

bool Take(std::vector<MacroLayoutNode>& nodes, const MacroArrangement& arrangement, size_t& next)
{
    for (MacroLayoutNode& node : nodes) {
        if (next >= arrangement.boxes.size())
            return false;
        const MacroArrangement::Box& box = arrangement.boxes[next++];
        if (box.scope != node.scope || box.children != node.children.size())
            return false;
        if (box.separators >= 0)
            node.separators = arrangement.separators[static_cast<size_t>(box.separators)];
        else
            node.separators.clear();
        node.relX = box.relX;
        node.relY = box.relY;
        node.absX = box.absX;
        node.absY = box.absY;
        node.boxW = box.boxW;
        node.boxH = box.boxH;
        node.stackedMembers = box.stackedMembers;
        node.grouped = box.grouped;
        if (!Take(node.children, arrangement, next))
            return false;
    }
    return true;
}

size_t CountNodes(const std::vector<MacroLayoutNode>& nodes)
{
    size_t count = nodes.size();
    for (const MacroLayoutNode& node : nodes)
        count += CountNodes(node.children);
    return count;
}

} // namespace

bool CopyLayoutShape(const std::vector<MacroLayoutNode>& from, std::vector<MacroLayoutNode>& to,
    const std::atomic<bool>& stop)
{
    int untilCheck = 0;
    return CopyShape(from, to, stop, untilCheck);
}

MacroArrangement RecordArrangement(const std::vector<MacroLayoutNode>& arranged)
{
    MacroArrangement out;
    out.boxes.reserve(CountNodes(arranged));
    Record(arranged, out);
    return out;
}

bool TakeArrangement(std::vector<MacroLayoutNode>& nodes, const MacroArrangement& arrangement)
{
    size_t next = 0;
    return Take(nodes, arrangement, next) && next == arrangement.boxes.size();
}
