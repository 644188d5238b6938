#include "RecentFileList.h"
#include "TempFolder.h"
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <filesystem>

TEST(WindowPlacementText, TenNumbersRoundTripAndAnythingLessIsRefused)
{
    const std::pair<const char*, WindowPlacement> good[] = {
        {"0,1,-1,-1,-1,-1,10,20,810,620", {0, 1, {-1, -1}, {-1, -1}, {10, 20, 810, 620}}},
        {"2,3,-32000,-32000,-1,-1,0,0,1024,768",
            {2, 3, {-32000, -32000}, {-1, -1}, {0, 0, 1024, 768}}},
        {"0,1,-1,-1,-1,-1,-2147483648,0,2147483647,5",
            {0, 1, {-1, -1}, {-1, -1}, {INT32_MIN, 0, INT32_MAX, 5}}},
    };
    for (const auto& [text, placement] : good) {
        EXPECT_EQ(ParsePlacement(text), placement) << text;
        EXPECT_EQ(FormatPlacement(placement), text);
    }
    EXPECT_EQ(ParsePlacement(" 0, 1,-1,-1,-1,-1, 10,20,810,620 and more"), good[0].second);

    const char* bad[] = {"", "0,1,2", "0,1,-1,-1,-1,-1,10,20,810", "a,1,-1,-1,-1,-1,10,20,810,620",
        "-1,1,-1,-1,-1,-1,10,20,810,620", "0,1,-1,-1,-1,-1,10,20,810,99999999999",
        "0;1;-1;-1;-1;-1;10;20;810;620", "0,1,-1,-1,-1,-1,10,20,,620"};
    for (const char* text : bad)
        EXPECT_EQ(ParsePlacement(text), std::nullopt) << text;
}

TEST(WindowPlacementWindows, ShowCommandAndNormalRectangleComeBackAndLostWindowsReturnToTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    const WindowPlacement normal {0, SW_SHOWNORMAL, {-1, -1}, {-1, -1}, {50, 60, 450, 360}};
    SetWindowPlacement(window, normal);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.geometry(), QRect(50, 60, 400, 300));
    EXPECT_EQ(GetWindowPlacement(window), normal);

    WindowPlacement maximised = normal;
    maximised.showCmd = SW_SHOWMAXIMIZED;
    SetWindowPlacement(window, maximised);
    EXPECT_TRUE(window.isMaximized());
    EXPECT_EQ(GetWindowPlacement(window).showCmd, SW_SHOWMAXIMIZED);
    EXPECT_EQ(GetWindowPlacement(window).normal, normal.normal);

    WindowPlacement minimised = normal;
    minimised.showCmd = SW_SHOWMINIMIZED;
    SetWindowPlacement(window, minimised);
    EXPECT_FALSE(window.isMinimized() || window.isMaximized());
    minimised.flags = WPF_RESTORETOMAXIMIZED;
    SetWindowPlacement(window, minimised);
    EXPECT_TRUE(window.isMaximized());

    WindowPlacement lost = normal;
    lost.normal = {100000, 100000, 100400, 100300};
    EXPECT_TRUE(PlacementRect(window, lost).intersects(screen));
    EXPECT_EQ(PlacementRect(window, lost).size(), QSize(400, 300));
    WindowPlacement hidden = normal;
    hidden.showCmd = SW_HIDE;
    SetWindowPlacement(window, hidden);
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(GetWindowPlacement(window).showCmd, SW_HIDE);
}

TEST(WindowPlacementSettings, PlacementsLiveInTheirSectionAndRecentFilesKeepEightNewestFirst)
{
    TempFolder folder;
    const QString file = QString::fromStdString(folder.File("Kestrin.ini"));
    const WindowPlacement placement {2, 3, {-1, -1}, {-1, -1}, {10, 20, 810, 620}};
    RecentFileList recent;
    for (int i = 1; i <= 10; ++i)
        recent.Add("/p/" + std::to_string(i) + ".kst");
    recent.Add("/p/5.kst");
    recent.Add("/p/./a&b.kst");
    EXPECT_EQ(recent.Entries(),
        (std::vector<std::string> {"/p/a&b.kst", "/p/5.kst", "/p/10.kst", "/p/9.kst", "/p/8.kst",
            "/p/7.kst", "/p/6.kst", "/p/4.kst"}));
    EXPECT_EQ(recent.MenuText(0), "&1 /p/a&&b.kst");
    {
        QSettings settings(file, QSettings::IniFormat);
        WritePlacement(settings, "WindowPos", placement);
        recent.Save(settings);
    }
    const std::string text = ReadFileBytes(folder.File("Kestrin.ini"));
    EXPECT_NE(text.find("[KestrinSettings]"), std::string::npos);
    EXPECT_NE(text.find("2,3,-1,-1,-1,-1,10,20,810,620"), std::string::npos);
    {
        QSettings settings(file, QSettings::IniFormat);
        EXPECT_EQ(ReadPlacement(settings, "WindowPos"), placement);
        EXPECT_EQ(ReadPlacement(settings, "CodeWindowPos"), std::nullopt);
        RecentFileList loaded;
        loaded.Load(settings);
        EXPECT_EQ(loaded.Entries(), recent.Entries());
        loaded.Remove(0);
        loaded.Remove(42);
        loaded.Save(settings);
    }
    {
        QSettings settings(file, QSettings::IniFormat);
        RecentFileList again;
        again.Load(settings);
        EXPECT_EQ(again.Entries().size(), 7u);
        EXPECT_FALSE(settings.contains("Recent File List/File8"));
    }

    // A value written by hand without quotes is read all the same.
    folder.Write("Hand.ini", "[KestrinSettings]\nCodeWindowPos=0,1,-1,-1,-1,-1,1,2,3,4\n");
    QSettings hand(QString::fromStdString(folder.File("Hand.ini")), QSettings::IniFormat);
    EXPECT_EQ(ReadPlacement(hand, "CodeWindowPos"),
        (WindowPlacement {0, 1, {-1, -1}, {-1, -1}, {1, 2, 3, 4}}));

    RecentFileList deep;
    deep.Add("/home/someone/projects/very/deep/folder/structure/with/many/levels/of/nesting/"
             "project.kst");
    const std::string shown = deep.MenuText(0);
    EXPECT_EQ(shown.rfind("&1 /home/...", 0), 0u) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 12), "/project.kst");
    EXPECT_LE(shown.size(), 3u + 60u);

    // A relative path is kept as the document keeps its own path.
    RecentFileList relative;
    relative.Add("sub/../relative.kst");
    EXPECT_EQ(relative.Entries(),
        std::vector<std::string> {(std::filesystem::current_path() / "relative.kst").string()});
}
