#pragma once

#include <string>

// The folder of the running program, without a trailing separator; empty when
// the program's path holds no separator. Every data file lies in this folder.
std::string GetAppDirectory();

// The program's version text ("No Info" when the build gave none); commas
// become points and blanks are removed.
std::string GetProductVersion();
