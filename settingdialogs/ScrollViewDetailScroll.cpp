#include "ScrollViewDetailScroll.h"

#include "ScrollView.h"

CSize ScrollViewDetailScroll::TotalSize() const
{
    return view_.GetTotalSize();
}

CPoint ScrollViewDetailScroll::Position() const
{
    return view_.GetScrollPosition();
}

CSize ScrollViewDetailScroll::WindowSize() const
{
    const CRect client = view_.GetClientRect();
    return {client.Width(), client.Height()};
}

void ScrollViewDetailScroll::SetTotalSize(CSize size)
{
    if (size != view_.GetTotalSize())
        view_.SetScrollSizes(size);
}

void ScrollViewDetailScroll::ScrollTo(CPoint position)
{
    if (position != view_.GetScrollPosition())
        view_.ScrollToPosition(position);
}
