#include "AboutDialog.h"

#include "ButtonImages.h"
#include "HelpPages.h"
#include "HyperLink.h"
#include "ProgramFolder.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDialogAbout::CDialogAbout(QWidget* parent) : CDialog(parent)
{
    setWindowTitle("About Kestrin");
    auto* picture = new QLabel(this);
    picture->setPixmap(AboutPicture(64));
    picture->setAlignment(Qt::AlignTop);

    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel("Kestrin Version"), 0, 0);
    auto* version = Make<QLineEdit>(IDC_VERSION);
    version->setReadOnly(true);
    grid->addWidget(version, 0, 1);
    grid->addWidget(new QLabel("Homepage :"), 1, 0);
    home_ = Make<CHyperLink>(IDC_HOME_LINK);
    grid->addWidget(home_, 1, 1);
    grid->addWidget(new QLabel("Tech. Support :"), 2, 0);
    support_ = Make<CHyperLink>(IDC_SUPPORT_LINK);
    grid->addWidget(support_, 2, 1);
    auto* notice = new QLabel("Kestrin draws C and C++ projects as macro views, flow charts,\n"
                              "Nassi-Shneiderman diagrams and sequence diagrams.\n"
                              "It reads your sources and never changes them.");
    grid->addWidget(notice, 3, 0, 1, 2);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(frame, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Make<QPushButton>(IDOK, "OK"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

bool CDialogAbout::OnInitDialog()
{
    home_->SetURL(kHomePage);
    home_->SetText(kHomePage);
    support_->SetURL(std::string("mailto:") + kSupportMail);
    support_->SetText(kSupportMail);
    SetItemText(IDC_VERSION, GetProductVersion());
    return true;
}
