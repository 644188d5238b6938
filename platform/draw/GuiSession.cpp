#include "GuiSession.h"

#include <QGuiApplication>
#include <cstdlib>

bool HasGuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

OffscreenGuiSession::OffscreenGuiSession(int& argc, char** argv)
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

OffscreenGuiSession::~OffscreenGuiSession() = default;

namespace {

bool IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n)
                return false;
            unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
        }
        i += extra + 1;
    }
    return true;
}

} // namespace

QString ToQString(std::string_view text)
{
    const auto size = static_cast<qsizetype>(text.size());
    if (IsValidUtf8(text))
        return QString::fromUtf8(text.data(), size);
    return QString::fromLatin1(text.data(), size);
}
