#pragma once

#include <cstdint>
#include <memory>
#include <string>

class QSettings;

// The store of the user's option values: one group of named values in an INI
// file (by default ~/.config/Kestrin/Kestrin.ini). Every failure is thrown as
// an OptionsError with a text from the language table: 400 the group cannot be created, 401 it
// cannot be opened (it does not exist yet), 402 a value cannot be read, 403 a
// value cannot be written. Texts of any length are kept and read back.
class CRegistry {
public:
    // `file` is the INI file; `group` the group inside it.
    CRegistry(std::string file, std::string group);
    ~CRegistry();
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // Creates the group or opens it (for writing).
    void Create();
    // Opens the existing group; throws text 401 when there is none.
    void Open();
    // Writes what was changed and closes; throws text 403 when the file
    // cannot be written.
    void Close();

    void WriteInt(const std::string& name, int32_t value);
    void WriteBool(const std::string& name, bool flag);
    void WriteString(const std::string& name, const std::string& text);
    void ReadInt(const std::string& name, int32_t& value);
    // True only when the value read is exactly 1.
    bool ReadBool(const std::string& name);
    void ReadString(const std::string& name, std::string& text);

    // The settings file used when none is named: $KESTRIN_CONFIG_DIR/Kestrin.ini
    // when that variable is set, else Kestrin/Kestrin.ini in the user's
    // configuration folder.
    static std::string DefaultFile();

private:
    [[noreturn]] static void Fail(int32_t text);
    QSettings& Settings();

    std::string file_;
    std::string group_;
    std::unique_ptr<QSettings> settings_;
    bool writing_ = false;
};
