#pragma once

#include <cstddef>
#include <new>

// Memory for objects that are made by the ten thousand and mostly go
// together: the elements of the project-wide model and the detail records
// of unit trees read back from the parse cache.
// Pieces are cut from large blocks, each thread filling one block at a time,
// instead of taking one heap block each. A piece may be given back on any
// thread; a block goes back to the heap when every piece cut from it has
// been given back and its thread has moved on to another block (or ended).
// Pieces given back early are not reused, so objects that come and go one
// by one belong elsewhere. What a thread never cut from the last of the
// largest blocks goes back to the system when it moves on or ends.
namespace BulkMemory {

// `size` bytes aligned for any object of alignment 8 or less.
void* Take(std::size_t size);
// The same from a heap block of its own, for objects of a kind that is
// taken from blocks only at times; Give takes both.
void* TakeSingle(std::size_t size);
// Gives back a piece from Take or TakeSingle (nullptr: nothing).
void Give(void* piece) noexcept;

inline constexpr std::size_t kAlignment = 8;

} // namespace BulkMemory
