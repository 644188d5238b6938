// The blocks of a Nassi-Shneiderman diagram, built from the statement items.

#include "NSDRootNode.h"

#include "FlowItem.h"
#include "NSDNumbers.h"
#include "ShownText.h"
#include "SwitchBranches.h"
#include "UnitKind.h"

namespace {

constexpr int32_t kPlain = UNIT_EXPRESSION_STATEMENT;

int32_t BlockKind(const CFlowItem& item)
{
    switch (const int32_t kind = item.FirstUnitKind()) {
    case UNIT_IF:
    case UNIT_ELSE_IF:
    case UNIT_ELSE:
    case UNIT_FOR:
    case UNIT_WHILE:
    case UNIT_DO:
    case UNIT_SWITCH:
    case UNIT_CASE:
    case UNIT_DEFAULT:
    case UNIT_TRY:
    case UNIT_CATCH:
        return kind;
    default:
        return kPlain;
    }
}

} // namespace

NSDBlock NSDBlock::FromItem(const CFlowItem& item)
{
    NSDBlock block;
    block.kind = BlockKind(item);
    block.braceFlag = item.brace;
    block.units = item.units;
    block.children.reserve(item.children.size());
    for (const CFlowItem& child : item.children)
        block.children.push_back(FromItem(child));
    ShapeBranches(block.children, block.kind);
    return block;
}

NSDBlock NSDBlock::RootOf(const CFlowItem& rootItem)
{
    NSDBlock block = FromItem(rootItem);
    block.kind = UNIT_ROOT;
    return block;
}

NSDRootNode::NSDRootNode(const CFlowItem& rootItem, CNSDSetting& setting, std::string_view function)
    : root(NSDBlock::RootOf(rootItem)),
      settings(setting),
      functionName(function.substr(0, kLongestShownLine + 1))
{
}

void NSDRootNode::SetDC(CDC* context)
{
    dc = context;
    sizes.startX = static_cast<int>(SettingNumber(settings.StartX));
    sizes.startY = static_cast<int>(SettingNumber(settings.StartY));
    sizes.loopWidth = static_cast<int>(SettingNumber(settings.LoopWidth));
    sizes.tryCatchWidth = static_cast<int>(SettingNumber(settings.TryCatchWidth));
    sizes.tryCatchHeight = static_cast<int>(SettingNumber(settings.TryCatchHeight));
    sizes.statementDistance = static_cast<int>(SettingNumber(settings.StatementDistance));
    sizes.marginWidth = static_cast<int>(SettingNumber(settings.TextMarginWidth));
    sizes.marginHeight = static_cast<int>(SettingNumber(settings.TextMarginHeight));
    sizes.titleMarginWidth = static_cast<int>(SettingNumber(settings.TitleMarginWidth));
    sizes.titleMarginHeight = static_cast<int>(SettingNumber(settings.TitleMarginHeight));
    settings.AttachDC(dc);
    surface =
        std::make_unique<DrawSurface>(dc, settings.HighColorShading, settings.BackGroundColor);
}

CSize NSDRootNode::TextExtent(CFontHolder& font, const std::string& text)
{
    font.SelectInto();
    const CSize extent = font.GetTextExtent(text.c_str());
    font.Restore();
    return extent;
}
