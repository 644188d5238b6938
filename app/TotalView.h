#pragma once

#include "DefaultColorFiles.h"
#include "ElementStyleTable.h"
#include "LargeStackThread.h"
#include "MacroArrangeOptions.h"
#include "MacroGroups.h"
#include "MacroArrangeWorker.h"
#include "MacroLayoutNode.h"
#include "MacroViewPicture.h"
#include "ModelHolders.h"
#include "ParseCacheReader.h"
#include "PrintImage.h"
#include "ScrollView.h"
#include "StepTimes.h"
#include "VisualSetting.h"

#include <QTimer>
#include <cstdint>
#include <functional>
#include <vector>

class AppContext;
class CAnalyzer;
class CDialogProgress;
class CKestrinDoc;
class CMainFrame;
class CModelScope;
class CUnit;

// The top-left pane: the macro view of the whole project, one box per
// namespace, class, struct, union and enum, with the groups of global
// functions and variables. A click selects an item for the detail view and
// the code window; boxes fold and unfold, and can be dragged while automatic
// sorting is off.
//
// It also runs Draw: the analysis goes to a thread of its own, which only
// posts its end back; the view's layout tree, which points into the model,
// is forgotten before a run (or anything else) replaces the model, and built
// again from the new model at the next paint. Fonts and colours are read
// from the default colour file at construction and written back at
// destruction.
class CTotalView : public CScrollView, public PrintableView {
    Q_OBJECT
public:
    CTotalView(AppContext& context, CKestrinDoc& document, QWidget* parent = nullptr);
    // Stops a running Draw and waits for it.
    ~CTotalView() override;

    // The frame whose detail view and code window follow the selection.
    void SetFrame(CMainFrame* frame) { frame_ = frame; }

    // The macro view's fonts and colours (the detail box is drawn in them too).
    CVisualSetting& Fonts() { return fonts_; }
    ElementStyleTable& Style() { return style_; }
    // Changed fonts and colours (the macro Visual Setting dialog's OK)
    // replace the live ones: the next paint measures and arranges every box
    // again, the document's rebuild flag is set for the detail box, and both
    // views are repainted.
    void ApplyMacroSetting(const CVisualSetting& fonts, const ElementStyleTable& style);

    // The dialog bar's hidden check boxes: the first two rebuild the layout
    // when they change, the third goes to each run.
    bool ShowHeaders() const { return showHeaders_; }
    void SetShowHeaders(bool show);
    bool ShowsFileName() const { return fileName_; }
    void SetShowsFileName(bool show);
    bool ParsesHeaders() const { return parseHeaders_; }
    void SetParsesHeaders(bool parse) { parseHeaders_ = parse; }
    // The next paint arranges the boxes again; repaints.
    void Rearrange();
    bool RearrangePending() const { return rearrange_; }
    // From how many boxes a new width is arranged on a thread of its own
    // while the view keeps showing the present arrangement; smaller trees
    // (up to about 5 ms of arranging) are arranged at once.
    static constexpr int kArrangeAwayFrom = 50000;
    void SetArrangeAwayFrom(int boxes) { arrangeAwayFrom_ = boxes; }
    // An arrangement for a new width is being made away from the window.
    bool ArrangingAway() const { return arranger_.Pending(); }

    // --- The run (TotalViewDraw.cpp) ---

    // Starts a Draw; refused with a message while one runs.
    void StartDraw();
    // Gives the project input what a run reads the files with: the chosen
    // include folders, the predefined words and the reading options. Opening
    // a project checks its cache against the same.
    void ApplyRunOptions();
    // Asks the run to stop; it ends after its current step.
    void StopDraw();
    // Stops a running Draw and waits until it has returned; a load is
    // abandoned.
    void StopAndWait();

    // Fills the model the way a run does, on the run's thread: `load` reads
    // the analysis driver's records there (true when it did), handing
    // `steps` to the cache's reader, whose awaitMemory waits until the
    // model replaced before has been freed; the model is then rebuilt from
    // them and its tree prepared. The Draw commands are greyed meanwhile
    // and nothing paints the model. `done` is called here, once the thread
    // has been joined, with the answer of `load`. False, with nothing
    // started, while a run or a load goes.
    // `beside`, when given, runs on a thread of its own while the model is
    // rebuilt and its tree prepared, once `load` found records: it may read
    // the records, never the model. It has ended before `done` is called.
    using Load = std::function<bool(CAnalyzer&, const CacheLoadSteps& steps)>;
    using Beside = std::function<void(const CAnalyzer&)>;
    bool StartLoad(Load load, std::function<void(bool)> done, Beside beside = nullptr);
    // Waits for a load to end and drops its `done`.
    void AbandonLoad();
    bool Loading() const { return static_cast<bool>(loadDone_); }
    // How long the steps of the last load took, once it has ended: those
    // the reader notes, what `load` notes itself, "rebuild" (the model),
    // "macro" (its macro view's tree prepared) and "beside" (waiting for
    // `beside` after that).
    const StepTimes& LastLoadSteps() const { return lastLoadSteps_; }

    // --- The picture ---

