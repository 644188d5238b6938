#pragma once

#include "ElementStyleTable.h"
#include "FlowSetting.h"
#include "NSDSetting.h"
#include "SequenceSetting.h"
#include "VisualSetting.h"

#include <string>

// Field-by-field comparison of setting records. Each returns "" when the
// records are equal, else the name of the first field that differs. Fonts
// compare by face, size and bold, and must have a font object.

std::string DiffFonts(const CFontHolder& a, const CFontHolder& b);
std::string Diff(const CFlowSetting& a, const CFlowSetting& b);
std::string Diff(const CNSDSetting& a, const CNSDSetting& b);
std::string Diff(const CSequenceSetting& a, const CSequenceSetting& b);
std::string Diff(const CVisualSetting& a, const CVisualSetting& b);
std::string Diff(const ElementStyleTable& a, const ElementStyleTable& b);

// Give every field a value of its own that differs from the built-in one
// (`salt` varies the values), so that a round trip shows each field.
void ChangeEveryField(CFlowSetting& s, int salt);
void ChangeEveryField(CNSDSetting& s, int salt);
void ChangeEveryField(CSequenceSetting& s, int salt);
void ChangeEveryField(CVisualSetting& fonts, ElementStyleTable& styles, int salt);
