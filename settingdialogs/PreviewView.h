#pragma once

#include "Analyzer.h"
#include "InputSet.h"
#include "PaintGuard.h"
#include "ScrollView.h"

#include <string>

class COptions;
class CModelScope;

// The live preview of a Visual Setting dialog: a scrolling view inside the
// dialog that analyses a small sample source file of its own, once, and
// draws it with the dialog's working setting, so every change shows at
// once. It has its own project input and analysis engine, which share
// nothing with the project's: each run makes its own scanner and parser. The
// dialogs are still opened only while no Draw runs (their menu is greyed
// during a run).
//
// The dialog asks for one of two refreshes after a change: a redraw
// (Repaint) keeps the layout, a rebuild (MarkDirty, then Repaint) makes the
// layout again from the model at the next paint. While `updating` is set a
// paint draws only the background.
class CPreviewView : public CScrollView {
    Q_OBJECT
public:
    // `sample` is the file's name beside the program. The input takes the
    // options' include directories and predefined words; no message of the
    // run is shown.
    CPreviewView(const COptions& options, const std::string& sample, QWidget* parent = nullptr);
    ~CPreviewView() override;

    // Analyses the sample (on a thread with a stack large enough) and picks
    // what to show from the model.
    void Refresh();

    void MarkDirty() { dirty = true; }
    // Repaints now (`now`) or at the next pass of the event loop.
    void Repaint(bool now);

    // How many times a paint has laid the diagram out.
    int LayoutCount() const { return layouts_; }

    bool dirty = true;
    bool updating = false;

protected:
    // After the analysis: choose what to draw from the model root.
    virtual void OnAnalysed(CModelScope* root) = 0;
    // The colour a paint starts from, and the paint itself while not
    // updating (lays out first when dirty is set).
    virtual COLORREF Background() const = 0;
    virtual void Paint(CDC* dc) = 0;
    void CountLayout() { ++layouts_; }

    // The first function of the model by name with a definition: its
    // element, or none.
    const CModelScope* FirstFunction() const;

    CProjectAnalyzer* Engine() const { return analyzer_.Engine(); }

    void OnDraw(CDC* dc) override;

private:
    CInputSet input_;
    CAnalyzer analyzer_;
    PaintLock paintLock_;
    int layouts_ = 0;
};
