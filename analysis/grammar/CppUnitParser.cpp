#include "CppUnitParser.h"

#include <antlr/RecognitionException.hpp>

CCppUnitParser::CCppUnitParser(CUnitTokenStream& stream, CUnit& unit, const ParseLimits& limits)
    : CCppParser(stream, 2),
      workLimit_(
          limits.baseWork + limits.workPerToken * static_cast<int64_t>(unit.tokenIndices.size())),
      stackLimit_(limits.stackBytes),
      stackBase_(static_cast<const char*>(__builtin_frame_address(0))),
      stopRequest_(limits.stopRequest)
{
    tokenStream = &stream;
    currentUnit = &unit;
}

CCppUnitParser::~CCppUnitParser() = default;

void CCppUnitParser::Write(const std::string& message)
{
    if (verbose) {
        const std::string file = getFilename();
        if (file.empty())
            MessageLine(*messages, MessageKind::Error) << "Error: " << message;
        else
            MessageLine(*messages, MessageKind::Error) << "Error in " << file << ": " << message;
    }
    error = true;
}

void CCppUnitParser::reportError(const std::string& message)
{
    Write(message);
}

void CCppUnitParser::reportError(const antlr::RecognitionException& ex)
{
    Write(ex.toString());
}

const char* CCppUnitParser::getTokenName(int type) const
{
    if (type < 0)
        return nullptr;
    return CCppParser::getTokenName(type);
}

void CCppUnitParser::consume()
{
    ++work_;
    if (work_ > workLimit_)
        throw CParseAborted("the unit needs too much lookahead work");
    if ((work_ & 1023) == 0 && stopRequest_ && stopRequest_->load(std::memory_order_relaxed))
        throw CParseAborted("stopped");
    CCppParser::consume();
}

void CCppUnitParser::traceIn(const char*)
{
    const char* here = static_cast<const char*>(__builtin_frame_address(0));
    const std::size_t used = here < stackBase_ ? static_cast<std::size_t>(stackBase_ - here) : 0;
    if (used > stackLimit_)
        throw CParseAborted("the unit is nested too deeply");
}

void CCppUnitParser::traceOut(const char*)
{
}
