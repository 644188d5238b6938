#pragma once

#include "UiService.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <string>

// A dialog whose controls are known by numeric ids, as the program's dialog
// descriptions name them. Controls are made or bound with their id and then
// read and written through the id; a dialog fills its controls from its record
// in one function and reads them back in another (no automatic exchange).
//
// Notifications come only from what the user does: a button clicked, a
// combo-box item chosen or a list box's selection changed (`activated`), an
// edit's text typed (`textEdited`).
// Filling the controls from code never runs a handler.
//
// Buttons bound to id 1 and 2 are OK and Cancel: OK runs OnOK (by default
// ending the dialog with IDOK), Cancel, Escape and the close box run OnCancel
// (ending it with IDCANCEL).
class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(QWidget* parent = nullptr);
    ~CDialog() override;

    // Prepares the dialog (OnInitDialog, once) and runs it modally through the
    // user-interface service; returns the result it was ended with.
    int DoModal();
    // Prepares the dialog without running it: modeless use, and tests.
    void Initialize();
    void EndDialog(int result);

    // Makes a control with this dialog as parent and binds it to the id.
    template <typename Widget, typename... Args> Widget* Make(int id, Args&&... args)
    {
        auto* widget = new Widget(std::forward<Args>(args)...);
        widget->setParent(this);
        Bind(id, widget);
        return widget;
    }
    void Bind(int id, QWidget* control);
    // Appends "OK(&O)", the default button, and, when asked, "Cancel(&C)" to
    // a row of buttons.
    void AddOkCancel(QBoxLayout* row, bool withCancel = true);
    // The control bound to the id; null when there is none.
    QWidget* Item(int id) const;
    template <typename Widget> Widget* ItemAs(int id) const
    {
        return qobject_cast<Widget*>(Item(id));
    }

    void EnableItem(int id, bool enable = true);
    void ShowItem(int id, bool show = true);
    // Edits, labels, buttons and group boxes: their text. Combo boxes: the
    // edit text when editable, else the item with that text (case ignored)
    // is selected, or none.
    void SetItemText(int id, const std::string& text);
    std::string GetItemText(int id) const;
    void SetItemInt(int id, int value);
    // The text read as a decimal integer (see DecimalOrZero): leading white
    // space, a sign and the digits up to the first other character; no
    // digits give 0.
    int GetItemInt(int id) const;
    // The text as a number in [low, high]; otherwise a message box asks for
    // one, the control gets the focus, and the result is empty.
    std::optional<double> GetItemDouble(int id, double low, double high);
    // Check boxes and radio buttons: 0 unchecked, 1 checked, 2 partly.
    void CheckItem(int id, int check);
    int IsItemChecked(int id) const;
    // Combo boxes and lists: the selected index, -1 for none.
    void SetCurSel(int id, int index);
    int GetCurSel(int id) const;

    void OnClicked(int id, std::function<void()> handler);
    void OnActivated(int id, std::function<void(int index)> handler);
    void OnTextEdited(int id, std::function<void()> handler);

protected:
    // Runs once before the dialog is shown; the controls exist.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    void accept() override;
    void reject() override;

private:
    // Runs a handler unless the dialog is filling its controls itself.
    void Notify(const std::function<void()>& handler) const;

    std::map<int, QPointer<QWidget>> items_;
    bool initialized_ = false;
    int filling_ = 0;
};
