#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Replaces a file's content as one step: the content goes to a new file
// beside the target, is flushed to the disk and renamed over the target only
// once it was written completely. When anything fails the target keeps its
// old content, the temporary file is removed and false is returned. An
// existing target's permissions are kept; a target that is a symbolic link is
// written through to the file it names. A target that exists but is not a
// regular file (a FIFO, a device, a folder) is never replaced: false. The
// target's folder must exist; it
// is never created. Temporary files that a killed writer left beside the
// target are removed by the next write.
bool WriteFileAtomically(const std::string& path, std::string_view content);

// What becomes of a target that is a symbolic link: the file it names is
// written (a file the user chose), or the link itself is replaced by a new
// file and whatever it names stays untouched (a file whose path the program
// made up, which a link placed there must not redirect).
enum class LinkRule { WriteThrough, Replace };

// As WriteFileAtomically, with the content produced by `write`, which gets
// an open descriptor of the temporary file and returns false on failure.
// For content too large to hold in memory at once.
// With `replaced`, a regular file that was replaced is left open there (else
// -1): the last close of a large file gives its room back, which can take
// long where the file system discards freed blocks at once, and the caller
// chooses where that happens. A writer that knows about how large its
// content is sets room aside for it (SetAsideRoom) and gives back what it
// did not take (GiveBackRoomPastEnd) before it returns.
bool WriteFileAtomicallyWith(const std::string& path, bool (*write)(int fd, void* context),
    void* context, LinkRule links = LinkRule::WriteThrough, int* replaced = nullptr);

// Writes all bytes to a descriptor, going on after interrupted writes.
bool WriteAllBytes(int fd, const char* data, size_t size);
// The same at an offset of a file, leaving the descriptor's position as it was.
bool WriteAllBytesAt(int fd, const char* data, size_t size, size_t offset);
// Asks the system to start writing a range of a file to the disk without
// waiting for it, so that a later flush has less to wait for. Only a hint:
// nothing happens where it is not supported.
void StartWriteBack(int fd, size_t offset, size_t size);

// Sets aside room for `size` bytes at the start of a new, empty file without
// changing its length: content written into it then needs no room found for
// it page by page (writing a large file goes about a fifth faster). Only a
// hint: nothing is set aside where it is not supported or does not fit.
// Returns the bytes set aside; what the file does not take is given back
// with GiveBackRoomPastEnd.
size_t SetAsideRoom(int fd, size_t size);
// Gives back room set aside past the end of what was written, which the
// file would otherwise keep. False on a failure of the file.
bool GiveBackRoomPastEnd(int fd, size_t setAside);

enum class ReadResult { Ok, CannotOpen, ReadFailed };

// Reads a whole file of at most maxSize bytes. Only a regular file is read:
// a FIFO, a device or a folder (also through a symbolic link) is never
// opened for reading and gives ReadFailed, as do a file that is larger and an
// I/O error; the content is then empty.
ReadResult ReadWholeFile(const std::string& path, std::string& content, size_t maxSize);

// Whether the path names a regular file (following symbolic links).
bool IsRegularFile(const std::string& path);
