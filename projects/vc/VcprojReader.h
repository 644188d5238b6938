#pragma once

#include "UniqueNames.h"
#include "VcDefines.h"
#include "VcFileReader.h"

#include <string>
#include <string_view>
#include <vector>

class MessageSink;

// Reads a Visual C++ .NET project (.vcproj) as text lines, without parsing
// its XML: the C and C++ sources of its RelativePath attributes (ending in
// .cpp or .c, any case) and the words of its PreprocessorDefinitions
// attributes, over every configuration. Values are taken as they stand (XML
// character entities are not decoded).
//
//     CVcprojReader reader(sink, true);
//     if (reader.Open(path))
//         reader.Read();
//     ... reader.FoundFiles(), reader.Defines()
//
// Source names resolve against the project file's folder; the current folder
// is never changed. A name or a file named again is taken once.
class CVcprojReader : public CVcFileReader {
public:
    CVcprojReader(MessageSink& sink, bool report);

    // Reads the project file. False when it cannot be read: the error line
    // (texts 3 and 28) is written whatever `report` says, since the import
    // brings nothing then; Read does nothing.
    bool Open(const std::string& path);
    // Takes the lines of the opened file and looks for their sources.
    void Read();
    // The same for a project's text whose names resolve against `folder`.
    void Read(std::string_view text, const std::string& folder);
    // Adds the words of one definitions value ("A;B=2;;C"); a comma
    // separates them as a semicolon does ("A,B=2;C").
    void AddDefines(std::string_view value);

    const std::vector<std::string>& Sources() const { return sources_.Names(); }
    const std::vector<std::string>& FoundFiles() const { return found_; }
    const VcDefines& Defines() const { return defines_; }

private:
    void ReadLines(LineReader& lines, const std::string& folder);

    UniqueNames sources_;
    std::vector<std::string> found_;
    VcDefines defines_;
};
