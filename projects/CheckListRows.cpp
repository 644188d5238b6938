#include "CheckListRows.h"

#include <algorithm>

void CheckListRows::AddItem(const std::string& path, bool analyse, bool draw)
{
    CheckListRow row;
    row.analyse = analyse;
    row.draw = draw;
    row.path = path;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        row.name = path;
    } else {
        row.folder = path.substr(0, slash + 1);
        row.name = path.substr(slash + 1);
    }
    rows_.push_back(std::move(row));
}

void CheckListRows::DeleteAllItems()
{
    rows_.clear();
    anchor_ = -1;
    vLimit_ = hLimit_ = 0;
    vPos_ = hPos_ = 0;
}

void CheckListRows::RemoveSelectedRows()
{
    std::erase_if(rows_, [](const CheckListRow& row) { return row.selected; });
    // The anchor's index may now name another row, or none.
    anchor_ = -1;
    const int count = static_cast<int>(rows_.size());
    vLimit_ = count > visibleRows_ - 1 ? count + 1 - visibleRows_ : 0;
    ClampPositions();
}

std::vector<int> CheckListRows::GetSelectedFiles() const
{
    std::vector<int> selected;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].selected)
            selected.push_back(static_cast<int>(i));
    return selected;
}

void CheckListRows::SetAll(bool CheckListRow::*flag, bool value)
{
    for (CheckListRow& row : rows_)
        row.*flag = value;
}

bool CheckListRows::All(bool CheckListRow::*flag) const
{
    return std::all_of(
        rows_.begin(), rows_.end(), [flag](const CheckListRow& row) { return row.*flag; });
}

bool CheckListRows::LButtonDown(unsigned flags, int x, int y, int h)
{
    const int pitch = h + 1;
    const int row = y / pitch + vPos_ - 1;
    const bool exists = row >= 0 && row < static_cast<int>(rows_.size());
    const bool plain = flags == kLeftButton;
    if (plain && y > pitch && x < 2 * h + 3) {
        if (!exists)
            return false;
        CheckListRow& target = rows_[static_cast<size_t>(row)];
        if (x >= h + 2)
            target.draw = !target.draw;
        else
            target.analyse = !target.analyse;
        return true;
    }
    if (y <= pitch || x <= 2 * h + 3 || !exists)
        return false;
    const bool shift = (flags & kShift) != 0;
    const bool control = (flags & kControl) != 0;
    if (plain) {
        DeselectAll();
        anchor_ = row;
        rows_[static_cast<size_t>(row)].selected = true;
        return true;
    }
    if (control && !shift) {
        rows_[static_cast<size_t>(row)].selected = !rows_[static_cast<size_t>(row)].selected;
        anchor_ = row;
        return true;
    }
    if (shift) {
        if (anchor_ < 0)
            return false;
        if (!control)
            DeselectAll();
        for (int i = std::min(anchor_, row); i <= std::max(anchor_, row); ++i)
            rows_[static_cast<size_t>(i)].selected = true;
        return true;
    }
    return false;
}

bool CheckListRows::LButtonDblClk(unsigned flags, int x, int y, int h)
{
    if (flags != kLeftButton || y >= h + 1)
        return false;
    if (x < h + 2) {
        SetAll(&CheckListRow::analyse, !AllAnalysisChecked());
    } else if (x < 2 * h + 3) {
        SetAll(&CheckListRow::draw, !AllDrawChecked());
    } else {
        displayMode = displayMode == 1 ? 0 : 1;
    }
    return true;
}

void CheckListRows::UpdateLimits(int widest, int clientWidth, int clientHeight, int h)
{
    hLimit_ = std::max(0, widest - (clientWidth - 2 * h - 3));
    visibleRows_ = clientHeight / (h + 1);
    const int count = static_cast<int>(rows_.size());
    vLimit_ = count > visibleRows_ - 1 ? count + 1 - visibleRows_ : 0;
    ClampPositions();
}

void CheckListRows::SetVerticalPosition(int row)
{
    vPos_ = row;
    ClampPositions();
}

void CheckListRows::SetHorizontalPosition(int pixels)
{
    hPos_ = pixels;
    ClampPositions();
}

void CheckListRows::ClampPositions()
{
    vPos_ = std::clamp(vPos_, 0, std::max(0, vLimit_));
    hPos_ = std::clamp(hPos_, 0, std::max(0, hLimit_));
}
