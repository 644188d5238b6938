// Renders the platform layer's windows to PNG files for a person to look at:
//     ui_gallery <folder>
// On a real display (xcb) it also saves the whole screen with each window.

#include "AppPrinter.h"
#include "DesktopUi.h"
#include "DeviceContext.h"
#include "Dialog.h"
#include "FadingNotice.h"
#include "PrintPreviewDialog.h"
#include "ScrollView.h"
#include "WidgetPicture.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSize>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

QString folder;

void Pump()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void Save(QWidget& widget, const char* name)
{
    Pump();
    SaveWidgetPicture(widget, folder, name);
}

// A margin dialog as the program will build one on the dialog base.
class MarginDialog : public CDialog {
public:
    MarginDialog()
    {
        setWindowTitle("Margin");
        auto* group = new QGroupBox("Margins", this);
        auto* grid = new QGridLayout(group);
        const std::pair<int, const char*> edges[] = {
            {1001, "Left"}, {1002, "Top"}, {1003, "Right"}, {1004, "Bottom"}};
        int row = 0;
        for (const auto& [id, label] : edges) {
            grid->addWidget(new QLabel(label), row, 0);
            grid->addWidget(Make<QLineEdit>(id), row, 1);
            grid->addWidget(new QLabel("mm"), row, 2);
            ++row;
        }
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Make<QPushButton>(IDOK, "&OK"));
        buttons->addWidget(Make<QPushButton>(IDCANCEL, "&Cancel"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(group);
        layout->addLayout(buttons);
    }

protected:
    bool OnInitDialog() override
    {
        SetItemText(1001, "3.00");
        SetItemText(1002, "10.00");
        SetItemText(1003, "3.00");
        SetItemText(1004, "10.00");
        return true;
    }
};

// A picture of boxes in rows, printed over several pages.
struct BoxPicture : PageImageSource {
    CSize PrintImageSize() const override { return {1400, 1300}; }
    void DrawPrintImage(CDC& dc) override
    {
        dc.FillSolidRect(0, 0, 1400, 1300, RGB(255, 255, 255));
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 6; ++column) {
                const int x = 20 + column * 230;
                const int y = 20 + row * 160;
                dc.FillSolidRect(x, y, 200, 130, RGB(208, 227, 244));
                dc.FillSolidRect(x, y, 200, 24, RGB(0, 0, 128));
                dc.SetBkMode(TRANSPARENT);
                dc.SetTextColor(RGB(255, 255, 255));
                const std::string name = "CClass" + std::to_string(row * 6 + column);
                dc.TextOut(x + 6, y + 4, name);
                dc.SetTextColor(RGB(0, 0, 0));
                dc.TextOut(x + 6, y + 40, "+ OnDraw(CDC*)");
                dc.TextOut(x + 6, y + 60, "- m_count : int");
            }
        }
    }
};

class PictureView : public CScrollView {
protected:
    void OnDraw(CDC* dc) override { picture.DrawPrintImage(*dc); }
    BoxPicture picture;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_gallery <folder>\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);

    auto box = DesktopUi::BuildMessageBox(UiService::SaveChangesText("demo.kst"),
        MessageButtons::YesNoCancel, MessageIcon::Warning, {}, nullptr);
    box->show();
    Save(*box, "message-box");
    box->hide();

    FadingNotice* notice = FadingNotice::Start("Project saved: /home/user/demo.kst", nullptr);
    notice->Tick();
    notice->Tick();
    Save(*notice, "fading-notice");
    notice->close();

    MarginDialog dialog;
    dialog.Initialize();
    dialog.show();
    Save(dialog, "dialog");
    dialog.hide();

    PictureView view;
    view.resize(500, 360);
    view.SetScrollSizes({1400, 1300});
    view.show();
    view.ScrollToPosition({200, 150});
    Save(view, "scroll-view");
    view.hide();

    AppPrinter printer;
    printer.Printer().setPageSize(QPageSize(QPageSize::A4));
    printer.SetPdfOutput("/dev/null");
    BoxPicture picture;
    PrintPreviewDialog preview(printer, picture, [](PrintMargins&) { return false; });
    preview.show();
    preview.ToggleTwoPages();
    Save(preview, "print-preview");
    return 0;
}
