#pragma once

#include "ElementStyleTable.h"
#include "VisualSetting.h"

// Gives the macro view's fonts and colours their built-in values: the
// default entry and entries for class, struct, union, enum, namespace,
// variable and function, all "Arial" 10, and the global values. The macro
// view sets these before it reads its default colour file over them.
void SetMacroViewDefaults(CVisualSetting& fonts, ElementStyleTable& styles);
