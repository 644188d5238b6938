#pragma once

#include "XmlElement.h"

#include <stdexcept>
#include <string>
#include <string_view>

// A colour-file document: the header line and one root element.
//
// The dialect is narrow: no text content, comments, entities or escapes; a
// quoted value runs to the next double quote (a backslash is an ordinary
// character). Every failure is thrown as an XmlFileError whose text is one
// of the fixed "file ... error" texts.

class XmlFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Elements nested deeper than this are refused while reading.
constexpr int kXmlMaxNesting = 256;

// Colour files are small (a few kilobytes, some sixty elements and as many
// attributes); a file beyond these limits is refused while reading, so that
// a damaged one costs no more than a few megabytes of memory. Elements and
// attributes are counted together.
constexpr size_t kXmlMaxFileSize = 1024u * 1024u;
constexpr size_t kXmlMaxItems = 16384;

class CXmlDocument {
public:
    // Writes the document to the file, replacing it only once the whole new
    // content is on disk; on failure the old file is left as it was.
    void Save(const std::string& path) const;

    // Replaces the root by the file's root element. After a failure the root
    // is unfinished and must not be used.
    void Load(const std::string& path);

    // The bytes Save writes: header and elements, every line ending in CR LF.
    std::string Format() const;

    // Load's reading part, on a text in memory.
    void Parse(std::string_view text);

    CXmlElement root;
};
