#pragma once

#include <string>

// The folder of the running program, without a trailing separator; empty when
// the program's path holds no separator. Every data file lies in this folder.
// KESTRIN_PROGRAM_DIR, or a folder set with SetAppDirectory, stands in for it
// (tests of themes, samples and help use a temporary folder).
std::string GetAppDirectory();

// Sets the folder GetAppDirectory gives; an empty text goes back to the
// environment variable or the program's own folder.
void SetAppDirectory(const std::string& folder);

// The program's version text ("No Info" when the build gave none); commas
// become points and blanks are removed.
std::string GetProductVersion();
