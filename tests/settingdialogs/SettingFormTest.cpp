#include "FlowSettingForm.h"
#include "MacroSettingForm.h"
#include "NSDSettingForm.h"
#include "SequenceSettingForm.h"

#include "SettingBytes.h"

#include <gtest/gtest.h>
#include <set>

namespace {

std::string Bytes(const FlowSettingForm& form)
{
    return ::Bytes(form.working);
}
std::string Bytes(const NSDSettingForm& form)
{
    return ::Bytes(form.working);
}
std::string Bytes(const SequenceSettingForm& form)
{
    return ::Bytes(form.working);
}
std::string Bytes(const MacroSettingForm& form)
{
    return ::Bytes(form.working.fonts, form.working.styles);
}

// Every control id of the form, once each.
std::vector<int> ControlIds(const SettingForm& form)
{
    std::vector<int> ids;
    for (const auto& c : form.Colors())
        ids.push_back(c.id);
    for (const auto& c : form.Choices())
        ids.push_back(c.id);
    for (const auto& c : form.Numbers())
        ids.push_back(c.id);
    for (const auto& c : form.Flags())
        ids.push_back(c.id);
    for (const auto& c : form.Fonts())
        ids.insert(ids.end(), {c.face, c.bold, c.size});
    return ids;
}

// Each control, changed, changes what the record writes: no two controls
// share a field, and no control writes a field the colour files drop.
template <typename Form> void ExpectEveryControlWritesItsOwnField()
{
    Form form;
    const std::vector<int> ids = ControlIds(form);
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size()) << "an id is used twice";

    std::set<std::string> seen = {Bytes(form)};
    COLORREF colour = 0x010101;
    for (const auto& c : form.Colors()) {
        EXPECT_NE(form.PickColor(c.id, colour), Refresh::None);
        colour += 0x010203;
        EXPECT_TRUE(seen.insert(Bytes(form)).second) << "colour control " << c.id;
    }
    for (const auto& c : form.Choices()) {
        const int next = (c.field() + 1) % static_cast<int>(c.items.size());
        EXPECT_NE(form.PickChoice(c.id, next), Refresh::None);
        EXPECT_TRUE(seen.insert(Bytes(form)).second) << "list " << c.id;
    }
    int number = 900;
    for (const auto& c : form.Numbers()) {
        EXPECT_TRUE(form.EditNumber(c.id, std::to_string(++number)).accepted);
        EXPECT_TRUE(seen.insert(Bytes(form)).second) << "number " << c.id;
    }
    for (const auto& c : form.Flags()) {
        form.SetFlag(c.id, c.field() == 0);
        EXPECT_TRUE(seen.insert(Bytes(form)).second) << "flag " << c.id;
    }
    for (const auto& c : form.Fonts()) {
        form.PickSize(c.size, (c.field().size + 1 - kSmallestFontSize) % 27);
        EXPECT_TRUE(seen.insert(Bytes(form)).second) << "size " << c.size;
        form.SetBold(c.bold, c.field().bold == 0);
        EXPECT_TRUE(seen.insert(Bytes(form)).second) << "bold " << c.bold;
        form.PickFace(c.face, "Face " + std::to_string(c.face));
        EXPECT_TRUE(seen.insert(Bytes(form)).second) << "face " << c.face;
    }
}

TEST(SettingFormTest, EveryControlWritesAFieldOfItsOwn)
{
    ExpectEveryControlWritesItsOwnField<FlowSettingForm>();
    ExpectEveryControlWritesItsOwnField<NSDSettingForm>();
    ExpectEveryControlWritesItsOwnField<SequenceSettingForm>();
    ExpectEveryControlWritesItsOwnField<MacroSettingForm>();
}

