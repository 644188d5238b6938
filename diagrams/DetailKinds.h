#pragma once

#include "DetailBoxDiagram.h"
#include "DetailDiagramKind.h"
#include "MultiSeqDiagram.h"

#include <functional>
#include <memory>

class CProjectAnalyzer;
class CModelScope;
class CSequenceDiagram;
class CVisualSetting;
struct CSequenceSetting;
struct ElementStyleTable;

// The analysis engine whose calls the sequence diagrams ask for; the engine
// may be replaced between paints (a project opened), so it is looked up at
// each paint. Null when there is none.
using EngineLookup = std::function<CProjectAnalyzer*()>;

// The sequence diagram as a kind of the detail diagram's entry: laid out when
// the paint is marked dirty (a new function, view kind, setting or model) or
// the engine changed, and kept for the paints between; each paint draws only
// what meets its clip box.
class SequenceKind : public DetailDiagramKind {
public:
    SequenceKind(EngineLookup engine, const CSequenceSetting& setting);
    ~SequenceKind() override;
    void Prepare(DetailPaint& paint) override;
    void Draw(DetailPaint& paint) override;
    COLORREF Background() const override;

private:
    EngineLookup engine_;
    const CSequenceSetting& setting_;
    std::unique_ptr<CSequenceDiagram> diagram_;
    // What the kept diagram was built from.
    const CModelScope* function_ = nullptr;
    const CProjectAnalyzer* builtBy_ = nullptr;
    CSize size_;
};

// The multi-sequence diagram: its engine keeps its columns between paints
// and grows them when the user clicks calls (the owner passes clicks to the
// engine and repaints).
class MultiSequenceKind : public DetailDiagramKind {
public:
    MultiSequenceKind(CMultiSeqDiagram& engine, EngineLookup analyzer)
        : engine_(engine), analyzer_(std::move(analyzer))
    {
    }
    void Prepare(DetailPaint& paint) override;
    void Draw(DetailPaint& paint) override;

private:
    CMultiSeqDiagram& engine_;
    EngineLookup analyzer_;
};

// The detail box of a class, struct, union or enum in the macro view's fonts
// and colours; base names are looked up from the model root.
class DetailBoxKind : public DetailDiagramKind {
public:
    DetailBoxKind(CMacroDetail& engine, std::function<const CModelScope*()> root,
        const CVisualSetting& fonts, const ElementStyleTable& style)
        : engine_(engine), root_(std::move(root)), fonts_(fonts), style_(style)
    {
    }
    void Prepare(DetailPaint& paint) override;
    void Draw(DetailPaint& paint) override;

private:
    CMacroDetail& engine_;
    std::function<const CModelScope*()> root_;
    const CVisualSetting& fonts_;
    const ElementStyleTable& style_;
};
