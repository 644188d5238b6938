#pragma once

#include "ProjectAnalyzer.h"
#include "StepTimes.h"

#include <atomic>
#include <memory>

class CInputSet;

// The analysis driver: binds an engine to a project input and runs it.
// `busy` is set while Run works; another thread may poll it.
class CAnalyzer {
public:
    explicit CAnalyzer(CInputSet* input);
    // Frees the engine. Its records were many small heap blocks, spread
    // over the allocation arenas of the threads that read them: most of
    // what they held stays with the process until it is given back
    // (malloc_trim), which the owner does when it suits it.
    ~CAnalyzer();
    CAnalyzer(const CAnalyzer&) = delete;
    CAnalyzer& operator=(const CAnalyzer&) = delete;

    // Analyses what is new or changed, drops unreachable headers and builds
    // the model under a fresh root (also after a stop). With `dump` and no
    // stop, the unit trees and the model are written to the message stream.
    // Nothing is thrown; `busy` is cleared in every case.
    void Run(int mode, bool dump);

    // The model alone, rebuilt from the records already parsed or loaded,
    // without parsing.
    void RebuildModel(int mode);

    // Where each Run notes how long its steps took (none: not noted):
    // "changes" (finding what changed since the last run), "start" (setting
    // the reading up), "reading" (the files), "end" (what the reading leaves),
    // "headers" (dropping unreached headers) and "model".
    void SetStepTimes(StepTimes* steps);

    CProjectAnalyzer* Engine() const { return engine_.get(); }
    bool Busy() const { return busy_; }

private:
    CInputSet* input_;
    std::unique_ptr<CProjectAnalyzer> engine_;
    StepTimes* steps_ = nullptr;
    std::atomic<bool> busy_ {false};
};
