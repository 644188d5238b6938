#include "ParseCacheOptions.h"

#include "AbsolutePath.h"

#include <QCryptographicHash>
#include <QSettings>

namespace {

QString KeyOf(const std::string& cachePath)
{
    const QByteArray path = QByteArray::fromStdString(AbsolutePath(cachePath));
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
