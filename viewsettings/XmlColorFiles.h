#pragma once

#include "ElementStyleTable.h"
#include "FlowSetting.h"
#include "NSDSetting.h"
#include "SequenceSetting.h"
#include "VisualSetting.h"

#include <string>

// The XML colour files of the four views: flow chart (.fcx), Nassi-
// Shneiderman diagram (.ncx), sequence diagram (.scx) and macro view (.mcx).
//
// Load reads only what the file holds into the record; everything else keeps
// its value. A file of another view is read like any other and changes the
// values whose names it shares. When the file cannot be read the user sees
// "could not be read", false is returned and the record is unchanged. Font
// sizes are brought into the range of FontSizeLimits.h, the macro view's
// unit space into that of MacroSizeLimits.h.
//
// Save writes the whole record. When it cannot be written the user sees
// "could not be written", false is returned and the old file is intact.

// ...Text is the text Save writes for the record.

bool LoadFlowColorFile(const std::string& path, CFlowSetting& setting);
bool SaveFlowColorFile(const std::string& path, const CFlowSetting& setting);
std::string FlowColorFileText(const CFlowSetting& setting);

bool LoadNSDColorFile(const std::string& path, CNSDSetting& setting);
bool SaveNSDColorFile(const std::string& path, const CNSDSetting& setting);
std::string NSDColorFileText(const CNSDSetting& setting);

bool LoadSequenceColorFile(const std::string& path, CSequenceSetting& setting);
bool SaveSequenceColorFile(const std::string& path, const CSequenceSetting& setting);
std::string SequenceColorFileText(const CSequenceSetting& setting);

bool LoadMacroColorFile(const std::string& path, CVisualSetting& fonts, ElementStyleTable& styles);
bool SaveMacroColorFile(
    const std::string& path, const CVisualSetting& fonts, const ElementStyleTable& styles);
