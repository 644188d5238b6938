#pragma once

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <cstdio>

// Saves the widget as NAME.png in the folder (made when missing) and prints
// the path, or says on the error stream that it could not; on a real X
// display also the whole screen as NAME-screen.png, which shows the
// window's frame.
inline void SaveWidgetPicture(QWidget& widget, const QString& folder, const char* name)
{
    const QString path = folder + "/" + name + ".png";
    if (!QDir().mkpath(folder) || !widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.toUtf8().constData());
        return;
    }
    std::printf("%s\n", path.toUtf8().constData());
    if (QGuiApplication::platformName() == "xcb") {
        const QString screenPath = folder + "/" + name + "-screen.png";
        QGuiApplication::primaryScreen()->grabWindow(0).save(screenPath);
        std::printf("%s\n", screenPath.toUtf8().constData());
    }
}
