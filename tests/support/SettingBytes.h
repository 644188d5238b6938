#pragma once

#include "ElementStyleTable.h"
#include "FlowSetting.h"
#include "NSDSetting.h"
#include "SequenceSetting.h"
#include "VisualSetting.h"

#include <string>

// Records compare through the colour files they write: two records are equal
// when their files are. The golden files pin what the writer writes, so a
// field the writer or the reader drops shows up as a difference.

// The macro view's pair with its built-in values.
struct MacroPair {
    MacroPair();
    CVisualSetting fonts;
    ElementStyleTable styles;
};

std::string Bytes(const CFlowSetting& setting);
std::string Bytes(const CNSDSetting& setting);
std::string Bytes(const CSequenceSetting& setting);
std::string Bytes(const CVisualSetting& fonts, const ElementStyleTable& styles);
std::string Bytes(const MacroPair& pair);

// A file of tests/data/viewsettings.
std::string Golden(const std::string& name);

// The colour file with every stored value changed to one of its own: flags
// flipped, colours, numbers and face names (with blanks) made distinct; font
// sizes and the unit space stay within 6 to 32.
std::string ChangeEveryValue(const std::string& xmlText);

std::string WithoutCarriageReturns(std::string text);
