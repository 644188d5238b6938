// The main of every test program: an application object on the offscreen
// platform (fonts, text and widgets need one) and the language table beside
// the program, then every test.
#include "LanguageTable.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    LoadLanguageFile();
    int result = RUN_ALL_TESTS();
    FreeLanguageFile();
    return result;
}
