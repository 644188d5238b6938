#pragma once

#include "FontHolder.h"
#include "GdiTypes.h"
#include "XmlDocument.h"

#include <cstdint>
#include <string>

// The building blocks shared by the four XML colour files: value elements
// (number, colour, flag), colour elements (text, border, background) and
// font elements (name, size, bold), their writing and their reading.
//
// Reading takes the first child of the given name; a missing child, or a
// font element without all three attributes, leaves the field as it was.

CXmlElement NumberElement(const std::string& name, int32_t value);
CXmlElement ColorElement(const std::string& name, COLORREF color);
CXmlElement FlagElement(const std::string& name, uint8_t flag);
CXmlElement TripleElement(const std::string& name, const ColorTriple& colors);
CXmlElement FontElement(const std::string& name, const CFontHolder& font);

void ReadNumber(const CXmlElement& parent, const std::string& name, int32_t& value);
void ReadColor(const CXmlElement& parent, const std::string& name, COLORREF& color);
void ReadFlag(const CXmlElement& parent, const std::string& name, uint8_t& flag);
void ReadTriple(const CXmlElement& parent, const std::string& name, ColorTriple& colors);
void ReadFont(const CXmlElement& parent, const std::string& name, CFontHolder& font);

// A colour file's root: the name with its Version attribute.
CXmlElement ColorFileRoot(const std::string& name, const std::string& version);

// Loads the document; on failure shows "could not be read" (language text
// 210) and returns false.
bool LoadColorDocument(const std::string& path, CXmlDocument& document);

// Saves the document; on failure shows "Error: could not be written"
// (language texts 3 and 209) and returns false. The old file stays intact.
bool SaveColorDocument(const std::string& path, const CXmlDocument& document);

// The message shown when a colour file cannot be read, and when it cannot be
// written.
std::string ColorFileReadFailedText();
std::string ColorFileWriteFailedText();