    // Forgets the model and every parse result: the next Draw reads every
    // file again. False (nothing done) while a Draw runs.
    bool ClearAll();
    // Forgets the selection (the view's, the document's, the code window's).
    void ClearSelection();
    void FoldAll();
    void UnfoldAll();
    // Builds the layout tree again from the model at the next paint (not
    // while a Draw runs: the run's end does it).
    void RebuildLayout();

    const std::vector<MacroLayoutNode>& Nodes() const { return nodes_; }
    // How often a paint arranged the macro view's tree itself.
    int Arrangements() const { return picture_.Arrangements(); }
    const MacroLayoutNode* Selected() const { return selected_; }
    // Clicks and drags in view coordinates, as the mouse gives them.
    void Click(CPoint point);
    void DoubleClick(CPoint point);
    void Drag(CPoint point);

    // Printing: the whole macro view as it shows; refused, with a message,
    // while it shows no model.
    bool OnPreparePrinting() override;
    CSize PrintImageSize() const override { return GetTotalSize(); }
    void DrawPrintImage(CDC& dc) override;
    COLORREF PrintBackground() const override { return style_.BackGroundColor; }

signals:
    // The run has returned and its model is in place.
    void DrawFinished();
    // A paint has drawn the macro view of a model.
    void MacroViewPainted();

protected:
    void OnDraw(CDC* dc) override;
    void OnLButtonDown(unsigned flags, CPoint point) override;
    void OnRButtonDown(unsigned flags, CPoint point) override;
    void OnLButtonDblClk(unsigned flags, CPoint point) override;
    void OnMouseMove(unsigned flags, CPoint point) override;
    bool OnMouseWheel(unsigned flags, int delta, CPoint point) override;
    void OnSize(int width, int height) override;

private:
    void UpdateAndDrawMacroView(CDC* dc);
    void RefindSelection();
    void InvertSelection(CDC* dc);
    void SelectItem(MacroLayoutNode& node, CPoint point);
    // Shows the selected element's source in the code window, its lines marked.
    void ShowInCodeWindow(const CModelScope& element, const CUnit& unit, bool function);
    void SetAllOpen(bool open);
    // Forgets everything that points into the model.
    void ForgetModel();
    // Arranges the tree for the view's new width on the worker; false when
    // no thread could be had.
    bool ArrangeAway(int width);
    void TakeArrangement(const MacroArrangement& arrangement);
    // Stops an arrangement made away from the window before anything else
    // changes the tree or the model; true when one was pending.
    bool StopArrangingAway() { return arranger_.Cancel(); }
    void OnDrawThreadDone();
    // The end of a load, after its thread was joined.
    void FinishLoad(bool abandoned);
    // A job preparing the macro view's tree for the width the view will
    // have once it shows it: without a vertical scroll bar, or with one when
    // the tree is taller than the view.
    MacroViewPicture::PrepareJob MakePrepareJob() const;
    // Shows the scroll bars the prepared tree needs before it is painted
    // (their own update would come after the paint), so that the paint finds
    // the width the tree was arranged for. Called while the run still
    // counts as going, so that the new size asks for no new arrangement.
    void ShowScrollBarsForPreparedTree();
    MacroArrangeOptions ArrangeOptions() const;

    AppContext& context_;
    CKestrinDoc& document_;
    CMainFrame* frame_ = nullptr;
    bool showHeaders_ = true;
    bool fileName_ = false;
    bool parseHeaders_ = false;
    // Requests to the next paint: arrange again, measure again.
    bool rearrange_ = false;
    bool remeasure_ = false;
    CVisualSetting fonts_;
    ElementStyleTable style_;
    MacroColorFileRead colorFile_; // the default file is written back when the view goes
    MacroGroups groups_;
    MacroBoxBudget boxes_;
    std::vector<MacroLayoutNode> nodes_;
    MacroViewPicture picture_;
    // The tree the run prepared, with the model it belongs to: the next
    // paint takes it when that model is still the current one.
    struct RunTree {
        std::optional<PreparedMacroTree> tree;
        const CAnalyzer* analyzer = nullptr;
        uint64_t generation = 0;
        bool loaded = false; // a load's answer
        StepTimes steps; // a load's
    };
    // Filled by the run's thread, read only after it was joined.
    std::shared_ptr<RunTree> runTree_;
    RunTree prepared_;
    MacroLayoutNode* selected_ = nullptr;
    CModelScope* modelRoot_ = nullptr;
    // What the layout tree was built from: it is valid only while both stay.
    const CAnalyzer* treeAnalyzer_ = nullptr;
    uint64_t treeGeneration_ = 0;
    int nodeCount_ = 0;
    int lastWidth_ = 0;
    bool foldBusy_ = false;
    CPoint lastPoint_;
    ModelHolders::Registration holder_;

    LargeStackThread drawThread_;
    // Set while the thread loads rather than runs.
    std::function<void(bool)> loadDone_;
    StepTimes lastLoadSteps_;
    QTimer progressTimer_;
    CDialogProgress* progress_ = nullptr;
    int arrangeAwayFrom_ = kArrangeAwayFrom;
    // Last, so that it ends first: its job reads the tree.
    MacroArrangeWorker arranger_;
};
