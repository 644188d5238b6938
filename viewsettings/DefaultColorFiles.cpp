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

} // namespace

DetailColorFilesWritable LoadDefaultDetailColorFiles(
    CFlowSetting& flow, CSequenceSetting& sequence, CNSDSetting& nsd)
{
    DetailColorFilesWritable writable;
    writable.flow = Writable(
        LoadFlowColorFile(DefaultColorFileToRead(kDefaultFlowFile), flow), kDefaultFlowFile);
    writable.sequence =
        Writable(LoadSequenceColorFile(DefaultColorFileToRead(kDefaultSequenceFile), sequence),
            kDefaultSequenceFile);
    writable.nsd =
        Writable(LoadNSDColorFile(DefaultColorFileToRead(kDefaultNSDFile), nsd), kDefaultNSDFile);
    return writable;
}

void SaveDefaultDetailColorFiles(const CFlowSetting& flow, const CSequenceSetting& sequence,
    const CNSDSetting& nsd, const DetailColorFilesWritable& writable)
{
    if (writable.flow)
        SaveFlowColorFile(DefaultColorFileToWrite(kDefaultFlowFile), flow);
    if (writable.sequence)
        SaveSequenceColorFile(DefaultColorFileToWrite(kDefaultSequenceFile), sequence);
    if (writable.nsd)
        SaveNSDColorFile(DefaultColorFileToWrite(kDefaultNSDFile), nsd);
}

MacroColorFileRead LoadDefaultMacroColorFile(CVisualSetting& fonts, ElementStyleTable& styles)
{
    MacroColorFileRead result;
    result.read = LoadColorInfoFile(DefaultColorFileToRead(kDefaultMacroFile), fonts, styles);
    result.writable = Writable(result.read, kDefaultMacroFile);
    return result;
}

void SaveDefaultMacroColorFile(const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    SaveColorInfoFile(DefaultColorFileToWrite(kDefaultMacroFile), fonts, styles);
}
