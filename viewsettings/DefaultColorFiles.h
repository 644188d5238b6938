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

// Which default files may be written back when the views close: each that
// was read, or that the user had no copy of. A copy of the user's that
// exists but could not be read (damaged by hand, say) is left as it is, so
// that the built-in values never replace what it holds.
//
// The user's copy is also left alone while its record is as it was read:
// another window may have written its changes to it since, which this one,
// closing later, would put back otherwise. The texts are those the records
// would have been written as just after reading the user's copies (empty
// when the user had none, which is then written).
struct DetailColorFilesWritable {
    bool flow = true;
    bool sequence = true;
    bool nsd = true;
    std::string flowRead;
    std::string sequenceRead;
    std::string nsdRead;
};

// Reads the detail view's three default files over the records, in the order
// flow, sequence, NSD. A record whose file cannot be read keeps its values
// (and the user is told, once per file).
DetailColorFilesWritable LoadDefaultDetailColorFiles(
    CFlowSetting& flow, CSequenceSetting& sequence, CNSDSetting& nsd);

// Writes the three default files in the same order, each only where
// `writable` allows.
void SaveDefaultDetailColorFiles(const CFlowSetting& flow, const CSequenceSetting& sequence,
    const CNSDSetting& nsd, const DetailColorFilesWritable& writable = {});

struct MacroColorFileRead {
    bool read = false; // the pair holds the file's values
    bool writable = true; // as for the detail view's files
    std::string text; // as the detail view's texts
};

// Reads the macro view's default file over the pair; not read (silently)
// when it is missing, which leaves the built-in values.
MacroColorFileRead LoadDefaultMacroColorFile(CVisualSetting& fonts, ElementStyleTable& styles);
// Writes the pair where `read` allows (by default always).
void SaveDefaultMacroColorFile(const CVisualSetting& fonts, const ElementStyleTable& styles,
    const MacroColorFileRead& read = {});
