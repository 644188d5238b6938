#pragma once

#include "ElementStyleTable.h"
#include "FlowSetting.h"
#include "NSDSetting.h"
#include "SequenceSetting.h"
#include "VisualSetting.h"

#include <string>

// The colour files that carry the settings in use from one run to the next:
// the flow, sequence and NSD files are XML colour files, the macro view's
// "default" is a text colour file. They are read from the "Color" folder of
// the user's configuration folder when there, else from the "Color" folder
// beside the program (the shipped copies), and written to the user's folder
// only, so that an installed program that cannot write its own folder keeps
// every setting.

inline constexpr const char* kDefaultFlowFile = "defaultFlow";
inline constexpr const char* kDefaultSequenceFile = "defaultSequence";
inline constexpr const char* kDefaultNSDFile = "defaultNSD";
inline constexpr const char* kDefaultMacroFile = "default";

// "<program folder>/Color", and a file in it: the themes' folder.
std::string ColorFolderPath();
std::string ColorFilePath(const std::string& name);

// Where a default file is read from and written to.
std::string DefaultColorFileToRead(const std::string& name);
std::string DefaultColorFileToWrite(const std::string& name);

// Reads the detail view's three default files over the records, in the order
// flow, sequence, NSD. A record whose file cannot be read keeps its values
// (and the user is told, once per file).
void LoadDefaultDetailColorFiles(CFlowSetting& flow, CSequenceSetting& sequence, CNSDSetting& nsd);

// Writes the three default files in the same order.
void SaveDefaultDetailColorFiles(
    const CFlowSetting& flow, const CSequenceSetting& sequence, const CNSDSetting& nsd);

// Reads the macro view's default file over the pair; false (silently) when
// it is missing, which leaves the built-in values.
bool LoadDefaultMacroColorFile(CVisualSetting& fonts, ElementStyleTable& styles);
void SaveDefaultMacroColorFile(const CVisualSetting& fonts, const ElementStyleTable& styles);
