#include "NSDDiagram.h"

CNSDDiagram::CNSDDiagram(const CFlowItem& root, CNSDSetting& setting, std::string_view functionName)
    : rootItem(&root), node(std::make_unique<NSDRootNode>(root, setting, functionName))
{
}

void CNSDDiagram::SetDC(CDC* context)
{
    dc = context;
    node->SetDC(context);
}

void CNSDDiagram::Measure()
{
    node->Measure();
}

void CNSDDiagram::DrawTitle()
{
    node->DrawTitle();
}

void CNSDDiagram::DrawTree(const NSDBlock& block)
{
    node->DrawTree(block);
}
