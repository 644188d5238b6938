#include "Options.h"

#include "AtomicFile.h"
#include "LanguageTable.h"
#include "NumberText.h"
#include "OptionsError.h"
#include "ProgramFolder.h"
#include "Prompt.h"
#include "SettingsStore.h"
#include "UserFolders.h"
#include "VcProductDirs.h"

#include "GuiSession.h"

#include <QFontDatabase>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <variant>

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

// The lines of an option file, each without its line end: CR LF, LF or a
// CR alone (files saved by older editors end their lines so).
std::vector<std::string> OptionFileLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

// Reads an option file into lines. False when it cannot be read as the
// 8-bit text these files are: not there, unreadable, too large, or holding
// zero bytes (a UTF-16 file, say). A UTF-8 byte-order mark is passed over.
bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& content)
{
    if (ReadWholeFile(path, content, kMaxOptionFileSize) != ReadResult::Ok ||
        content.find('\0') != std::string::npos)
        return false;
    std::string_view text = content;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    lines = OptionFileLines(text);
    return true;
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// The lines with CR LF, as an option file holds them.
std::string LinesText(const std::vector<std::string>& lines)
{
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    return content;
}

// Writes the text in one step, so that a failed write leaves the old file;
// nothing when the file holds it already.
void WriteOptionFile(
    const std::string& path, const std::string& text, std::optional<std::string>& holds)
{
    if (path.empty() || holds == text)
        return;
    if (WriteFileAtomically(path, text))
        holds = text;
}

using StoredValue = std::variant<bool, int32_t, std::string>;

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

COptions::OptionFileRead COptions::ReadOptionFile(
    const char* name, std::vector<std::string>& lines) const
{
    const std::string own = InFolder(userFolder_, name);
    const std::string path = PathToRead(name);
    std::string content;
    const bool read = !path.empty() && ReadLines(path, lines, content);
    // Writing replaces the user's copy: only the one that was read, or none.
    const bool writable = own.empty() || !Exists(own) || (read && path == own);
    const std::string unread =
        !writable ? own : (!read && !path.empty() && Exists(path) ? path : std::string());
    if (!unread.empty())
        ShowPrompt(std::string(GetLangString(404)) + "\n" + unread, PromptKind::Warning);
    OptionFileRead result {read, writable, std::nullopt};
    if (read && !own.empty() && path == own)
        result.ownText = std::move(content);
    return result;
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
    settingsHold_.reset();
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
    const OptionFileRead read = ReadOptionFile("predefined.ini", lines);
    predefinedFileWritable_ = read.writable;
    predefinedFileHolds_ = read.ownText;
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        commonWords.emplace(lines[i], DecimalOrZero(lines[i + 1]));
}

void COptions::ReadIncludeFile()
{
    std::vector<std::string> lines;
    const OptionFileRead read = ReadOptionFile("Include.ini", lines);
    includeFileWritable_ = read.writable;
    includeFileHolds_ = read.ownText;
    if (read.read) {
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
        settingsHold_ = static_cast<const OptionValues&>(*this);
    } catch (const OptionsError& failure) {
        ShowPrompt(std::string(failure.what()) + " - load default option", PromptKind::Warning);
    }
}

std::string COptions::PredefinedFileText() const
{
    std::vector<std::string> lines;
    for (const auto& [name, value] : commonWords) {
        lines.push_back(name);
        lines.push_back(std::to_string(value));
    }
    return LinesText(lines);
}

std::string COptions::IncludeFileText() const
{
    std::vector<std::string> lines;
    for (int list = 0; list <= kVersionLists; ++list) {
        const std::vector<std::string>& source =
            list < kVersionLists ? includeLists[list] : userIncludeList;
        lines.push_back(std::to_string(source.size()));
        lines.insert(lines.end(), source.begin(), source.end());
    }
    return LinesText(lines);
}

void COptions::WritePredefinedFile()
{
    if (predefinedFileWritable_)
        WriteOptionFile(PathToWrite("predefined.ini"), PredefinedFileText(), predefinedFileHolds_);
}

void COptions::WriteIncludeFile()
{
    if (includeFileWritable_)
        WriteOptionFile(PathToWrite("Include.ini"), IncludeFileText(), includeFileHolds_);
}

void COptions::WriteSettings()
{
    if (settingsHold_ == static_cast<const OptionValues&>(*this))
        return;
    // Only what changed is set: the rest of the file stays as it is now.
    std::vector<StoredValue> held;
    if (settingsHold_)
        VisitStoredValues(
            *settingsHold_, [&](const char*, auto& field) { held.emplace_back(field); });
    CRegistry registry(settingsFile_, kGroup);
    try {
        registry.Create();
        size_t index = 0;
        VisitStoredValues(*this, [&](const char* name, auto& field) {
            if (index >= held.size() || held[index] != StoredValue(field))
                WriteValue(registry, name, field);
            ++index;
        });
        registry.Close();
        settingsHold_ = static_cast<const OptionValues&>(*this);
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
