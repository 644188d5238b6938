#include "DefaultColorFiles.h"

#include "AtomicFile.h"
#include "ProgramFolder.h"
#include "UserFolders.h"
#include "TextColorFile.h"
#include "XmlColorFiles.h"

std::string ColorFolderPath()
{
    return GetAppDirectory() + "/Color";
}

std::string ColorFilePath(const std::string& name)
{
    return ColorFolderPath() + "/" + name;
}

std::string DefaultColorFileToRead(const std::string& name)
{
    return FindDataFile("Color/" + name);
}

std::string DefaultColorFileToWrite(const std::string& name)
{
    return UserDataFile("Color/" + name);
}

namespace {

// Whether the user has a copy of the default file (the one that writing it
// would replace); its folder is not made to find out.
bool UsersCopyExists(const std::string& name)
{
    std::string path = GetUserConfigDirectory();
    if (!path.empty() && path.back() != '/')
        path += '/';
    return IsRegularFile(path + "Color/" + name);
}

// A default file may be written when it was read or the user has no copy.
bool Writable(bool read, const char* name)
{
    return read || !UsersCopyExists(name);
}

// Whether what was read is the user's copy (which is read before the
// shipped one).
bool UsersCopyRead(bool read, const char* name)
{
    return read && UsersCopyExists(name);
}

} // namespace

DetailColorFilesWritable LoadDefaultDetailColorFiles(
    CFlowSetting& flow, CSequenceSetting& sequence, CNSDSetting& nsd)
{
    DetailColorFilesWritable writable;
    const bool flowRead = LoadFlowColorFile(DefaultColorFileToRead(kDefaultFlowFile), flow);
    writable.flow = Writable(flowRead, kDefaultFlowFile);
    const bool sequenceRead =
        LoadSequenceColorFile(DefaultColorFileToRead(kDefaultSequenceFile), sequence);
    writable.sequence = Writable(sequenceRead, kDefaultSequenceFile);
    const bool nsdRead = LoadNSDColorFile(DefaultColorFileToRead(kDefaultNSDFile), nsd);
    writable.nsd = Writable(nsdRead, kDefaultNSDFile);
    if (UsersCopyRead(flowRead, kDefaultFlowFile))
        writable.flowRead = FlowColorFileText(flow);
    if (UsersCopyRead(sequenceRead, kDefaultSequenceFile))
        writable.sequenceRead = SequenceColorFileText(sequence);
    if (UsersCopyRead(nsdRead, kDefaultNSDFile))
        writable.nsdRead = NSDColorFileText(nsd);
    return writable;
}

void SaveDefaultDetailColorFiles(const CFlowSetting& flow, const CSequenceSetting& sequence,
    const CNSDSetting& nsd, const DetailColorFilesWritable& writable)
{
    if (writable.flow && FlowColorFileText(flow) != writable.flowRead)
        SaveFlowColorFile(DefaultColorFileToWrite(kDefaultFlowFile), flow);
    if (writable.sequence && SequenceColorFileText(sequence) != writable.sequenceRead)
        SaveSequenceColorFile(DefaultColorFileToWrite(kDefaultSequenceFile), sequence);
    if (writable.nsd && NSDColorFileText(nsd) != writable.nsdRead)
        SaveNSDColorFile(DefaultColorFileToWrite(kDefaultNSDFile), nsd);
}

MacroColorFileRead LoadDefaultMacroColorFile(CVisualSetting& fonts, ElementStyleTable& styles)
{
    MacroColorFileRead result;
    result.read = LoadColorInfoFile(DefaultColorFileToRead(kDefaultMacroFile), fonts, styles);
    result.writable = Writable(result.read, kDefaultMacroFile);
    if (UsersCopyRead(result.read, kDefaultMacroFile))
        result.text = ColorInfoFileText(fonts, styles);
    return result;
}

void SaveDefaultMacroColorFile(
    const CVisualSetting& fonts, const ElementStyleTable& styles, const MacroColorFileRead& read)
{
    if (read.writable && ColorInfoFileText(fonts, styles) != read.text)
        SaveColorInfoFile(DefaultColorFileToWrite(kDefaultMacroFile), fonts, styles);
}
