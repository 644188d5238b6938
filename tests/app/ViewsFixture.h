#pragma once

// The program with the sample garden project and one long function, drawn,
// every box unfolded and the detail pane half the width: ready for the
// detail view, the code window and printing.

#include "AppFixture.h"

#include "CodeView.h"
#include "CodeWindow.h"
#include "CommandIds.h"
#include "DetailView.h"
#include "DialogBar.h"
#include "ModelScope.h"
#include "ProgramFolder.h"
#include "TotalView.h"

#include <QComboBox>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

// View selector entries.
enum SelectorEntry { kFlow1 = 0, kFlow4 = 1, kFlow16 = 2, kSequence = 3, kMultiSeq = 4, kNSD = 5 };

struct ViewsFixture {
    ViewsFixture()
    {
        for (const char* name : {"garden.h", "garden.cpp", "plants.cpp", "weather.c"})
            std::filesystem::copy(GetAppDirectory() + "/Samples/" + name, folder.File(name));
        std::string body = "int Long(int x)\n{\n";
        for (int i = 0; i < 40; ++i)
            body += "    if (x > " + std::to_string(i) + ")\n        x = x - 1;\n";
        folder.Write("long.c", body + "    return x;\n}\n");
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            program.Doc().AddFile(entry.path().string());
        Frame().resize(1200, 800);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Frame()));
        Frame().Commands().Execute(ID_DRAW);
        EXPECT_TRUE(WaitFor([this] { return !program.context->drawRunning; }));
        Macro().UnfoldAll();
        Frame().Commands().Execute(IDC_SPLIT_HALF);
        QApplication::processEvents();
        ui.calls.clear();
    }

    CMainFrame& Frame() { return program.Frame(); }
    CTotalView& Macro() { return *Frame().MacroView(); }
    CDetailView& Detail() { return *Frame().DetailView(); }
    CCodeWnd& Code() { return *Frame().CodeWindow()->TextWindow(); }

    // Clicks the named item in the macro view and paints the detail view.
    void Select(const std::string& name)
    {
        const MacroLayoutNode* node = FindNode(Macro().Nodes(), name);
        ASSERT_NE(node, nullptr) << name;
        Macro().Click({node->absX + node->boxW - 4, node->absY + 3});
        Detail().RedrawNow();
    }

    // Chooses a view selector entry as the user does, and paints.
    void Choose(SelectorEntry entry)
    {
        QComboBox* selector = Frame().DialogBar()->ViewSelector();
        selector->setCurrentIndex(entry);
        emit selector->activated(entry);
        Detail().RedrawNow();
    }

    // A point of the diagram in the detail view's window.
    QPoint InWindow(CPoint diagram)
    {
        const CPoint scroll = Detail().GetScrollPosition();
        return {diagram.x - scroll.x, diagram.y - scroll.y};
    }

    TempFolder folder;
    UiRecorder ui;
    RunningApp program;
};
