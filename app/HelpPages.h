#pragma once

#include <string>

// The program's web page and support address (the About box and the web
// page command).
inline constexpr const char* kHomePage = "https://kestrin.example.org/";
inline constexpr const char* kSupportMail = "support@kestrin.example.org";

// The help page shipped beside the program: "<program folder>/Help/index.html".
std::string HelpFilePath();

// Opens the help page in the desktop's browser; when it is missing, a
// message box names the path. False when nothing was opened.
bool OpenHelp();
// Opens the program's web page in the desktop's browser.
bool OpenWebPage();
