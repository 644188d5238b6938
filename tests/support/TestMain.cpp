// The main of every test program: an application object on the offscreen
// platform (fonts, text and widgets need one), the language table beside the
// program and a user configuration folder of the test's own (so that no test
// reads or writes the real user's settings), then every test.
#include "LanguageTable.h"
#include "TempFolder.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TempFolder config;
    setenv("KESTRIN_CONFIG_DIR", config.Path().c_str(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    LoadLanguageFile();
    int result = RUN_ALL_TESTS();
    FreeLanguageFile();
    return result;
}
