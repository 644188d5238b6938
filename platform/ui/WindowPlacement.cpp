#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <cstdint>
#include <cstdio>

namespace {

// Reads blanks, an optional sign and digits from `text` at `pos`.
std::optional<int64_t> ReadNumber(std::string_view text, size_t& pos)
{
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    const size_t start = pos;
    int64_t value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos++] - '0');
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    if (pos == start)
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

std::string FormatPlacement(const WindowPlacement& p)
{
    char text[160];
    std::snprintf(text, sizeof text, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", p.flags, p.showCmd,
        p.minPosition.x, p.minPosition.y, p.maxPosition.x, p.maxPosition.y, p.normal.left,
        p.normal.top, p.normal.right, p.normal.bottom);
    return text;
}

std::optional<WindowPlacement> ParsePlacement(std::string_view text)
{
    int64_t fields[10];
    size_t pos = 0;
    for (int i = 0; i < 10; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ',')
                return std::nullopt;
            ++pos;
        }
        std::optional<int64_t> number = ReadNumber(text, pos);
        if (!number)
            return std::nullopt;
        const bool isUnsigned = i < 2;
        if (isUnsigned ? *number < 0 : (*number < INT32_MIN || *number > INT32_MAX))
            return std::nullopt;
        fields[i] = *number;
    }
    WindowPlacement p;
    p.flags = static_cast<unsigned>(fields[0]);
    p.showCmd = static_cast<unsigned>(fields[1]);
    p.minPosition = {static_cast<int>(fields[2]), static_cast<int>(fields[3])};
    p.maxPosition = {static_cast<int>(fields[4]), static_cast<int>(fields[5])};
    p.normal = {static_cast<int>(fields[6]), static_cast<int>(fields[7]),
        static_cast<int>(fields[8]), static_cast<int>(fields[9])};
    return p;
}

WindowPlacement GetWindowPlacement(const QWidget& window)
{
    WindowPlacement p;
    const Qt::WindowStates state = window.windowState();
    if (window.isHidden())
        p.showCmd = SW_HIDE;
    else if (state & Qt::WindowMinimized)
        p.showCmd = SW_SHOWMINIMIZED;
    else if (state & Qt::WindowMaximized)
        p.showCmd = SW_SHOWMAXIMIZED;
    if ((state & Qt::WindowMinimized) && (state & Qt::WindowMaximized))
        p.flags = WPF_RESTORETOMAXIMIZED;
    QRect normal = window.normalGeometry();
    if (!normal.isValid())
        normal = window.geometry();
    p.normal = {normal.left(), normal.top(), normal.left() + normal.width(),
        normal.top() + normal.height()};
    return p;
}

QRect PlacementRect(const QWidget& window, const WindowPlacement& placement)
{
    QRect rect(placement.normal.left, placement.normal.top, placement.normal.Width(),
        placement.normal.Height());
    if (rect.width() <= 0 || rect.height() <= 0)
        rect.setSize(window.size());
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        if (screen->availableGeometry().intersects(rect))
            return rect;
    }
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect area = primary->availableGeometry();
        rect.setSize(rect.size().boundedTo(area.size()));
        rect.moveCenter(area.center());
    }
    return rect;
}

void SetWindowPlacement(QWidget& window, const WindowPlacement& placement)
{
    window.setGeometry(PlacementRect(window, placement));
    switch (placement.showCmd) {
    case SW_HIDE:
        window.hide();
        break;
    case SW_SHOWMAXIMIZED:
        window.showMaximized();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        if (placement.flags & WPF_RESTORETOMAXIMIZED)
            window.showMaximized();
        else
            window.showNormal();
        break;
    default:
        window.showNormal();
        break;
    }
}

std::optional<WindowPlacement> ReadPlacement(QSettings& settings, const std::string& name)
{
    const QVariant value = settings.value(
        QStringLiteral("%1/%2").arg(kPlacementSection, QString::fromStdString(name)));
    if (!value.isValid())
        return std::nullopt;
    // A value written without quotes comes back split at its commas.
    const QString text = value.typeId() == QMetaType::QStringList
        ? value.toStringList().join(QLatin1Char(','))
        : value.toString();
    return ParsePlacement(text.toStdString());
}

void WritePlacement(QSettings& settings, const std::string& name, const WindowPlacement& placement)
{
    settings.setValue(QStringLiteral("%1/%2").arg(kPlacementSection, QString::fromStdString(name)),
        QString::fromStdString(FormatPlacement(placement)));
}
