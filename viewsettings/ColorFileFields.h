#pragma once

#include "FontHolder.h"
#include "GdiTypes.h"
#include "XmlElement.h"

#include <cstdint>
#include <functional>
#include <string>

// The building blocks shared by the four XML colour files. Each file lists
// its fields once, in file order, in a function template over the field
// visitor: the writer turns each field into a child element, the reader
// reads it back from there, so writing and reading cannot drift apart.
//
// Numbers, colours and flags are element values; colour triples (text,
// border, background) and fonts (name, size, bold) are attributes; a group
// is an element holding fields of its own.

class ColorFileWriter {
public:
    explicit ColorFileWriter(CXmlElement& element) : element_(element) { }

    void Number(const char* name, int32_t value);
    void Color(const char* name, COLORREF color);
    void Flag(const char* name, uint8_t flag);
    void Triple(const char* name, const ColorTriple& colors);
    void Font(const char* name, const CFontHolder& font);

    template <typename Fields> void Group(const char* name, Fields fields)
    {
        ColorFileWriter group(element_.children.emplace_back(name));
        fields(group);
    }

private:
    CXmlElement& element_;
};

// Reads each field from the first child of its name; a missing child, or a
// font element without all three attributes, leaves the field as it was. A
// font's size is brought into the range of FontSizeLimits.h.
class ColorFileReader {
public:
    explicit ColorFileReader(const CXmlElement& element) : element_(element) { }

    void Number(const char* name, int32_t& value) const;
    void Color(const char* name, COLORREF& color) const;
    void Flag(const char* name, uint8_t& flag) const;
    void Triple(const char* name, ColorTriple& colors) const;
    void Font(const char* name, CFontHolder& font) const;

    template <typename Fields> void Group(const char* name, Fields fields) const
    {
        if (const CXmlElement* child = element_.FindChild(name)) {
            ColorFileReader group(*child);
            fields(group);
        }
    }

private:
    const CXmlElement& element_;
};

// Writes the fields under a root of the name with its Version attribute. On
// failure shows "Error: could not be written" (language texts 3 and 209)
// and returns false; the old file stays intact.
bool SaveColorFile(const std::string& path, const char* rootName, const char* version,
    const std::function<void(ColorFileWriter&)>& fields);
// The text SaveColorFile writes.
std::string ColorFileText(
    const char* rootName, const char* version, const std::function<void(ColorFileWriter&)>& fields);

// Reads the fields from the file's root, whatever its name. On failure shows
// "could not be read" (language text 210) and returns false; nothing is read.
bool LoadColorFile(const std::string& path, const std::function<void(ColorFileReader&)>& fields);

// The message shown when a colour file cannot be read, and when it cannot be
// written.
std::string ColorFileReadFailedText();
std::string ColorFileWriteFailedText();
