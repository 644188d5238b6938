#pragma once

#include "Dialog.h"
#include "SystemInfo.h"

class QTreeWidget;
class QTreeWidgetItem;
class SystemFactsGatherer;

// "System Information": gathers the machine's facts once when it opens and
// shows the hardware text, the software text or a welcome line, by the node
// chosen in the tree ("Information" with "Hardware" and "Software" under it).
class CDialogSystemInformation : public CDialog {
    Q_OBJECT
public:
    static constexpr int IDC_TEXT = 1129;
    static constexpr int IDC_TREE = 1187;

    CDialogSystemInformation(SystemFactsGatherer& facts, QWidget* parent = nullptr);

    // Chooses a node: 0 the root, 1 hardware, 2 software.
    void SelectNode(int node);
    std::string ShownText() const;

protected:
    bool OnInitDialog() override;

private:
    void Show(QTreeWidgetItem* item);

    SystemFactsGatherer& facts_;
    std::string hardware_;
    std::string software_;
    QTreeWidget* tree_;
    QTreeWidgetItem* root_ = nullptr;
    QTreeWidgetItem* hardwareItem_ = nullptr;
    QTreeWidgetItem* softwareItem_ = nullptr;
};
