#pragma once

#include <string>

// What a path names, by its ending (case ignored; a double quote after the
// ending is allowed): 1 a C or C++ source (.cpp, .cc, .c), 2 a Visual C++ 6
// project (.dsp), 3 a Visual C++ 6 workspace (.dsw), 4 a Kestrin project
// (.kst), 5 a Visual C++ .NET project (.vcproj), 0 anything else.
int GetFileType(const std::string& path);
