#include "HelpPages.h"

#include "AtomicFile.h"
#include "LanguageTable.h"
#include "ProgramFolder.h"
#include "UiService.h"

std::string HelpFilePath()
{
    const std::string folder = GetAppDirectory();
    return (folder.empty() ? std::string() : folder + "/") + "Help/index.html";
}

bool OpenHelp()
{
    const std::string path = HelpFilePath();
    if (!IsRegularFile(path)) {
        Ui().MessageBox(std::string(GetLangString(600)) + "\n" + path, MessageButtons::Ok,
            MessageIcon::Warning);
        return false;
    }
    if (!Ui().OpenUrl(path)) {
        Ui().MessageBox(std::string(GetLangString(601)) + "\n" + path, MessageButtons::Ok,
            MessageIcon::Warning);
        return false;
    }
    return true;
}

bool OpenWebPage()
{
    if (Ui().OpenUrl(kHomePage))
        return true;
    Ui().MessageBox(std::string(GetLangString(601)) + "\n" + kHomePage, MessageButtons::Ok,
        MessageIcon::Warning);
    return false;
}
