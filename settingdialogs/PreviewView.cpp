#include "PreviewView.h"

#include "LargeStackThread.h"
#include "MemDC.h"
#include "MessageSink.h"
#include "ModelScope.h"
#include "Options.h"
#include "ProgramFolder.h"

namespace {

// Swallows the run's message lines: the preview's analysis is not the
// user's project.
class SilentSink final : public MessageSink {
public:
    void Write(MessageKind, std::string_view) override { }
};

SilentSink g_silent;

} // namespace

CPreviewView::CPreviewView(const COptions& options, const std::string& sample, QWidget* parent)
    : CScrollView(parent), analyzer_(&input_)
{
    if (const std::vector<std::string>* dirs = options.GetIncludeDirs())
        input_.includeDirs = *dirs;
    input_.userIncludeDirs = options.userIncludeList;
    options.ApplyPredefinedWords(input_);
    input_.stopRequest = false;
    input_.sameNameOption = false;
    input_.verbose = false;
    input_.percent = 0;
    input_.messages = &g_silent;
    input_.AddFile(GetAppDirectory() + "/" + sample, true, true);
    SetScrollSizes(CSize(100, 100));
}

CPreviewView::~CPreviewView() = default;

void CPreviewView::Refresh()
{
    SetScrollSizes(CSize(100, 100));
    RunOnLargeStack([this] { analyzer_.Run(3, false); });
    CProjectAnalyzer* engine = analyzer_.Engine();
    OnAnalysed(engine != nullptr ? engine->Root() : nullptr);
    dirty = true;
}

const CModelScope* CPreviewView::FirstFunction() const
{
    const CProjectAnalyzer* engine = Engine();
    if (engine == nullptr || engine->Root() == nullptr || engine->Functions().empty())
        return nullptr;
    const FunctionDefinitions& first = engine->Functions().begin()->second;
    return first.count > 0 ? first.element : nullptr;
}

void CPreviewView::Repaint(bool now)
{
    if (now)
        RedrawNow();
    else
        Invalidate();
}

void CPreviewView::OnDraw(CDC* dc)
{
    CMemDC memory(dc, Background());
    PaintGuard guard(paintLock_);
    if (!guard || updating)
        return;
    Paint(&memory);
}
