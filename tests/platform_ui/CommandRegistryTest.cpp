#include "CommandRegistry.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

enum : int {
    kOpen = 57601,
    kClose = 32799,
    kDraw = 32778,
    kStop = 32780,
    kCode = 32789,
    kGeneral = 32781,
    kInfo = 32774,
};

// A small command table in the shape of the program's: File, a drawing menu,
// View, Option and a command on the menu bar itself.
struct Commands {
    CommandRegistry registry;
    QMainWindow window;
    bool running = false;
    bool codeShown = false;
    int draws = 0;
    int stops = 0;
    int updates = 0;

    Commands()
    {
        const std::pair<int, const char*> table[] = {{kOpen, "&Open Kestrin Project...\tCtrl+O"},
            {kClose, "C&lose Kestrin Project\tCtrl+L"}, {kDraw, "&Draw\tF5"}, {kStop, "&Stop\tF8"},
            {kCode, "&Code\tF9"}, {kGeneral, "&General..."}, {kInfo, "&Info"}};
        for (const auto& [id, text] : table)
            registry.Add(id, text);
        registry.SetKeys(kDraw, {QKeySequence(Qt::Key_F5)});
        registry.SetKeys(kStop, {QKeySequence(Qt::Key_F8)});
        registry.OnCommand(kOpen, [] {});
        registry.OnCommand(kDraw, [this] { running = true, ++draws; });
        registry.OnUpdate(kDraw, [this](CommandUpdate& u) { u.Enable(!running), ++updates; });
        registry.OnCommand(kStop, [this] { running = false, ++stops; });
        registry.OnUpdate(kStop, [this](CommandUpdate& u) { u.Enable(running); });
        registry.OnCommand(kCode, [this] { codeShown = !codeShown; });
        registry.OnUpdate(kCode, [this](CommandUpdate& u) { u.SetCheck(codeShown); });
        registry.OnCommand(kGeneral, [] {});
        registry.OnCommand(kInfo, [] {});
        registry.BuildMenuBar(*window.menuBar(),
            {MenuItem::Popup("&File",
                 {MenuItem::Command(kOpen), MenuItem::Separator(), MenuItem::Command(kClose)}),
                MenuItem::Popup("&Kestrin", {MenuItem::Command(kDraw), MenuItem::Command(kStop)}),
                MenuItem::Popup("&View", {MenuItem::Command(kCode)}),
                MenuItem::Popup("&Option", {MenuItem::Command(kGeneral)}),
                MenuItem::Command(kInfo)});
    }
    QMenu* Menu(int position) { return window.menuBar()->actions().at(position)->menu(); }
    bool Enabled(int id) { return registry.Action(id)->isEnabled(); }
};

} // namespace

TEST(CommandTable, MenusCarryTextsAndStatesUpdatedBeforeShowingAndAfterEachCommand)
{
    Commands c;
    QStringList titles;
    for (QAction* entry : c.window.menuBar()->actions())
        titles << entry->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Kestrin", "&View", "&Option", "&Info"}));
    const QList<QAction*> file = c.Menu(0)->actions();
    ASSERT_EQ(file.size(), 3);
    EXPECT_EQ(file[0]->text(), "&Open Kestrin Project...\tCtrl+O");
    EXPECT_TRUE(file[1]->isSeparator());
    EXPECT_FALSE(file[2]->isEnabled()) << "a command without a handler is greyed";
    EXPECT_EQ(c.registry.Action(kDraw)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(c.registry.Action(12345), nullptr);

    EXPECT_TRUE(c.Enabled(kDraw));
    EXPECT_FALSE(c.Enabled(kStop));
    EXPECT_TRUE(c.registry.Execute(kDraw));
    EXPECT_FALSE(c.Enabled(kDraw)) << "states follow at once after a command";
    EXPECT_TRUE(c.Enabled(kStop));
    EXPECT_FALSE(c.registry.Execute(kDraw));
    EXPECT_EQ(c.draws, 1);
    EXPECT_FALSE(c.registry.Execute(kClose));

    // State changed elsewhere shows when the menu opens.
    c.codeShown = true;
    EXPECT_FALSE(c.registry.Action(kCode)->isChecked());
    emit c.Menu(2)->aboutToShow();
    EXPECT_TRUE(c.registry.Action(kCode)->isChecked());

    // Posted updates run once, from the event loop.
    c.running = false;
    c.updates = 0;
    c.registry.PostUpdate();
    c.registry.PostUpdate();
    EXPECT_EQ(c.updates, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(c.updates, 1);
    EXPECT_TRUE(c.Enabled(kDraw));
}

TEST(CommandTable, GreyingByPositionWinsOverUpdateHandlersUntilEnabledAgain)
{
    Commands c;
    QMenuBar& bar = *c.window.menuBar();
    c.registry.EnableTopLevel(bar, 0, false);
    c.registry.EnableTopLevel(bar, 3, false);
    c.registry.EnableTopLevel(bar, 4, false);
    c.registry.EnableMenuItem(bar, 1, 0, false);
    c.registry.EnableTopLevel(bar, 9, false); // out of range: nothing
    c.registry.UpdateAll();
    EXPECT_FALSE(bar.actions()[0]->isEnabled());
    EXPECT_TRUE(bar.actions()[1]->isEnabled());
    EXPECT_FALSE(bar.actions()[3]->isEnabled());
    EXPECT_FALSE(c.Enabled(kInfo));
    EXPECT_FALSE(c.Enabled(kDraw));
    EXPECT_FALSE(c.registry.Execute(kDraw));
    EXPECT_EQ(c.draws, 0);

    c.registry.EnableTopLevel(bar, 0, true);
    c.registry.EnableTopLevel(bar, 4, true);
    c.registry.EnableMenuItem(bar, 1, 0, true);
    EXPECT_TRUE(bar.actions()[0]->isEnabled());
    EXPECT_TRUE(c.Enabled(kInfo));
    EXPECT_TRUE(c.registry.Execute(kDraw));
}

TEST(CommandTable, KeysAndBoundButtonsRunCommandsWithFreshStates)
{
    Commands c;
    auto* stop = new QPushButton("Stop", &c.window);
    auto* code = new QPushButton("Code", &c.window);
    code->setCheckable(true);
    c.window.setCentralWidget(stop);
    c.registry.BindButton(stop, kStop);
    c.registry.BindButton(code, kCode);
    c.registry.AttachKeys(c.window);
    c.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c.window));
    c.window.activateWindow();

    EXPECT_FALSE(stop->isEnabled());
    QTest::keyClick(&c.window, Qt::Key_F5);
    EXPECT_EQ(c.draws, 1);
    EXPECT_TRUE(stop->isEnabled());
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_EQ(c.stops, 1);
    code->click();
    EXPECT_TRUE(c.codeShown);
    EXPECT_TRUE(code->isChecked());

    // The run ended elsewhere without an update: the key still finds Draw
    // enabled, because states are brought up to date before keys are matched.
    c.running = true;
    c.registry.UpdateAll();
    c.running = false;
    EXPECT_FALSE(c.Enabled(kDraw));
    QTest::keyClick(&c.window, Qt::Key_F5);
    EXPECT_EQ(c.draws, 2);
}
