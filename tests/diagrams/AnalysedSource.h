#pragma once

#include "AnalysedProject.h"

#include <string>

// One C++ source analysed as a project of its own, for drawing its functions.
using AnalysedSource = AnalysedProject;

// A function "f" with the body, for the layout tables.
inline std::string FunctionF(const std::string& body)
{
    return "int f(int a, int b, int c)\n{\n" + body + "\n}\n";
}
