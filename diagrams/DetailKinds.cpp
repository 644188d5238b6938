#include "DetailKinds.h"

#include "SequenceDiagram.h"
#include "SequenceSetting.h"
#include "VisualSetting.h"

#include <algorithm>

namespace {

// The scroll area never shrinks below the 10 by 10 of an empty view.
void SetSize(DetailPaint& paint, CSize size)
{
    paint.diagramSize = size;
    paint.scroll.SetTotalSize(CSize(std::max(size.cx, 10), std::max(size.cy, 10)));
}

} // namespace

SequenceKind::SequenceKind(EngineLookup engine, const CSequenceSetting& setting)
    : engine_(std::move(engine)), setting_(setting)
{
}

SequenceKind::~SequenceKind() = default;

void SequenceKind::Prepare(DetailPaint& paint)
{
    CProjectAnalyzer* engine = engine_();
    if (engine == nullptr || paint.dc == nullptr)
        return;
    if (paint.dirty || engine != builtBy_ || paint.selection != function_) {
        diagram_ = MakeSequenceDiagram(paint.selection, *engine, setting_);
        size_ = diagram_ ? diagram_->Layout(*paint.dc) : CSize();
        function_ = paint.selection;
        builtBy_ = engine;
        paint.dirty = false;
    }
    SetSize(paint, size_);
}

void SequenceKind::Draw(DetailPaint& paint)
{
    if (diagram_ && paint.dc != nullptr && engine_() == builtBy_)
        diagram_->Draw(*paint.dc);
}

COLORREF SequenceKind::Background() const
{
    return setting_.BackGroundColor;
}

void MultiSequenceKind::Prepare(DetailPaint& paint)
{
    CProjectAnalyzer* engine = analyzer_();
    if (engine == nullptr || paint.dc == nullptr)
        return;
    const CSize size = engine_.Layout(*paint.dc, paint.selection, *engine, paint.dirty);
    paint.dirty = false;
    SetSize(paint, size);
}

void MultiSequenceKind::Draw(DetailPaint& paint)
{
    if (paint.dc != nullptr && paint.selection != nullptr)
        engine_.Paint(*paint.dc);
}

void DetailBoxKind::Prepare(DetailPaint& paint)
{
    if (paint.dc == nullptr)
        return;
    const CSize size = engine_.Layout(*paint.dc, paint.selection, root_(), fonts_, paint.dirty);
    paint.dirty = false;
    SetSize(paint, size);
}

void DetailBoxKind::Draw(DetailPaint& paint)
{
    if (paint.dc != nullptr && paint.selection != nullptr)
        engine_.Paint(*paint.dc, fonts_, style_);
}
