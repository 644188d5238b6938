#pragma once

#include <cstdint>
#include <map>
#include <string>

// The numbered user-interface texts, read from language.ini beside the program.
//
// A line counts when it is longer than five characters: its first four
// characters are the number (read like atoi), the fifth is a separator and the
// rest is the text. The first line for a number wins.
using LanguageMap = std::map<int32_t, std::string>;

// Builds the table from "<program folder>/language.ini". A missing file leaves
// the table empty.
void LoadLanguageFile();

// Builds the table from the given file (used by LoadLanguageFile and tests).
void LoadLanguageFileFrom(const std::string& path);

// Empties and frees the table.
void FreeLanguageFile();

// The text of a number, or an empty text. The pointer stays valid until
// FreeLanguageFile.
const char* GetLangString(int32_t number);

// Parses language.ini content into a map (exposed for tests).
LanguageMap ParseLanguageText(const std::string& content);
