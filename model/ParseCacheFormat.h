#pragma once

#include <cstdint>

// The parse cache file: int32 version, int32 number of project-file
// records, int32 number of header records, then every record as an int32
// byte length followed by that many bytes. The version moves on when the
// records change, and when the parser reads the same source differently:
// records of an older parser would otherwise stay in every warm run.
inline constexpr int32_t kParseCacheVersion = 209;

// Smallest encodings, used to reject counts that cannot fit in the bytes
// left before anything is allocated for them.
inline constexpr size_t kMinIntBytes = 4;
inline constexpr size_t kMinStringBytes = 4;
inline constexpr size_t kMinTokenBytes = 12;
inline constexpr size_t kMinMacroBytes = 13;
inline constexpr size_t kMinBaseBytes = 14;
inline constexpr size_t kMinVariableBytes = 35;
inline constexpr size_t kMinUnitBytes = 23;
inline constexpr size_t kMinRecordBytes = 48; // with its length

// Unit trees and declarator lists deeper than this are taken as damage.
inline constexpr int kMaxCacheNesting = 10000;
