#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Replaces a file's content as one step: the content goes to a new file
// beside the target, which is renamed over the target only once it was
// written completely. When anything fails the target keeps its old content,
// the temporary file is removed and false is returned. An existing target's
// permissions are kept. The target's folder must exist; it is never created.
bool WriteFileAtomically(const std::string& path, std::string_view content);

enum class ReadResult { Ok, CannotOpen, ReadFailed };

// Reads a whole file of at most maxSize bytes. A file that is larger, or a
// failure after it was opened (a folder, an I/O error), is ReadFailed; the
// content is then empty.
ReadResult ReadWholeFile(const std::string& path, std::string& content, size_t maxSize);
