#pragma once

#include "PPToken.h"

#include <string>
#include <vector>

// Whether a project file is read as C: its name ends in ".c" and its own
// tokens show nothing of C++ (a template, or a name qualified with "::"
// outside an asm statement). Some libraries keep the bodies of their class
// templates in .c files that their headers include; such a file added to a
// project stays C++. The headers a file reads take its language.
bool ReadsAsC(const std::string& path, const std::vector<PPToken>& tokens);

// In C, class, new, private and the other words C++ added are names a
// program may use for its own variables, members and macros.
void MakeCppOnlyKeywordsIdentifiers(std::vector<PPToken>& tokens);
