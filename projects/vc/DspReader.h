#pragma once

#include "UniqueNames.h"
#include "VcDefines.h"
#include "VcFileReader.h"

#include <string>
#include <string_view>
#include <vector>

class MessageSink;

// Reads a Visual C++ 6 project (.dsp) as text lines: the C and C++ sources it
// names ("SOURCE=" lines ending in .cpp or .c, any case) and the words its
// "# ADD" lines define with /D, over every configuration.
//
//     CDspReader reader(sink, true);
//     if (reader.Open(path))
//         reader.Read();
//     ... reader.FoundFiles(), reader.Defines()
//
// Source names resolve against the project file's folder; the current folder
// is never changed. Sources that are missing are always reported to the sink;
// progress and the found files only when `report` is set. A name or a file
// named again is taken once.
class CDspReader : public CVcFileReader {
public:
    CDspReader(MessageSink& sink, bool report);

    // Reads the project file. False when it cannot be read (reported when
    // `report` is set); Read then does nothing.
    bool Open(const std::string& path);
    // Takes the lines of the opened file and looks for their sources.
    void Read();
    // The same for a project's text whose names resolve against `folder`.
    void Read(std::string_view text, const std::string& folder);

    // The names as the project writes them, in file order.
    const std::vector<std::string>& Sources() const { return sources_.Names(); }
    // The full paths of the sources found, in the order of the names.
    const std::vector<std::string>& FoundFiles() const { return found_; }
    const VcDefines& Defines() const { return defines_; }

private:
    void ReadLines(LineReader& lines, const std::string& folder);
    void TakeLine(std::string_view line);

    UniqueNames sources_;
    std::vector<std::string> found_;
    VcDefines defines_;
};
