#pragma once

#include "CharacterPrefix.h"

#include <cstddef>
#include <string>
#include <string_view>

// Message lines longer than this many bytes are shown shortened: a pane line
// of hundreds of megabytes (a path or a token of a damaged file) would keep
// the window busy for seconds and help no reader.
inline constexpr std::size_t kMaxShownLineBytes = 4096;

// The note that ends a shortened line, for `hidden` bytes left out.
std::string HiddenBytesNote(std::size_t hidden);

// The line itself when it is short enough, else its first part (at most
// kMaxShownLineBytes bytes, whole characters) followed by the note.
std::string ShortenedLine(std::string_view line);