TEST(SettingFormTest, ChangesAskForTheRefreshTheirDiagramNeeds)
{
    NSDSettingForm nsd;
    EXPECT_EQ(nsd.PickColor(1117, 0x102030), Refresh::Redraw); // exception colour
    EXPECT_EQ(nsd.PickChoice(1137, 2), Refresh::Redraw); // shading
    EXPECT_EQ(nsd.PickSize(1242, 4), Refresh::Rebuild); // loop font
    EXPECT_EQ(nsd.EditNumber(1120, "40").refresh, Refresh::Rebuild); // loop width
    EXPECT_EQ(nsd.SetFlag(1139, false), Refresh::Rebuild); // the title takes room

    MacroSettingForm macro;
    EXPECT_EQ(macro.PickColor(1098, 0x102030), Refresh::Redraw);
    EXPECT_EQ(macro.PickChoice(1119, 3), Refresh::Redraw); // public mark
    EXPECT_EQ(macro.PickChoice(1127, 10), Refresh::Rebuild); // unit space
    EXPECT_EQ(macro.PickChoice(1154, 2), Refresh::Rebuild); // grouping
    EXPECT_EQ(macro.SetBold(1095, true), Refresh::Rebuild);

    FlowSettingForm flow;
    SequenceSettingForm sequence;
    for (const SettingForm* form : std::initializer_list<const SettingForm*> {&flow, &sequence}) {
        for (const auto& c : form->Colors())
            EXPECT_EQ(c.refresh, Refresh::Rebuild) << c.id;
    }
}

TEST(SettingFormTest, ControlsWriteTheFieldsTheirLabelsName)
{
    SequenceSettingForm sequence;
    sequence.PickColor(1084, 0x0A0B0C);
    EXPECT_EQ(sequence.working.ObjectMiddleColor, 0x0A0B0Cu);
    EXPECT_TRUE(sequence.EditNumber(1097, "1000").accepted);
    EXPECT_EQ(sequence.working.EachStreamSpace, 1000);

    FlowSettingForm flow;
    flow.PickChoice(1071, 2);
    EXPECT_EQ(flow.working.Ratio16x.ExplainType, 2);
    flow.PickFace(1096, "Serif");
    EXPECT_EQ(flow.working.Ratio16x.StartEndFont.faceName, "Serif");
    EXPECT_EQ(flow.working.Ratio16x.StartEndFont.size, flow.snapshot.Ratio16x.StartEndFont.size);

    // The row "Unknown" is the default entry; a kind without an entry of
    // its own writes it too.
    MacroSettingForm macro;
    macro.PickColor(1107, 0x332211);
    EXPECT_EQ(macro.working.styles.defaultColors.background, 0x332211u);
    macro.working.styles.itemColors.erase(7);
    macro.PickColor(1103, 0x445566); // "Enum" background
    EXPECT_EQ(macro.working.styles.defaultColors.background, 0x445566u);
}

TEST(SettingFormTest, NumbersOutsideOneToThousandAreRefused)
{
    NSDSettingForm form;
    const int32_t before = form.working.LoopWidth;
    for (const char* text : {"0", "1001", "", "-3", "abc", "  "}) {
        const auto outcome = form.EditNumber(1120, text);
        EXPECT_FALSE(outcome.accepted) << '"' << text << '"';
        EXPECT_EQ(outcome.text, std::to_string(before));
        EXPECT_EQ(form.working.LoopWidth, before);
    }
    for (const auto& [text, value] : {std::pair {"1", 1}, {"1000", 1000}, {" 12px", 12}}) {
        EXPECT_TRUE(form.EditNumber(1120, text).accepted) << text;
        EXPECT_EQ(form.working.LoopWidth, value);
    }
}

TEST(SettingFormTest, FaceNamesTheFilesCannotKeepAreRefused)
{
    FlowSettingForm form;
    const std::string before = form.working.Ratio1x.LoopFont.faceName;
    form.PickFace(1167, std::string(40, 'x'));
    form.PickFace(1167, "Two\nLines");
    EXPECT_EQ(form.working.Ratio1x.LoopFont.faceName, before);
}

TEST(SettingFormTest, TheSnapshotRestoresEveryField)
{
    MacroSettingForm form;
    form.TakeSnapshot();
    const std::string opened = Bytes(form);
    form.PickColor(1070, 0x123456);
    form.PickSize(1069, 20);
    form.working.styles.itemColors.clear();
    form.RestoreSnapshot();
    EXPECT_EQ(Bytes(form), opened);
    // The fields still reach the working pair after it was replaced.
    form.PickColor(1070, 0x654321);
    EXPECT_EQ(form.working.styles.GetColors(8).text, 0x654321u);
}

} // namespace
