#pragma once

#include "ElementStyleTable.h"
#include "MacroArrangeOptions.h"
#include "MacroGroups.h"
#include "MacroLayoutNode.h"
#include "PreviewView.h"
#include "VisualSetting.h"

#include <vector>

// The macro view of "preview.dat": every box unfolded, sorted by name
// whatever the user's options say, and no box kept as a bitmap, so that a
// colour change shows in every box at the next paint.
class CMacroPreviewView : public CPreviewView {
    Q_OBJECT
public:
    explicit CMacroPreviewView(const COptions& options, QWidget* parent = nullptr);
    ~CMacroPreviewView() override;

    // The pair to draw with (the dialog's working pair).
    void SetSetting(CVisualSetting* fonts, ElementStyleTable* styles);

    const std::vector<MacroLayoutNode>& Nodes() const { return nodes_; }
    // The client width the layout arranges in, never below 0.
    int GetClientWidth() const;

protected:
    void OnAnalysed(CModelScope* root) override;
    COLORREF Background() const override;
    void Paint(CDC* dc) override;

private:
    CModelScope* root_ = nullptr;
    CVisualSetting* fonts_ = nullptr;
    ElementStyleTable* styles_ = nullptr;
    MacroGroups groups_;
    MacroBoxBudget boxes_ {0, 0};
    std::vector<MacroLayoutNode> nodes_;
};
