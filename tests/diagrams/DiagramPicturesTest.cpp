#include "AnalysedProject.h"
#include "DetailBoxDiagram.h"
#include "DiagramPicture.h"
#include "ElementStyleTable.h"
#include "MacroViewDefaults.h"
#include "MultiSeqDiagram.h"
#include "SequenceDiagram.h"
#include "SequenceSetting.h"
#include "VisualSetting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

// Writes pictures of the sequence, multi-sequence and detail diagrams of the
// sample fleet project into the folder named by KESTRIN_PICTURES, for a
// person to look at. Skipped when the variable is not set.
TEST(DiagramPictures, SampleProject)
{
    const char* out = std::getenv("KESTRIN_PICTURES");
    if (out == nullptr)
        GTEST_SKIP() << "KESTRIN_PICTURES names no folder";
    const std::string folder = out;
    std::filesystem::create_directories(folder);
    AnalysedProject project(AnalysedProject::DataFiles("fleet"));
    CProjectAnalyzer& engine = project.Engine();

    CSequenceSetting sequence;
    for (const char* function : {"fleet::Garage::ServiceAll", "fleet::Car::Drive", "main",
             "LabourRate", "fleet::Car::Service"}) {
        const CModelScope* scope = project.Find(function);
        ASSERT_NE(scope, nullptr) << function;
        std::string name = function;
        std::replace(name.begin(), name.end(), ':', '_');
        EXPECT_TRUE(SavePicture(folder + "/sequence-" + name + ".png",
            [&](CDC& dc) { return DrawSequenceDiagram(dc, scope, engine, sequence); }));
    }

    // The multi-sequence diagram from main, explored click by click.
    CMultiSeqDiagram multi;
    const CModelScope* main = project.Find("main");
    bool changed = true;
    auto save = [&](const std::string& name) {
        EXPECT_TRUE(SavePicture(folder + "/multiseq-" + name + ".png", [&](CDC& dc) {
            const CSize size = multi.Draw(dc, main, engine, changed);
            changed = false;
            return size;
        }));
    };
    save("0-start");
    auto clickOn = [&](const std::string& name) {
        for (const MultiSeqColumn& column : multi.Columns())
            for (const MultiSeqEntry& entry : column.entries)
                if (entry.name == name) {
                    multi.OnClick({static_cast<int>(entry.x + 6), static_cast<int>(entry.y + 5)},
                        false, main);
                    return;
                }
        ADD_FAILURE() << "no entry " << name;
    };
    // Each click is followed by a paint, as on screen.
    int step = 0;
    for (const char* name : {"ServiceAll", "Service", "Drive", "PrintReport", "Bill", "Service"}) {
        clickOn(name);
        save(std::to_string(++step) + "-" + name);
    }

    CVisualSetting fonts;
    ElementStyleTable style;
    SetMacroViewDefaults(fonts, style);
    for (const char* type : {"fleet::Car", "fleet::Truck", "fleet::Engine", "fleet::Garage",
             "fleet::Vehicle", "fleet::Loggable"}) {
        const CModelScope* scope = project.Find(type);
        ASSERT_NE(scope, nullptr) << type;
        CMacroDetail detail;
        std::string name = type;
        std::replace(name.begin(), name.end(), ':', '_');
        auto draw = [&](CDC& dc) {
            return detail.Draw(dc, scope, project.Root(), fonts, style, false);
        };
        EXPECT_TRUE(SavePicture(folder + "/detail-" + name + ".png", draw));
        // The same with the parameter lists and types shortened, the
        // attributes and nested types folded.
        const DetailBox& box = detail.Tree()->box;
        for (int s = 0; s < 3; ++s) {
            const DetailSection& section = box.sections[static_cast<size_t>(s)];
            if (!box.HasEntries(s))
                continue;
            const int right = section.headerX + section.headerW;
            if (s == DetailBox::kMethods) {
                detail.OnClick({right - 2 * section.square + 3, section.headerY + 3}, false);
                detail.OnClick({right - section.square + 3, section.headerY + 3}, false);
            } else {
                detail.OnClick({section.headerX + 3, section.headerY + 3}, false);
            }
        }
        EXPECT_TRUE(SavePicture(folder + "/detail-" + name + "-folded.png", draw));
    }
}
