#pragma once

#include <string>

// The path made absolute against the current folder, with "." and ".."
// parts and doubled separators taken out (by its text alone; links are not
// followed). When the current folder cannot be found, the path as given.
std::string AbsolutePath(const std::string& path);
