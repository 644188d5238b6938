#pragma once

#include "AtomicFile.h"

#include <string>
#include <string_view>

// Which characters end a line.
enum class LineEnds {
    Lf, // LF or CR LF; a CR elsewhere is part of the line (as SplitLines)
    LfOrCr, // LF, CR LF or a CR alone
};

// Hands out the lines of a file, or of a text, one at a time, each without
// its line end; a last line without a line end counts, an empty text has
// none. A file is read in pieces: only the piece and the line being handed
// out are held, however large the file.
//
//     LineReader lines(LineEnds::LfOrCr);
//     if (lines.Open(path, maxSize) == ReadResult::Ok)
//         for (std::string_view line; lines.Next(line);)
//             ...
//     if (lines.Failed()) ...
class LineReader {
public:
    explicit LineReader(LineEnds ends = LineEnds::Lf) : ends_(ends) { }
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Reads a regular file of at most maxSize bytes. A FIFO, a device or a
    // folder (also through a symbolic link) is never opened for reading and
    // gives ReadFailed, as does a larger file.
    ReadResult Open(const std::string& path, size_t maxSize);
    // Reads a text that the caller keeps while the lines are taken.
    void Assign(std::string_view text);

    // The next line, valid until the next call; false at the end, and when
    // the file could not be read further.
    bool Next(std::string_view& line);
    // Reading the opened file failed (an I/O error, or it grew past its
    // maxSize): the lines handed out so far are not the whole file.
    bool Failed() const { return failed_; }

private:
    // Reads more of the file behind what is unread; false when nothing more
    // comes (the end, or a failure).
    bool Fill();
    void Close();

    LineEnds ends_;
    int fd_ = -1;
    size_t maxSize_ = 0;
    size_t fileBytes_ = 0;
    std::string buffer_; // the file's bytes not handed out yet, from the start
    std::string_view data_; // what is read: the assigned text or the buffer's bytes
    size_t pos_ = 0; // the start of the next line in data_
    size_t scanned_ = 0; // bytes after pos_ known to hold no line end
    bool more_ = false; // the file may hold more bytes
    bool skipLf_ = false; // a CR ended the last line: a LF right after it goes with it
    bool failed_ = false;
};
