#pragma once

#include <cstddef>
#include <string_view>

// How many of the first `wanted` bytes of `text` to keep so that no UTF-8
// character is cut: `wanted` itself, or a little less. The whole text when
// it is no longer than `wanted`.
std::size_t WholeCharacterPrefix(std::string_view text, std::size_t wanted);
