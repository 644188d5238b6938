#include "TotalView.h"

#include "AppContext.h"
#include "DefaultColorFiles.h"
#include "DeviceContext.h"
#include "KestrinDoc.h"
#include "MacroViewDefaults.h"
#include "MemDC.h"

CTotalView::CTotalView(AppContext& context, CKestrinDoc& document, QWidget* parent)
    : CScrollView(parent), context_(context), document_(document)
{
    SetMacroViewDefaults(fonts_, style_);
    // A working copy, so that a broken file leaves the defaults whole.
    CVisualSetting fonts = fonts_;
    ElementStyleTable style = style_;
    if (LoadDefaultMacroColorFile(fonts, style)) {
        fonts_ = fonts;
        style_ = style;
    }
    holder_ = ModelHolders::Registration(context.Holders(), "macro view", [this] { ForgetLayout(); });
}

CTotalView::~CTotalView()
{
    document_.selectedNode = nullptr;
    document_.dirty = true;
    SaveDefaultMacroColorFile(fonts_, style_);
}

void CTotalView::ForgetLayout()
{
    nodes_.clear();
}

void CTotalView::RebuildLayout()
{
    if (!context_.drawRunning)
        context_.modelReady = true;
    Invalidate();
}

void CTotalView::OnDraw(CDC* dc)
{
    PaintGuard guard(context_.macroPaint);
    if (!guard)
        return;
    CMemDC memory(dc, style_.BackGroundColor);
    memory.FillSolidRect(memory.GetClipBox(), style_.BackGroundColor);
}
