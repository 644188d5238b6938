#include "SettingsStore.h"

#include "AtomicFile.h"
#include "LanguageTable.h"
#include "OptionsError.h"
#include "UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

CRegistry::CRegistry(std::string file, std::string group)
    : file_(std::move(file)), group_(std::move(group))
{
}

CRegistry::~CRegistry() = default;

void CRegistry::Fail(int32_t text)
{
    throw OptionsError(GetLangString(text));
}

std::string CRegistry::DefaultFile()
{
    return GetUserConfigDirectory() + "/Kestrin.ini";
}

QSettings& CRegistry::Settings()
{
    if (!settings_)
        Fail(writing_ ? 403 : 402);
    return *settings_;
}

void CRegistry::Create()
{
    settings_.reset();
    QFileInfo info(QString::fromStdString(file_));
    if (!QDir().mkpath(info.absolutePath()))
        Fail(400);
    if (info.exists() && !IsRegularFile(file_))
        Fail(400);
    settings_ = std::make_unique<QSettings>(QString::fromStdString(file_), QSettings::IniFormat);
    if (!settings_->isWritable()) {
        settings_.reset();
        Fail(400);
    }
    settings_->beginGroup(QString::fromStdString(group_));
    writing_ = true;
}

void CRegistry::Open()
{
    settings_.reset();
    writing_ = false;
    // Only a regular file is read: a FIFO or a device would block or never end.
    if (!IsRegularFile(file_))
        Fail(401);
    settings_ = std::make_unique<QSettings>(QString::fromStdString(file_), QSettings::IniFormat);
    if (settings_->status() != QSettings::NoError ||
        !settings_->childGroups().contains(QString::fromStdString(group_))) {
        settings_.reset();
        Fail(401);
    }
    settings_->beginGroup(QString::fromStdString(group_));
}

void CRegistry::Close()
{
    if (!settings_)
        return;
    settings_->endGroup();
    bool failed = false;
    if (writing_) {
        settings_->sync();
        failed = settings_->status() != QSettings::NoError;
    }
    settings_.reset();
    writing_ = false;
    if (failed)
        Fail(403);
}

void CRegistry::WriteInt(const std::string& name, int32_t value)
{
    Settings().setValue(QString::fromStdString(name), value);
}

void CRegistry::WriteBool(const std::string& name, bool flag)
{
    WriteInt(name, flag ? 1 : 0);
}

void CRegistry::WriteString(const std::string& name, const std::string& text)
{
    Settings().setValue(QString::fromStdString(name), QString::fromUtf8(text.data(), text.size()));
}

void CRegistry::ReadInt(const std::string& name, int32_t& value)
{
    QVariant v = Settings().value(QString::fromStdString(name));
    bool ok = false;
    int32_t read = v.isValid() ? v.toInt(&ok) : 0;
    if (!ok)
        Fail(402);
    value = read;
}

bool CRegistry::ReadBool(const std::string& name)
{
    int32_t value = 0;
    ReadInt(name, value);
    return value == 1;
}

void CRegistry::ReadString(const std::string& name, std::string& text)
{
    QVariant v = Settings().value(QString::fromStdString(name));
    if (!v.isValid())
        Fail(402);
    text = v.toString().toUtf8().toStdString();
}
