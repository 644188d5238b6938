#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Small string helpers shared by the engine and the colour files.

// Lower-cases every byte that has a lower-case counterpart (ASCII letters;
// bytes of 0x80 and above are left as they are).
void MakeLower(std::string& text);
std::string ToLowerCopy(std::string text);

// "%d" of the value.
std::string IntToString(int32_t value);

// "%06x" of a colour value 0x00BBGGRR.
std::string ColorToHexString(int32_t color);

// Reads a signed hexadecimal number: leading white space, an optional sign and
// an optional 0x/0X prefix; stops at the first non-digit; 0 without digits.
// Values beyond the signed 32-bit range give the nearest limit.
int32_t HexStringToInt(std::string text);

// The folder for temporary files: $TEMP, $TMP, $TMPDIR, /tmp, else the
// current folder.
std::string GetTempDirectory();
