#include "Options.h"

#include "AtomicFile.h"
#include "LanguageTable.h"
#include "NumberText.h"
#include "OptionsError.h"
#include "ProgramFolder.h"
#include "Prompt.h"
#include "SettingsStore.h"
#include "TextLines.h"
#include "UserFolders.h"
#include "VcProductDirs.h"

#include "GuiSession.h"

#include <QFontDatabase>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>

namespace {

// Calls visit(name, field) for every stored value, in the order they are
// read and written.
template <typename Visit> void VisitStoredValues(OptionValues& o, Visit visit)
{
    visit("Preprocessing Same Name File", o.preprocessingSameNameFile);
    visit("Auto Resize Macro View", o.autoResizeMacroView);
    visit("Auto Show Detail Content", o.autoShowDetailContent);
    visit("Show Code", o.showCode);
    visit("MacroInfoMode", o.macroInfoMode);
    visit("MacroInfoSize", o.macroInfoSize);
    visit("MacroDetailMode", o.macroDetailMode);
    visit("MacroDetailSize", o.macroDetailSize);
    visit("Show Tutorial", o.showTutorial);
    visit("Code Font Name", o.codeFontName);
    visit("Code Font Size", o.codeFontSize);
    visit("Macro View Sort", o.macroViewSort);
    visit("Include Directory", o.includeDirectory);
    visit("Last Path", o.lastPath);
    visit("Fixed Size Arrange", o.fixedSizeArrange);
    visit("Code Edit Button Show", o.codeEditButtonShow);
    visit("Code Edit Program", o.codeEditProgram);
    visit("Auto Sort", o.autoSort);
    visit("Last Project Path", o.lastProjectPath);
    visit("Flow Sequence", o.flowSequence);
}

void ReadValue(CRegistry& registry, const char* name, bool& value)
{
    value = registry.ReadBool(name);
}
void ReadValue(CRegistry& registry, const char* name, int32_t& value)
{
    registry.ReadInt(name, value);
}
void ReadValue(CRegistry& registry, const char* name, std::string& value)
{
    registry.ReadString(name, value);
}
void WriteValue(CRegistry& registry, const char* name, bool value)
{
    registry.WriteBool(name, value);
}
void WriteValue(CRegistry& registry, const char* name, int32_t value)
{
    registry.WriteInt(name, value);
}
void WriteValue(CRegistry& registry, const char* name, const std::string& value)
{
    registry.WriteString(name, value);
}

// Option files larger than this are not read.
constexpr size_t kMaxOptionFileSize = 16u << 20;

// Reads a text file into lines, each without its CR LF or LF.
bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::string content;
    if (ReadWholeFile(path, content, kMaxOptionFileSize) != ReadResult::Ok)
        return false;
    for (const std::string_view line : SplitLines(content))
        lines.emplace_back(line);
    return true;
}

// Writes the lines with CR LF in one step, so that a failed write leaves the
// old file.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    return WriteFileAtomically(path, content);
}

} // namespace

COptions::COptions() : COptions(std::string(), GetUserConfigDirectory(), GetAppDirectory())
{
}

COptions::COptions(std::string settingsFile, std::string userFolder, std::string shippedFolder)
    : settingsFile_(settingsFile.empty() ? CRegistry::DefaultFile() : std::move(settingsFile)),
      userFolder_(std::move(userFolder)),
      shippedFolder_(std::move(shippedFolder))
{
    Load();
}

COptions::~COptions()
{
    Save();
}

namespace {

std::string InFolder(const std::string& folder, const char* name)
{
    if (folder.empty())
        return {};
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

std::string COptions::PathToRead(const char* name) const
{
    std::string own = InFolder(userFolder_, name);
    if (!own.empty() && IsRegularFile(own))
        return own;
    return InFolder(shippedFolder_, name);
}

std::string COptions::PathToWrite(const char* name) const
{
    if (userFolder_.empty())
        return {};
    std::error_code ec;
    std::filesystem::create_directories(userFolder_, ec);
    return InFolder(userFolder_, name);
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
    static_cast<OptionValues&>(*this) = OptionValues();
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
    const std::string path = PathToRead("predefined.ini");
    if (path.empty() || !ReadLines(path, lines))
        return;
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        commonWords.emplace(lines[i], DecimalOrZero(lines[i + 1]));
}

void COptions::ReadIncludeFile()
{
    std::vector<std::string> lines;
    const std::string path = PathToRead("Include.ini");
    if (!path.empty() && ReadLines(path, lines)) {
        size_t next = 0;
        for (int list = 0; list <= kVersionLists; ++list) {
            std::vector<std::string>& target =
                list < kVersionLists ? includeLists[list] : userIncludeList;
            target.clear();
            if (next >= lines.size())
                continue;
            int32_t count = DecimalOrZero(lines[next++]);
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
    // A first start has no settings file yet: the defaults are what it wants,
    // so nothing is reported. A file that is there but unreadable is.
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(settingsFile_, ec)))
        return;
    CRegistry registry(settingsFile_, kGroup);
    try {
        registry.Open();
        VisitStoredValues(
            *this, [&](const char* name, auto& field) { ReadValue(registry, name, field); });
        registry.Close();
    } catch (const OptionsError& failure) {
        ShowPrompt(std::string(failure.what()) + " - load default option", PromptKind::Warning);
    }
}

void COptions::WritePredefinedFile() const
{
    const std::string path = PathToWrite("predefined.ini");
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
    const std::string path = PathToWrite("Include.ini");
    if (path.empty())
        return;
    std::vector<std::string> lines;
    for (int list = 0; list <= kVersionLists; ++list) {
        const std::vector<std::string>& source =
            list < kVersionLists ? includeLists[list] : userIncludeList;
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
        VisitStoredValues(
            *this, [&](const char* name, auto& field) { WriteValue(registry, name, field); });
        registry.Close();
    } catch (const OptionsError& failure) {
        ShowPrompt(failure.what(), PromptKind::Error);
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

void COptions::EnumFontNames()
{
    if (!fontNames.empty() || !HasGuiApplication())
        return;
    for (const QString& family : QFontDatabase::families())
        fontNames.insert(family.toUtf8().toStdString());
}
