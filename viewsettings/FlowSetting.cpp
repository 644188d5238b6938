#include "FlowSetting.h"

namespace {

struct LayoutDefaults {
    uint8_t showText;
    int32_t xSize, ySize, xSpace, ySpace, arrowSize, explainType;
    int32_t startEnd, processing, condition, loop, explain; // points
    uint8_t boldStartEnd, boldExplain;
};

void SetLayout(CFlowLayout& layout, const LayoutDefaults& d)
{
    layout.ShowText = d.showText;
    layout.StartEndFont.Create("Arial", d.startEnd, d.boldStartEnd);
    layout.ProcessingFont.Create("Arial", d.processing, 0);
    layout.ConditionFont.Create("Arial", d.condition, 0);
    layout.LoopFont.Create("Arial", d.loop, 0);
    layout.ExplainFont.Create("Arial", d.explain, d.boldExplain);
    layout.XSize = d.xSize;
    layout.YSize = d.ySize;
    layout.XSpace = d.xSpace;
    layout.YSpace = d.ySpace;
    layout.ArrowSize = d.arrowSize;
    layout.ExplainType = d.explainType;
}

} // namespace

CFlowSetting::CFlowSetting()
    : BackGroundColor(0xFFFFFF),
      HighColorShading(1),
      NormalLineColor(0x000000),
      LoopArrowColor(0x800000),
      ConditionYesColor(0x008000),
      ConditionNoColor(0x000080),
      ReturnLineColor(0x008080),
      StartEndColor {0x000000, 0xE6C8C8, 0xE6C8C8},
      ProcessingColor {0x000000, 0xE6C8C8, 0xE6C8C8},
      ConditionColor {0x800000, 0xC8E6E6, 0xC8E6E6},
      LoopColor {0x000000, 0xE6E6C8, 0xE6E6C8}
{
    SetLayout(Ratio1x, {0, 40, 20, 50, 40, 3, 0, 8, 7, 7, 7, 7, 0, 0});
    SetLayout(Ratio4x, {1, 80, 40, 100, 80, 7, 1, 11, 9, 9, 9, 11, 0, 0});
    SetLayout(Ratio16x, {1, 180, 80, 220, 160, 16, 2, 18, 13, 13, 13, 14, 1, 1});
}

CFlowLayout& CFlowSetting::LayoutForZoom(int zoom)
{
    if (zoom == 16)
        return Ratio16x;
    if (zoom == 4)
        return Ratio4x;
    return Ratio1x;
}

const CFlowLayout& CFlowSetting::LayoutForZoom(int zoom) const
{
    return const_cast<CFlowSetting*>(this)->LayoutForZoom(zoom);
}
