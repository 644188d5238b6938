#pragma once

#include "GdiTypes.h"

#include <QComboBox>

// The colour list of the Visual Setting dialogs: one row per named colour
// (NamedColor.h), each shown as a swatch with its name, in table order, so a
// row's index is its place in the table. A colour outside the table shows as
// the last row, "custom", whose colour the whole program shares.
//
// A right click opens the colour chooser at the current colour; a colour
// chosen there becomes the colour of "custom", its first row is selected
// (a named colour shows its name) and the choice ends in `activated`,
// exactly as a row picked from the list does. A cancelled chooser changes
// nothing.
class CColorComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CColorComboBox(QWidget* parent = nullptr);

    // The colour of the selected row; black when none is selected.
    COLORREF GetSelectedColor() const;
    // Selects the first row of the colour; any other colour becomes the
    // colour of "custom", which is selected.
    void SelectColor(COLORREF color);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void SetRowColor(int row, COLORREF color);
};
