#include "ProjectFile.h"

#include "TokenType.h"

CProjectFile::CProjectFile(
    const char* filePath, CInputSet* inputOwner, const std::vector<PredefinedWord>& defines)
{
    owner = inputOwner;
    path = filePath;
    SeedPredefinedMacros(defines);
}

CProjectFile::CProjectFile(CInputSet* inputOwner) : namesKnown(false)
{
    owner = inputOwner;
}

void CProjectFile::SeedPredefinedMacros(const std::vector<PredefinedWord>& defines)
{
    for (const PredefinedWord& word : defines) {
        CMacroDef def;
        def.functionLike = false;
        def.body.emplace_back(0, INTEGERNUMBER, std::to_string(word.value).c_str());
        macros[word.name] = SharedMacro(std::move(def));
    }
}
