#include "SettingForm.h"

#include "NumberText.h"

#include <algorithm>

std::vector<std::string> ShadingItems()
{
    return {"None", "Down Darken", "Right Darken", "Down Brighten", "Right Brighten"};
}

std::vector<std::string> NumberItems(int from, int to)
{
    std::vector<std::string> items;
    for (int value = from; value <= to; ++value)
        items.push_back(std::to_string(value));
    return items;
}

std::vector<std::string> FontSizeItems()
{
    return NumberItems(kSmallestFontSize, kFontSizeMax);
}

namespace {

template <typename Field> const Field* FindById(const std::vector<Field>& fields, int id)
{
    auto found =
        std::find_if(fields.begin(), fields.end(), [id](const Field& f) { return f.id == id; });
    return found == fields.end() ? nullptr : &*found;
}

} // namespace

const SettingForm::ColorField* SettingForm::FindColor(int id) const
{
    return FindById(colors_, id);
}

const SettingForm::ChoiceField* SettingForm::FindChoice(int id) const
{
    return FindById(choices_, id);
}

const SettingForm::NumberField* SettingForm::FindNumber(int id) const
{
    return FindById(numbers_, id);
}

const SettingForm::FlagField* SettingForm::FindFlag(int id) const
{
    return FindById(flags_, id);
}

const SettingForm::FontField* SettingForm::FindFont(int id) const
{
    auto found = std::find_if(fonts_.begin(), fonts_.end(),
        [id](const FontField& f) { return f.face == id || f.bold == id || f.size == id; });
    return found == fonts_.end() ? nullptr : &*found;
}

Refresh SettingForm::PickColor(int id, COLORREF color)
{
    const ColorField* control = FindColor(id);
    if (control == nullptr)
        return Refresh::None;
    control->field() = color;
    return control->refresh;
}

Refresh SettingForm::PickChoice(int id, int index)
{
    const ChoiceField* control = FindChoice(id);
    if (control == nullptr || index < 0 || index >= static_cast<int>(control->items.size()))
        return Refresh::None;
    control->field() = index;
    return control->refresh;
}

Refresh SettingForm::SetFlag(int id, bool checked)
{
    const FlagField* control = FindFlag(id);
    if (control == nullptr)
        return Refresh::None;
    control->field() = checked ? 1 : 0;
    return control->refresh;
}

Refresh SettingForm::PickFace(int id, const std::string& face)
{
    const FontField* control = FindFont(id);
    if (control == nullptr || control->face != id)
        return Refresh::None;
    CFontHolder& font = control->field();
    font.Create(face, font.size, font.bold);
    return control->refresh;
}

Refresh SettingForm::SetBold(int id, bool checked)
{
    const FontField* control = FindFont(id);
    if (control == nullptr || control->bold != id)
        return Refresh::None;
    CFontHolder& font = control->field();
    font.Create(font.faceName, font.size, checked ? 1 : 0);
    return control->refresh;
}

Refresh SettingForm::PickSize(int id, int row)
{
    const FontField* control = FindFont(id);
    if (control == nullptr || control->size != id || row < 0)
        return Refresh::None;
    CFontHolder& font = control->field();
    font.Create(font.faceName, row + kSmallestFontSize, font.bold);
    return control->refresh;
}

SettingForm::NumberOutcome SettingForm::EditNumber(int id, const std::string& text)
{
    const NumberField* control = FindNumber(id);
    if (control == nullptr)
        return {};
    const int value = DecimalOrZero(text);
    int32_t& field = control->field();
    if (value < kMinimumNumber || value > kMaximumNumber)
        return {false, Refresh::None, std::to_string(field)};
    field = value;
    return {true, control->refresh, std::to_string(value)};
}
