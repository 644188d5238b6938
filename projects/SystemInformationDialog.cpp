#include "SystemInformationDialog.h"

#include "LinedTree.h"
#include "SystemFacts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString FromCrLf(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace("\r\n", "\n");
    return shown;
}

} // namespace

CDialogSystemInformation::CDialogSystemInformation(SystemFactsGatherer& facts, QWidget* parent)
    : CDialog(parent), facts_(facts)
{
    setWindowTitle("System Information");
    tree_ = Make<CLinedTree>(IDC_TREE, QColor(0, 0, 200));
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setFixedWidth(140);
    auto* text = Make<QTextEdit>(IDC_TEXT);
    text->setReadOnly(true);
    QFont font("Tahoma");
    font.setPixelSize(14);
    text->setFont(font);
    QPalette colours = text->palette();
    colours.setColor(QPalette::Base, QColor(250, 248, 255));
    colours.setColor(QPalette::Text, QColor(0, 0, 220));
    text->setPalette(colours);

    auto* panes = new QHBoxLayout;
    panes->addWidget(tree_);
    panes->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    AddOkCancel(buttons, false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(buttons);
    resize(600, 340);

    connect(tree_, &QTreeWidget::currentItemChanged, this,
        [this](QTreeWidgetItem* item) { Show(item); });
}

bool CDialogSystemInformation::OnInitDialog()
{
    const CSystemInfo info = facts_.Gather();
    hardware_ = HardwareText(info);
    software_ = SoftwareText(info);

    root_ = new QTreeWidgetItem(tree_, {"Information"});
    hardwareItem_ = new QTreeWidgetItem(root_, {"Hardware"});
    softwareItem_ = new QTreeWidgetItem(root_, {"Software"});
    QFont bold = tree_->font();
    bold.setBold(true);
    root_->setFont(0, bold);
    root_->setExpanded(true);
    tree_->setCurrentItem(hardwareItem_);
    Show(hardwareItem_);
    return true;
}

void CDialogSystemInformation::SelectNode(int node)
{
    QTreeWidgetItem* items[] = {root_, hardwareItem_, softwareItem_};
    if (node >= 0 && node < 3 && items[node] != nullptr)
        tree_->setCurrentItem(items[node]);
}

std::string CDialogSystemInformation::ShownText() const
{
    return ItemAs<QTextEdit>(IDC_TEXT)->toPlainText().toStdString();
}

void CDialogSystemInformation::Show(QTreeWidgetItem* item)
{
    auto* text = ItemAs<QTextEdit>(IDC_TEXT);
    if (item == hardwareItem_)
        text->setPlainText(FromCrLf(hardware_));
    else if (item == softwareItem_)
        text->setPlainText(FromCrLf(software_));
    else
        text->setPlainText("Welcome to System Information.");
}
