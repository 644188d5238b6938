#pragma once

#include <string>
#include <string_view>

// Replaces a file's content as one step: the content goes to a new file
// beside the target, which is renamed over the target only once it was
// written completely. When anything fails the target keeps its old content,
// the temporary file is removed and false is returned. An existing target's
// permissions are kept. The target's folder must exist; it is never created.
bool WriteFileAtomically(const std::string& path, std::string_view content);

// Reads a whole file of at most maxSize bytes; false when it cannot be
// opened or read, or is larger.
bool ReadWholeFile(const std::string& path, std::string& content, size_t maxSize);
