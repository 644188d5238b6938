#include "FailureLine.h"

#include "LanguageTable.h"

#include <exception>

void WriteFailureLine(MessageSink& messages, const char* failed)
{
    MessageLine line(messages, MessageKind::Error);
    line << GetLangString(3) << ": " << failed;
    try {
        if (const std::exception_ptr failure = std::current_exception()) {
            std::rethrow_exception(failure);
        }
    } catch (const std::exception& failure) {
        line << ": " << failure.what();
    } catch (...) {
        // A failure without a text: the line says what failed.
    }
}
