#pragma once

#include <QString>
#include <memory>
#include <string>
#include <string_view>

class QGuiApplication;

// Fonts and text rendering need a Qt GUI application object, which programs
// and test mains make; library code never makes one. Without one, fonts are
// not created, text measures 0 and is not drawn.
bool HasGuiApplication();

// The application object of a program without windows (a benchmark, a
// command-line tool): on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise. Does nothing when an application object exists already.
class OffscreenGuiSession {
public:
    OffscreenGuiSession(int& argc, char** argv);
    ~OffscreenGuiSession();
    OffscreenGuiSession(const OffscreenGuiSession&) = delete;
    OffscreenGuiSession& operator=(const OffscreenGuiSession&) = delete;

private:
    std::unique_ptr<QGuiApplication> app_;
};

// An 8-bit text as Qt text: UTF-8 when it is valid UTF-8, otherwise Latin-1,
// so that no byte of an old source file is lost.
QString ToQString(std::string_view text);

// Qt text as UTF-8.
inline std::string ToUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}
