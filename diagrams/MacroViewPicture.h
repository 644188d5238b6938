#pragma once

#include "GdiTypes.h"
#include "MacroArrangement.h"
#include "MacroArrangeOptions.h"
#include "MacroLayoutNode.h"
#include "PreparedMacroTree.h"
#include "ElementStyleTable.h"
#include "VisualSetting.h"

#include <atomic>
#include <limits>
#include <optional>
#include <vector>

class CDC;
class CModelScope;
struct MacroGroups;

// What one paint of a macro view has to do before it draws.
struct MacroViewSteps {
    // Build the layout tree from the model root anew (and measure it).
    bool build = false;
    // Measure every box again: the fonts or colours changed.
    bool measure = false;
    // Sort, size and place the boxes again.
    bool arrange = false;
};

// The macro view's picture of a model: the layout tree is built from the
// model root, measured in the view's fonts, arranged to the window's width
// and drawn. The main window's macro view and the macro Visual Setting
// preview both paint through it, each with its own tree, groups, bitmap
// budget, fonts and colours, which must outlive the picture.
class MacroViewPicture {
public:
    static constexpr int kBorder = 1;

    // What Update would do for a build, done on any thread: it works on
    // copies of the fonts and colours taken when the job was made, measures
    // without a window and only reads the model and the picture's groups.
    class PrepareJob {
    public:
        // The tree of `root`, or nothing when `stop` came first.
        std::optional<PreparedMacroTree> Run(CModelScope* root, const std::atomic<bool>& stop);

    private:
        friend class MacroViewPicture;
        PrepareJob(CVisualSetting fonts, const ElementStyleTable& style, MacroGroups& groups,
            const MacroArrangeOptions& options, int width, int tallerThan, int widthIfTaller);

        CVisualSetting fonts_;
        ElementStyleTable style_;
        MacroGroups* groups_;
        MacroArrangeOptions options_;
        int width_;
        int tallerThan_;
        int widthIfTaller_;
    };

    // Arranges the picture's present tree for another width on any thread:
    // it reads the tree as it runs and writes nothing a paint reads (only
    // the relative positions), so that paints, hit tests and numbering may
    // go on meanwhile; nothing else may change the tree, and the model must
    // stay, until it has returned.
    class ArrangeJob {
    public:
        // The sizes and marks for the width, or nothing when `stop` came first.
        std::optional<MacroArrangement> Run(const std::atomic<bool>& stop) const;

    private:
        friend class MacroViewPicture;
        ArrangeJob(std::vector<MacroLayoutNode>& nodes, const ElementStyleTable& style,
            const MacroArrangeOptions& options, int width);

        std::vector<MacroLayoutNode>* nodes_;
        int unitSpace_;
        int grouping_;
        MacroArrangeOptions options_;
        int width_;
    };

    MacroViewPicture(std::vector<MacroLayoutNode>& nodes, MacroGroups& groups,
        MacroBoxBudget& boxes, CVisualSetting& fonts, const ElementStyleTable& style);

    // Builds, measures and arranges what the steps ask for; a build or a
    // measure always arranges. Returns the arranged size (the scroll size),
    // or nothing when no step ran. A build without a model root leaves the
    // tree empty.
    // A build takes the prepared tree instead when it was built from
    // `root`, and its arrangement as well when nothing asks to measure or
    // arrange and it was arranged for these options and this width.
    std::optional<CSize> Update(const MacroViewSteps& steps, CModelScope* root,
        const MacroArrangeOptions& options, int width, CDC* dc,
        std::optional<PreparedMacroTree> prepared = std::nullopt);
    // A job preparing a tree in the fonts and colours the picture has now,
    // arranged for these options and `width`, or for `widthIfTaller` when
    // the tree comes out taller than `tallerThan` (a window that will show
    // its vertical scroll bar for it).
    PrepareJob MakePrepareJob(const MacroArrangeOptions& options, int width,
        int tallerThan = std::numeric_limits<int>::max(), int widthIfTaller = 0) const;
    // A job arranging the present tree for these options and this width.
    ArrangeJob MakeArrangeJob(const MacroArrangeOptions& options, int width) const;
    // Gives the tree the sizes and places of an arrangement such a job
    // made; returns the arranged size, or nothing when the tree holds other
    // elements than it did for the job or was not in the options' order
    // then (it needs arranging again).
    std::optional<CSize> TakeArrangement(const MacroArrangement& arrangement);
    // Draws the arranged tree (nothing when it is empty).
    void Draw(CDC* dc);

    // The running number after the last build's numbering.
    int NodeCount() const { return nodeCount_; }
    // How often Update arranged the tree itself rather than taking a
    // prepared arrangement.
    int Arrangements() const { return arrangements_; }

private:
    std::vector<MacroLayoutNode>& nodes_;
    MacroGroups& groups_;
    MacroBoxBudget& boxes_;
    CVisualSetting& fonts_;
    const ElementStyleTable& style_;
    int nodeCount_ = 0;
    int arrangements_ = 0;
};
