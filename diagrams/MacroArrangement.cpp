#include "MacroArrangement.h"

#include "MacroLayout.h"

#include <span>

namespace {

struct Taking {
    const MacroArrangement& arrangement;
    size_t next = 0;
    size_t separator = 0;
    uint64_t digest = 0;
};

bool Take(std::span<MacroLayoutNode> nodes, Taking& taking)
{
    const MacroArrangement& arrangement = taking.arrangement;
    for (MacroLayoutNode& node : nodes) {
        if (taking.next >= arrangement.boxes.size())
            return false;
        const size_t at = taking.next++;
        node.boxW = arrangement.boxes[at].width;
        node.boxH = arrangement.boxes[at].height;
        const uint8_t marks = arrangement.marks[at];
        node.stackedMembers = (marks & MacroArrangement::kStackedMembers) != 0 ? 1 : 0;
        node.grouped = (marks & MacroArrangement::kGrouped) != 0 ? 1 : 0;
        if (taking.separator < arrangement.separators.size() &&
            arrangement.separators[taking.separator].first == at)
            node.separators = arrangement.separators[taking.separator++].second;
        else
            node.separators.clear();
        taking.digest = AddToLayoutDigest(taking.digest, node);
        if (!Take(node.children, taking))
            return false;
    }
    return true;
}

} // namespace

uint64_t AddToLayoutDigest(uint64_t digest, const MacroLayoutNode& node)
{
    for (const uint64_t word : {static_cast<uint64_t>(reinterpret_cast<uintptr_t>(node.scope)),
             static_cast<uint64_t>(node.children.size())})
        digest ^= word + 0x9e3779b97f4a7c15ULL + (digest << 6) + (digest >> 2);
    return digest;
}

bool TakeArrangement(std::vector<MacroLayoutNode>& nodes, const MacroArrangement& arrangement)
{
    Taking taking {arrangement};
    if (!Take(nodes, taking) || taking.next != arrangement.boxes.size() ||
        taking.digest != arrangement.digest)
        return false;
    PlaceLayoutNodes(nodes, arrangement.border, arrangement.autoSort);
    return true;
}
