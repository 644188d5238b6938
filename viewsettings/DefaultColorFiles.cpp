#include "DefaultColorFiles.h"

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

void LoadDefaultDetailColorFiles(CFlowSetting& flow, CSequenceSetting& sequence, CNSDSetting& nsd)
{
    LoadFlowColorFile(DefaultColorFileToRead(kDefaultFlowFile), flow);
    LoadSequenceColorFile(DefaultColorFileToRead(kDefaultSequenceFile), sequence);
    LoadNSDColorFile(DefaultColorFileToRead(kDefaultNSDFile), nsd);
}

void SaveDefaultDetailColorFiles(
    const CFlowSetting& flow, const CSequenceSetting& sequence, const CNSDSetting& nsd)
{
    SaveFlowColorFile(DefaultColorFileToWrite(kDefaultFlowFile), flow);
    SaveSequenceColorFile(DefaultColorFileToWrite(kDefaultSequenceFile), sequence);
    SaveNSDColorFile(DefaultColorFileToWrite(kDefaultNSDFile), nsd);
}

bool LoadDefaultMacroColorFile(CVisualSetting& fonts, ElementStyleTable& styles)
{
    return LoadColorInfoFile(DefaultColorFileToRead(kDefaultMacroFile), fonts, styles);
}

void SaveDefaultMacroColorFile(const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    SaveColorInfoFile(DefaultColorFileToWrite(kDefaultMacroFile), fonts, styles);
}
