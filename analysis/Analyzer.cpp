#include "Analyzer.h"

#include "LanguageTable.h"
#include "UnitDump.h"

#include <exception>
#include <iostream>

namespace {

void WriteFailure(const char* what)
{
    std::cout << std::string(GetLangString(3)) + ": " + what << std::endl;
}

} // namespace

CAnalyzer::CAnalyzer(CInputSet* input)
    : input_(input), engine_(std::make_unique<CProjectAnalyzer>(input))
{
}

void CAnalyzer::Run(int mode, bool dump)
{
    busy_ = true;
    try {
        engine_->Run();
    } catch (const std::exception& failure) {
        WriteFailure(failure.what());
    } catch (...) {
        WriteFailure("");
    }
    try {
        engine_->RemoveUnreachableHeaders();
    } catch (...) {
    }
    engine_->UpdateModel(mode); // catches its own failures
    try {
        if (!input_->stopRequest && dump) {
            CUnitDumper dumper(engine_->FileIndex(), engine_->ProjectFiles(), engine_->Root(),
                               std::cout);
            dumper.Dump();
        }
        if (input_->stopRequest) {
            std::cout << std::string(GetLangString(1)) + ": " + GetLangString(11) << std::endl;
        }
    } catch (...) {
    }
    busy_ = false;
}

void CAnalyzer::RebuildModel(int mode)
{
    busy_ = true;
    engine_->BuildGlobalModel(mode);
    busy_ = false;
}
