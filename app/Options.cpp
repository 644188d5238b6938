#include "Options.h"

#include "LanguageTable.h"
#include "ProgramFolder.h"
#include "Prompt.h"
#include "SettingsStore.h"
#include "VcProductDirs.h"

#include "GuiSession.h"

#include <QFontDatabase>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

namespace {

enum class ValueType { Bool, Int, Text };

struct StoredValue {
    const char* name;
    ValueType type;
    void* field;
};

// The stored values in the order they are read and written.
std::array<StoredValue, 20> StoredValues(COptions& o)
{
    return {{
        {"Preprocessing Same Name File", ValueType::Bool, &o.preprocessingSameNameFile},
        {"Auto Resize Macro View", ValueType::Bool, &o.autoResizeMacroView},
        {"Auto Show Detail Content", ValueType::Bool, &o.autoShowDetailContent},
        {"Show Code", ValueType::Bool, &o.showCode},
        {"MacroInfoMode", ValueType::Int, &o.macroInfoMode},
        {"MacroInfoSize", ValueType::Int, &o.macroInfoSize},
        {"MacroDetailMode", ValueType::Int, &o.macroDetailMode},
        {"MacroDetailSize", ValueType::Int, &o.macroDetailSize},
        {"Show Tutorial", ValueType::Bool, &o.showTutorial},
        {"Code Font Name", ValueType::Text, &o.codeFontName},
        {"Code Font Size", ValueType::Int, &o.codeFontSize},
        {"Macro View Sort", ValueType::Int, &o.macroViewSort},
        {"Include Directory", ValueType::Int, &o.includeDirectory},
        {"Last Path", ValueType::Text, &o.lastPath},
        {"Fixed Size Arrange", ValueType::Bool, &o.fixedSizeArrange},
        {"Code Edit Button Show", ValueType::Bool, &o.codeEditButtonShow},
        {"Code Edit Program", ValueType::Text, &o.codeEditProgram},
        {"Auto Sort", ValueType::Bool, &o.autoSort},
        {"Last Project Path", ValueType::Text, &o.lastProjectPath},
        {"Flow Sequence", ValueType::Int, &o.flowSequence},
    }};
}

// Reads a text file into lines, each without its CR LF or LF.
bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

// Writes the lines with CR LF to a temporary file beside `path` and renames it
// over `path`, so that a failed write leaves the old file.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        for (const std::string& line : lines)
            out << line << "\r\n";
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace

int32_t ParseDecimal(const std::string& text)
{
    errno = 0;
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

COptions::COptions()
    : COptions(std::string(), GetAppDirectory())
{
}

COptions::COptions(std::string settingsFile, std::string dataFolder)
    : settingsFile_(settingsFile.empty() ? CRegistry::DefaultFile() : std::move(settingsFile)),
      dataFolder_(std::move(dataFolder))
{
    Load();
}

COptions::~COptions()
{
    Save();
}

std::string COptions::DataPath(const char* name) const
{
    if (dataFolder_.empty())
        return {};
    std::string path = dataFolder_;
    if (path.back() != '/')
        path += '/';
    return path + name;
}

void COptions::SetDefaults()
{
    preprocessingSameNameFile = false;
    fixedSizeArrange = true;
    macroInfoMode = 1;
    macroInfoSize = 150;
    macroDetailMode = 1;
    macroDetailSize = 150;
    showTutorial = true;
    showCode = false;
    codeFontSize = 100;
    codeFontName = "Courier New";
    codeEditButtonShow = true;
    codeEditProgram = "xdg-open";
    autoSort = true;
    lastPath.clear();
    lastProjectPath.clear();
    autoResizeMacroView = true;
    macroViewSort = 1;
    autoShowDetailContent = true;
    flowSequence = 1;
    includeDirectory = 0;
    boxBitmapBudget = 1000;
    boxBitmapCount = 0;
}

void COptions::Load()
{
    for (auto& list : includeLists)
        list.clear();
    userIncludeList.clear();
    commonWords.clear();
    projectWords.clear();
    fontNames.clear();
    pendingProjectPath.clear();

    ReadPredefinedFile();
    ReadIncludeFile();
    SetDefaults();
    ReadSettings();
}

void COptions::Save()
{
    WritePredefinedFile();
    WriteIncludeFile();
    WriteSettings();
}

void COptions::ReadPredefinedFile()
{
    std::vector<std::string> lines;
    const std::string path = DataPath("predefined.ini");
    if (path.empty() || !ReadLines(path, lines))
        return;
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        commonWords.emplace(lines[i], ParseDecimal(lines[i + 1]));
}

void COptions::ReadIncludeFile()
{
    std::vector<std::string> lines;
    const std::string path = DataPath("Include.ini");
    if (!path.empty() && ReadLines(path, lines)) {
        size_t next = 0;
        for (int list = 0; list <= kVersionLists; ++list) {
            std::vector<std::string>& target = list < kVersionLists ? includeLists[list] : userIncludeList;
            target.clear();
            if (next >= lines.size())
                continue;
            int32_t count = ParseDecimal(lines[next++]);
            for (int32_t k = 0; k < count && next < lines.size(); ++k)
                target.push_back(lines[next++]);
        }
        return;
    }
    VcProductDirs dirs;
    dirs.Read();
    for (int version = 0; version < 3; ++version)
        includeLists[version] = VcProductDirs::DefaultIncludeList(version, dirs.folders[version]);
}

void COptions::ReadSettings()
{
    CRegistry registry(settingsFile_, kGroup);
    try {
        registry.Open();
        for (const StoredValue& v : StoredValues(*this)) {
            switch (v.type) {
            case ValueType::Bool:
                *static_cast<bool*>(v.field) = registry.ReadBool(v.name);
                break;
            case ValueType::Int:
                registry.ReadInt(v.name, *static_cast<int32_t*>(v.field));
                break;
            case ValueType::Text:
                registry.ReadString(v.name, *static_cast<std::string*>(v.field));
                break;
            }
        }
        registry.Close();
    } catch (const std::string& text) {
        ShowPrompt(text + " - load default option", PromptKind::Warning);
    }
}

void COptions::WritePredefinedFile() const
{
    const std::string path = DataPath("predefined.ini");
    if (path.empty())
        return;
    std::vector<std::string> lines;
    for (const auto& [name, value] : commonWords) {
        lines.push_back(name);
        lines.push_back(std::to_string(value));
    }
    WriteLines(path, lines);
}

void COptions::WriteIncludeFile() const
{
    const std::string path = DataPath("Include.ini");
    if (path.empty())
        return;
    std::vector<std::string> lines;
    for (int list = 0; list <= kVersionLists; ++list) {
        const std::vector<std::string>& source = list < kVersionLists ? includeLists[list] : userIncludeList;
        lines.push_back(std::to_string(source.size()));
        lines.insert(lines.end(), source.begin(), source.end());
    }
    WriteLines(path, lines);
}

void COptions::WriteSettings()
{
    CRegistry registry(settingsFile_, kGroup);
    try {
        registry.Create();
        for (const StoredValue& v : StoredValues(*this)) {
            switch (v.type) {
            case ValueType::Bool:
                registry.WriteBool(v.name, *static_cast<bool*>(v.field));
                break;
            case ValueType::Int:
                registry.WriteInt(v.name, *static_cast<int32_t*>(v.field));
                break;
            case ValueType::Text:
                registry.WriteString(v.name, *static_cast<std::string*>(v.field));
                break;
            }
        }
        registry.Close();
    } catch (const std::string& text) {
        ShowPrompt(text, PromptKind::Error);
    }
}

const std::vector<std::string>* COptions::GetIncludeDirs() const
{
    if (includeDirectory < 0 || includeDirectory >= kVersionLists)
        return nullptr;
    return &includeLists[includeDirectory];
}

void COptions::AddProjectWords(const std::set<std::string>& names)
{
    for (const std::string& name : names)
        projectWords.emplace(name, 0);
}

void COptions::EnumFontNames(CDC*)
{
    if (!fontNames.empty())
        return;
    EnsureGuiApplication();
    for (const QString& family : QFontDatabase::families())
        fontNames.insert(family.toUtf8().toStdString());
}
