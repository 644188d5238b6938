#include "DefaultColorFiles.h"

#include "ProgramFolder.h"
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

void LoadDefaultDetailColorFiles(CFlowSetting& flow, CSequenceSetting& sequence, CNSDSetting& nsd)
{
    LoadFlowColorFile(ColorFilePath(kDefaultFlowFile), flow);
    LoadSequenceColorFile(ColorFilePath(kDefaultSequenceFile), sequence);
    LoadNSDColorFile(ColorFilePath(kDefaultNSDFile), nsd);
}

void SaveDefaultDetailColorFiles(const CFlowSetting& flow, const CSequenceSetting& sequence,
                                 const CNSDSetting& nsd)
{
    SaveFlowColorFile(ColorFilePath(kDefaultFlowFile), flow);
    SaveSequenceColorFile(ColorFilePath(kDefaultSequenceFile), sequence);
    SaveNSDColorFile(ColorFilePath(kDefaultNSDFile), nsd);
}

bool LoadDefaultMacroColorFile(CVisualSetting& fonts, ElementStyleTable& styles)
{
    return LoadColorInfoFile(ColorFilePath(kDefaultMacroFile), fonts, styles);
}

void SaveDefaultMacroColorFile(const CVisualSetting& fonts, const ElementStyleTable& styles)
{
    SaveColorInfoFile(ColorFilePath(kDefaultMacroFile), fonts, styles);
}
