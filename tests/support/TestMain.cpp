// The main of every test program: an application object on the offscreen
// platform (fonts, text and widgets need one) that sees only the DejaVu fonts
// (so that no test depends on the fonts a machine has), the language table
// beside the program and a user configuration folder of the test's own (so
// that no test reads or writes the real user's settings), then every test.
// Where the session names no runtime folder, Qt's is one of the test's own
// too, so that a run leaves nothing in the temporary folder.
#include "LanguageTable.h"
#include "PinnedFonts.h"
#include "TempFolder.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 0);
    TempFolder config;
    setenv("KESTRIN_CONFIG_DIR", config.Path().c_str(), 1);
    TempFolder fonts;
    if (!PinFontsToDejaVu(fonts.Path()))
        std::fprintf(stderr, "note: the DejaVu fonts are missing; text uses the system's fonts\n");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    LoadLanguageFile();
    int result = RUN_ALL_TESTS();
    FreeLanguageFile();
    return result;
}
