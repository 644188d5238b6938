#pragma once

#include "NSDRootNode.h"

#include <memory>
#include <string_view>

class CDC;
class CFlowItem;
struct CNSDSetting;

// The Nassi-Shneiderman diagram engine of one function: builds the block
// tree from the function's statement items (the Nassi-Shneiderman form),
// measures it once and draws it on every paint.
class CNSDDiagram {
public:
    // The root item and the setting stay owned by the caller and must
    // outlive the diagram.
    CNSDDiagram(const CFlowItem& root, CNSDSetting& setting, std::string_view functionName);

    // Hands the context to the setting's fonts and makes a new surface on it.
    void SetDC(CDC* context);
    // Gives every block its text, size and place; afterwards Size() is the
    // scroll size of the diagram.
    void Measure();
    void DrawTitle();
    void DrawTree(const NSDBlock& block);

    CSize Size() const { return {node->width, node->height}; }
    const NSDBlock& RootBlock() const { return node->root; }
    const NSDRootNode& RootNode() const { return *node; }

private:
    CDC* dc = nullptr;
    const CFlowItem* rootItem;
    std::unique_ptr<NSDRootNode> node;
};
