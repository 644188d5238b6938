#pragma once

#include "FontHolder.h"
#include "FontSizeLimits.h"
#include "GdiTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What a change in a Visual Setting dialog asks of its preview: nothing, a
// repaint of the current layout, or a new layout from the model first.
enum class Refresh { None, Redraw, Rebuild };

// The lists every Visual Setting dialog shows the same way.
std::vector<std::string> ShadingItems();
// "6" to "32" (the sizes a colour file's fonts are kept in): a font size
// list's row is the size less 6.
std::vector<std::string> FontSizeItems();
constexpr int kSmallestFontSize = kFontSizeMin;
// "from" to "to" as decimal texts.
std::vector<std::string> NumberItems(int from, int to);

// The record a Visual Setting dialog edits, as a table of its controls: each
// control (by id) with the field it writes and the refresh the change asks
// for. The dialog fills its controls from the table and hands every change
// to the form, which writes the working record; no widget is involved, so
// what each control does can be checked without a window.
//
// A derived form owns the working record and its snapshot (the state shown
// as the theme "Current") and binds the fields to its working record.
class SettingForm {
public:
    struct ColorField {
        int id;
        std::function<COLORREF&()> field;
        Refresh refresh;
    };
    struct FontField {
        int face;
        int bold;
        int size;
        std::function<CFontHolder&()> field;
        Refresh refresh;
    };
    // A list whose selected row is the value.
    struct ChoiceField {
        int id;
        std::vector<std::string> items;
        std::function<int32_t&()> field;
        Refresh refresh;
    };
    // A count from 1 to 1000, typed into an edit or an editable list.
    struct NumberField {
        int id;
        std::function<int32_t&()> field;
        Refresh refresh;
    };
    struct FlagField {
        int id;
        std::function<uint8_t&()> field;
        Refresh refresh;
    };

    // What a typed number does: stored, or refused (the control gets the
    // stored value back as `text`).
    struct NumberOutcome {
        bool accepted = false;
        Refresh refresh = Refresh::None;
        std::string text;
    };

    static constexpr int kMinimumNumber = 1;
    static constexpr int kMaximumNumber = 1000;

    virtual ~SettingForm() = default;
    SettingForm() = default;
    SettingForm(const SettingForm&) = delete;
    SettingForm& operator=(const SettingForm&) = delete;

    // The working record becomes the snapshot, or the snapshot the record.
    virtual void TakeSnapshot() = 0;
    virtual void RestoreSnapshot() = 0;
    // The theme file formats, by extension ("fcx"), in the order a theme of
    // one name is tried, and the one written.
    virtual std::vector<std::string> ThemeExtensions() const = 0;
    virtual std::string ThemeWriteExtension() const { return ThemeExtensions().front(); }
    // Reads a theme file of one of those formats over the working record
    // (the reading routine tells the user what went wrong), or writes it.
    virtual bool LoadTheme(const std::string& path) = 0;
    virtual bool SaveTheme(const std::string& path) const = 0;
    // The text shown when a theme could not be read (a language text id).
    virtual int ThemeFailureText() const = 0;

    const std::vector<ColorField>& Colors() const { return colors_; }
    const std::vector<FontField>& Fonts() const { return fonts_; }
    const std::vector<ChoiceField>& Choices() const { return choices_; }
    const std::vector<NumberField>& Numbers() const { return numbers_; }
    const std::vector<FlagField>& Flags() const { return flags_; }

    // One change each; Refresh::None when the id is not the form's.
    Refresh PickColor(int id, COLORREF color);
    Refresh PickChoice(int id, int index);
    Refresh SetFlag(int id, bool checked);
    // The font of a face list, bold box or size list, made again with the
    // face, the bold flag or the size row changed and the rest as it was. A
    // face the colour files could not store leaves the font as it was.
    Refresh PickFace(int id, const std::string& face);
    Refresh SetBold(int id, bool checked);
    Refresh PickSize(int id, int row);
    // The text of a number field as typed: from 1 to 1000 it is stored;
    // otherwise it is refused and the field's value goes back as text.
    NumberOutcome EditNumber(int id, const std::string& text);

    const ColorField* FindColor(int id) const;
    const FontField* FindFont(int id) const;
    const ChoiceField* FindChoice(int id) const;
    const NumberField* FindNumber(int id) const;
    const FlagField* FindFlag(int id) const;

protected:
    std::vector<ColorField> colors_;
    std::vector<FontField> fonts_;
    std::vector<ChoiceField> choices_;
    std::vector<NumberField> numbers_;
    std::vector<FlagField> flags_;
};
