#include "ParseCacheOptions.h"

#include <QCryptographicHash>
#include <QSettings>
#include <filesystem>

namespace {

QString KeyOf(const std::string& cachePath)
{
    std::error_code error;
    const std::filesystem::path full =
        std::filesystem::absolute(cachePath, error).lexically_normal();
    const QByteArray path = QByteArray::fromStdString(error ? cachePath : full.string());
    return "ParseCacheOptions/" +
        QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
}

} // namespace

void RememberCacheOptions(
    QSettings& profile, const std::string& cachePath, const std::string& digest)
{
    if (digest.empty())
        profile.remove(KeyOf(cachePath));
    else
        profile.setValue(KeyOf(cachePath), QString::fromStdString(digest));
}

std::string RecallCacheOptions(QSettings& profile, const std::string& cachePath)
{
    return profile.value(KeyOf(cachePath)).toString().toStdString();
}
