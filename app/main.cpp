// Kestrin: draws C and C++ projects.
//     kestrin [PROJECT.kst]
#include "AppContext.h"
#include "DesktopUi.h"
#include "KestrinApp.h"
#include "LanguageTable.h"
#include "Prompt.h"
#include "UiService.h"

#include <QApplication>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Kestrin");
    LoadLanguageFile();
    // Messages of the libraries go to message boxes.
    ScopedPrompt prompts(&Ui());
    int result = 1;
    {
        AppContext context;
        CKestrinApp kestrin(context);
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i)
            arguments.emplace_back(argv[i]);
        if (kestrin.InitInstance(arguments))
            result = QApplication::exec();
    }
    FreeLanguageFile();
    return result;
}
