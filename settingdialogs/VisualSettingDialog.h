#pragma once

#include "Dialog.h"
#include "SettingForm.h"
#include "ThemeCatalog.h"

#include <QSize>
#include <string>
#include <vector>

class COptions;
class CPreviewView;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;

// What the four Visual Setting dialogs share: a preview of a sample beside
// the controls, the controls made from the dialog's form (each change
// written to the working record at once and the preview refreshed as the
// form asks), and the themes: "Current" (the record the dialog was opened
// with) and the named colour files of ThemeCatalog.
//
// The caller copies the live setting into the form's working record, runs
// the dialog, and copies the working record back only when it ended with
// OK; Cancel, Escape and the close box leave the live setting alone. Themes
// saved or removed stay so.
class CVisualSettingDialog : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_THEME = 1126;
    static constexpr int IDC_SAVE_AS = 1128;
    static constexpr int IDC_REMOVE = 1025;
    static constexpr int IDC_SHADING = 1137;

    // Themes are listed from `userColorFolder` and `programColorFolder`
    // (empty: the user's and the program's "Color" folders). The form may
    // be a member of the derived dialog: it is not used before OnInitDialog
    // and the derived constructor.
    CVisualSettingDialog(SettingForm& form, COptions& options, QWidget* parent = nullptr,
        std::string userColorFolder = {}, std::string programColorFolder = {});
    ~CVisualSettingDialog() override;

    // The preview, made when the dialog is prepared.
    CPreviewView* Preview() const { return preview_; }

    // Every control from the working record.
    void FillControls();

protected:
    bool OnInitDialog() override;

    // Makes the preview (not yet analysed) and hands it the working
    // setting once analysed.
    virtual CPreviewView* CreatePreview() = 0;
    virtual void GiveSetting() = 0;
    // After the controls were filled (from the record or a theme).
    virtual void AfterFill() { }
    // After the preview was placed and analysed.
    virtual void AfterPreview() { }

    // Lays the dialog out: the preview's frame of `previewSize` (with
    // `abovePreview` over it), the dialog's own controls, then the theme
    // controls and OK and Cancel.
    void BuildFrame(QSize previewSize, QWidget* settings, QWidget* abovePreview = nullptr);

    // Controls of the form's fields, made and bound to their ids.
    QComboBox* MakeColor(int id);
    QComboBox* MakeChoice(int id);
    QLineEdit* MakeNumberEdit(int id);
    QComboBox* MakeNumberList(int id);
    QCheckBox* MakeFlag(int id, const char* text);
    // The face list, "B" box and size list of a font in three columns.
    void AddFontRow(QGridLayout* grid, int row, int column, const SettingForm::FontField& font);
    // A row of a label, a font (when `font` is set) and up to three colours
    // in the text, border and background columns (fewer than three: the
    // last columns, unless `firstColor` names the first).
    void AddStyleRow(QGridLayout* grid, int row, const char* label,
        const SettingForm::FontField* font, std::vector<int> colors, int firstColor = -1);

    // Destroys the preview; the derived dialog's destructor calls it, since
    // the preview draws with the derived dialog's record.
    void DeletePreview();

    // Runs the change's refresh on the preview.
    void ApplyRefresh(Refresh refresh);
    // Whether the preview repaints at once (else at the event loop's pass).
    bool repaintNow_ = false;
    SettingForm& form_;
    COptions& Options() const { return options_; }

private:
    void BindControls();
    void FillFaceLists();
    void FillThemeList();
    void OnSelectTheme();
    void OnSaveAs();
    void OnRemove();
    void OnNumberEdited(int id);
    void ShowMessage(int text);
    ThemeCatalog Catalog() const;

    COptions& options_;
    std::string userColorFolder_;
    std::string programColorFolder_;
    std::vector<ThemeCatalog::Entry> themes_; // the list's rows after "Current"
    QGroupBox* previewFrame_ = nullptr;
    QSize previewSize_;
    CPreviewView* preview_ = nullptr;
    std::vector<int> numberLists_; // editable lists of numbers
    bool initialized_ = false;
};

// Text 205 with the count put in place of its "%d".
std::string RemoveQuestion(int count);
