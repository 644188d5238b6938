#include "ParseCacheOptions.h"

#include "AbsolutePath.h"

#include <QCryptographicHash>
#include <QSettings>

namespace {

QString KeyOf(const char* group, const std::string& cachePath)
{
    const QByteArray path = QByteArray::fromStdString(AbsolutePath(cachePath));
    return QString::fromLatin1(group) + "/" +
        QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
}

void Store(QSettings& profile, const QString& key, const std::string& value)
{
    if (value.empty())
        profile.remove(key);
    else
        profile.setValue(key, QString::fromStdString(value));
}

} // namespace

void RememberCacheOptions(
    QSettings& profile, const std::string& cachePath, const SavedCacheDigests& digests)
{
    Store(profile, KeyOf("ParseCacheOptions", cachePath), digests.options);
    Store(profile, KeyOf("ParseCacheBytes", cachePath), digests.bytes);
}

SavedCacheDigests RecallCacheOptions(QSettings& profile, const std::string& cachePath)
{
    return {profile.value(KeyOf("ParseCacheOptions", cachePath)).toString().toStdString(),
        profile.value(KeyOf("ParseCacheBytes", cachePath)).toString().toStdString()};
}
