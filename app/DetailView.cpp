#include "DetailView.h"

#include "AppContext.h"
#include "DefaultColorFiles.h"
#include "DeviceContext.h"
#include "KestrinDoc.h"
#include "MemDC.h"

CDetailView::CDetailView(AppContext& context, CKestrinDoc& document, QWidget* parent)
    : CScrollView(parent), context_(context), document_(document)
{
    LoadDefaultDetailColorFiles(flowSetting, sequenceSetting, nsdSetting);
    holder_ = ModelHolders::Registration(context.Holders(), "detail view", [this] { ClearDetail(); });
}

CDetailView::~CDetailView()
{
    SaveDefaultDetailColorFiles(flowSetting, sequenceSetting, nsdSetting);
}

void CDetailView::SetKindFromSelector(int index)
{
    static constexpr struct {
        int kind;
        int zoom;
    } kEntries[] = {{0, 1}, {0, 4}, {0, 16}, {1, 4}, {2, 4}, {3, 4}};
    if (index < 0 || index >= 6)
        return;
    viewKind = kEntries[index].kind;
    if (viewKind == 0)
        zoom = kEntries[index].zoom;
}

void CDetailView::ClearDetail()
{
    diagramWidth = 0;
    diagramHeight = 0;
    SetScrollSizes({10, 10});
    Invalidate();
}

void CDetailView::OnDraw(CDC* dc)
{
    PaintGuard guard(context_.detailPaint);
    if (!guard)
        return;
    CMemDC memory(dc, flowSetting.BackGroundColor);
    memory.FillSolidRect(memory.GetClipBox(), flowSetting.BackGroundColor);
    // The diagram of the document's selection is drawn here.
}
