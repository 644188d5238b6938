#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CFlowItem;
class CUnit;

// One block of a Nassi-Shneiderman diagram, made from one statement item:
// its place and size in pixels, its header text and the blocks inside it.
//
// The kind is the kind of the item's first unit when that is if (33),
// else-if (34), else (35), for (36), while (37), do-while (38), switch (43),
// case (45), default (46), try (47) or catch (48); every other statement is
// a plain block (49) showing its text. The root block has kind 59.
struct NSDBlock {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int textWidth = 0; // what the header text needs
    int headerHeight = 0; // the header (text) part
    int bodyWidth = 0; // the inner part that holds the children
    int bodyHeight = 0;
    int yesWidth = 0; // if and else-if: the yes column
    int32_t kind = 0;
    bool braceFlag = false;
    std::span<CUnit* const> units; // the item's, which outlives the block
    std::vector<NSDBlock> children;
    std::vector<std::string> lines; // the header text

    // The block of an item and of everything below it.
    static NSDBlock FromItem(const CFlowItem& item);
    // The root block over the function's top-level items.
    static NSDBlock RootOf(const CFlowItem& root);
};
