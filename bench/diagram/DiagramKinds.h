// The detail diagram kinds as the view selector offers them, with the
// engines and settings the detail view gives the kinds it does not own:
// what the diagram benchmarks draw.
#pragma once

#include "Bitmap.h"
#include "DetailDiagram.h"
#include "DeviceContext.h"
#include "DetailKinds.h"
#include "ElementStyleTable.h"
#include "MacroViewDefaults.h"
#include "SequenceSetting.h"
#include "VisualSetting.h"

#include "Analyzer.h"

#include <memory>

namespace diagram_kinds {

// The detail view's window the diagrams are painted into: its back buffer.
constexpr int kWindowWidth = 1600;
constexpr int kWindowHeight = 1000;

struct DetailWindow {
    DetailWindow()
    {
        screen.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, kWindowWidth, kWindowHeight);
        dc.CreateCompatibleDC(&screen);
        dc.SelectObject(&bitmap);
    }

    CDC screen;
    CBitmap bitmap;
    CDC dc;
};

// The engines of the kinds besides the flow chart and the NSD, with the
// settings the detail view would give them.
struct OtherEngines {
    OtherEngines() { SetMacroViewDefaults(fonts, style); }

    CSequenceSetting sequenceSetting;
    CMultiSeqDiagram multiSequence;
    CMacroDetail detailBox;
    CVisualSetting fonts;
    ElementStyleTable style;
};

// What a kind counts as its items: statement items, calls, called
// functions shown, or boxes.
inline int CountBoxes(const DetailClassNode& node)
{
    int count = 1 + static_cast<int>(node.linked.size());
    for (const DetailClassNode& base : node.bases)
        count += CountBoxes(base);
    return count;
}

using KindMaker = std::unique_ptr<DetailDiagramKind> (*)(CAnalyzer&, OtherEngines&);

// A diagram kind as the view selector chooses it; `make` builds the engine
// of a kind the entry does not own, which it draws as view kind `viewKind`
// (mode 1) or as the type box (mode 2).
struct KindChoice {
    const char* name;
    int mode;
    int viewKind;
    int zoom;
    KindMaker make;
};

inline std::unique_ptr<DetailDiagramKind> MakeSequence(CAnalyzer& analyzer, OtherEngines& engines)
{
    return std::make_unique<SequenceKind>(
        [&analyzer] { return analyzer.Engine(); }, engines.sequenceSetting);
}

inline std::unique_ptr<DetailDiagramKind> MakeMultiSequence(
    CAnalyzer& analyzer, OtherEngines& engines)
{
    return std::make_unique<MultiSequenceKind>(
        engines.multiSequence, [&analyzer] { return analyzer.Engine(); });
}

inline std::unique_ptr<DetailDiagramKind> MakeDetailBox(CAnalyzer& analyzer, OtherEngines& engines)
{
    return std::make_unique<DetailBoxKind>(
        engines.detailBox,
        [&analyzer]() -> const CModelScope* { return analyzer.Engine()->Root(); }, engines.fonts,
        engines.style);
}

inline const KindChoice kKinds[] = {
    {"flow1", CDetailDiagram::kFunctionMode, CDetailDiagram::kFlowChart, 1, nullptr},
    {"flow4", CDetailDiagram::kFunctionMode, CDetailDiagram::kFlowChart, 4, nullptr},
    {"flow16", CDetailDiagram::kFunctionMode, CDetailDiagram::kFlowChart, 16, nullptr},
    {"nsd", CDetailDiagram::kFunctionMode, CDetailDiagram::kNSD, 4, nullptr},
    {"sequence", CDetailDiagram::kFunctionMode, CDetailDiagram::kSequence, 4, MakeSequence},
    {"multiseq", CDetailDiagram::kFunctionMode, CDetailDiagram::kMultiSequence, 4,
        MakeMultiSequence},
    {"detailbox", CDetailDiagram::kTypeMode, CDetailDiagram::kFlowChart, 4, MakeDetailBox},
};

} // namespace diagram_kinds
