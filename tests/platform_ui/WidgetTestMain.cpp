#include <QApplication>
#include <gtest/gtest.h>

// Widget tests run on the offscreen platform unless told otherwise, with one
// application object for the whole program.
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
