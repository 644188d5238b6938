#include "Analyzer.h"

#include "FailureLine.h"
#include "LanguageTable.h"
#include "UnitDump.h"

#include <exception>

namespace {

void WriteFailure(MessageSink& messages, const char* what)
{
    MessageLine(messages, MessageKind::Error) << GetLangString(3) << ": " << what;
}

} // namespace

CAnalyzer::CAnalyzer(CInputSet* input)
    : input_(input), engine_(std::make_unique<CProjectAnalyzer>(input))
{
}

CAnalyzer::~CAnalyzer() = default;

void CAnalyzer::SetStepTimes(StepTimes* steps)
{
    steps_ = steps;
    engine_->SetStepTimes(steps);
}

void CAnalyzer::Run(int mode, bool dump)
{
    busy_ = true;
    if (steps_ != nullptr) {
        steps_->Start();
    }
    const auto lap = [this](std::string_view step) { LapIf(steps_, step); };
    try {
        engine_->Run();
    } catch (const std::exception& failure) {
        WriteFailure(input_->Messages(), failure.what());
    } catch (...) {
        WriteFailure(input_->Messages(), "");
    }
    lap("end");
    try {
        engine_->RemoveUnreachableHeaders();
    } catch (...) {
        WriteFailureLine(
            input_->Messages(), "The headers that no file reaches any more could not be dropped");
    }
    lap("headers");
    engine_->UpdateModel(mode); // catches its own failures
    lap("model");
    const char* step = "The analysis dump could not be written";
    try {
        if (!input_->stopRequest && dump) {
            CUnitDumper dumper(
                engine_->FileIndex(), engine_->ProjectFiles(), engine_->Root(), input_->Messages());
            dumper.Dump();
        }
        step = "The end of the stopped run could not be reported";
        if (input_->stopRequest) {
            MessageLine(input_->Messages()) << GetLangString(1) << ": " << GetLangString(11);
        }
    } catch (...) {
        WriteFailureLine(input_->Messages(), step);
    }
    busy_ = false;
}

void CAnalyzer::RebuildModel(int mode)
{
    busy_ = true;
    engine_->BuildGlobalModel(mode);
    busy_ = false;
}
