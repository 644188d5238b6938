#include "ColorComboBox.h"

#include "NamedColor.h"
#include "UiService.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace {

constexpr int kColorRole = Qt::UserRole;
const QSize kSwatchSize(28, 12);

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QIcon MakeSwatch(COLORREF color)
{
    QPixmap pixmap(kSwatchSize);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, kSwatchSize.width() - 1, kSwatchSize.height() - 1);
    return QIcon(pixmap);
}

// The swatches of the fixed rows, made once for every list.
const QIcon& FixedSwatch(size_t row)
{
    static std::array<QIcon, kCustomColorIndex> swatches;
    if (swatches[row].isNull())
        swatches[row] = MakeSwatch(NamedColorTable[row].color);
    return swatches[row];
}

} // namespace

CColorComboBox::CColorComboBox(QWidget* parent) : QComboBox(parent)
{
    setIconSize(kSwatchSize);
    setMaxVisibleItems(20);
    for (size_t row = 0; row < kNamedColorCount; ++row) {
        const COLORREF color = NamedColorTable[row].color;
        const QIcon icon = row < kCustomColorIndex ? FixedSwatch(row) : MakeSwatch(color);
        addItem(icon, QString::fromLatin1(NamedColorTable[row].name), QVariant::fromValue(color));
    }
    setCurrentIndex(0);
}

COLORREF CColorComboBox::GetSelectedColor() const
{
    const int row = currentIndex();
    return row < 0 ? 0 : itemData(row, kColorRole).value<COLORREF>();
}

void CColorComboBox::SetRowColor(int row, COLORREF color)
{
    setItemData(row, QVariant::fromValue(color), kColorRole);
    setItemIcon(row, MakeSwatch(color));
}

void CColorComboBox::SelectColor(COLORREF color)
{
    for (int row = 0; row < count(); ++row) {
        if (itemData(row, kColorRole).value<COLORREF>() == color) {
            setCurrentIndex(row);
            return;
        }
    }
    SetCustomColor(color);
    const int custom = static_cast<int>(kCustomColorIndex);
    SetRowColor(custom, color);
    setCurrentIndex(custom);
}

void CColorComboBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QComboBox::mousePressEvent(event);
        return;
    }
    event->accept();
    const std::optional<COLORREF> chosen = Ui().ChooseColor(GetSelectedColor());
    if (!chosen)
        return;
    // The chosen colour becomes "custom" even when a named row has it, so
    // that the list offers it again; the named row is the one selected.
    SetCustomColor(*chosen);
    SetRowColor(static_cast<int>(kCustomColorIndex), *chosen);
    SelectColor(*chosen);
    setFocus();
    emit activated(currentIndex());
}
