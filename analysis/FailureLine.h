#pragma once

#include "MessageSink.h"

// Writes the error line of a step of the analysis that failed, from inside
// the catch block that caught the failure: the error prefix, what failed
// and, when the exception has one, its text:
//     Error: The project model could not be built: std::bad_alloc
void WriteFailureLine(MessageSink& messages, const char* failed);
