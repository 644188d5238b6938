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

void CAnalyzer::Run(int mode, bool dump)
{
    busy_ = true;
    try {
        engine_->Run();
    } catch (const std::exception& failure) {
        WriteFailure(input_->Messages(), failure.what());
    } catch (...) {
        WriteFailure(input_->Messages(), "");
    }
    try {
        engine_->RemoveUnreachableHeaders();
    } catch (...) {
        WriteFailureLine(
            input_->Messages(), "The headers that no file reaches any more could not be dropped");
    }
    engine_->UpdateModel(mode); // catches its own failures
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
