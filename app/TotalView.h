#pragma once

#include "ElementStyleTable.h"
#include "MacroGroups.h"
#include "MacroLayoutNode.h"
#include "ModelHolders.h"
#include "ScrollView.h"
#include "VisualSetting.h"

#include <vector>

class AppContext;
class CKestrinDoc;

// The top-left pane: the macro view of the whole project, one box per
// namespace, class, struct, union and enum, with the groups of global
// functions and variables. Its fonts and colours are read from the default
// colour file at construction and written back at destruction.
class CTotalView : public CScrollView {
    Q_OBJECT
public:
    CTotalView(AppContext& context, CKestrinDoc& document, QWidget* parent = nullptr);
    ~CTotalView() override;

    CVisualSetting& Fonts() { return fonts_; }
    ElementStyleTable& Style() { return style_; }

    // The dialog bar's hidden check boxes: the first two rebuild the layout
    // when they change, the third goes to each run.
    bool showHeaders = true;
    bool fileName = false;
    bool parseHeaders = false;
    // Builds the layout tree again from the model at the next paint (not
    // while a Draw runs: the run's end does it).
    void RebuildLayout();
    // Requests to the next paint: arrange again, measure again.
    bool rearrange = false;
    bool remeasure = false;

protected:
    void OnDraw(CDC* dc) override;

private:
    // Forgets the layout tree (the model it points into is going).
    void ForgetLayout();

    AppContext& context_;
    CKestrinDoc& document_;
    CVisualSetting fonts_;
    ElementStyleTable style_;
    MacroGroups groups_;
    std::vector<MacroLayoutNode> nodes_;
    ModelHolders::Registration holder_;
};
