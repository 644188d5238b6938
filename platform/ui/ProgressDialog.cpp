#include "ProgressDialog.h"

#include <QProgressBar>
#include <QVBoxLayout>

CDialogProgress::CDialogProgress(QWidget* parent) : CDialog(parent)
{
    setWindowTitle("Loading Progress");
    setModal(false);
    bar_ = Make<QProgressBar>(IDC_PROGRESS);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setMinimumWidth(300);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
}
