#pragma once

#include <string>

// Where the user's own copies of the data files lie: $KESTRIN_CONFIG_DIR when
// set, else "Kestrin" in $XDG_CONFIG_HOME, else ~/.config/Kestrin. Settings
// are written there, so that a program installed in a folder the user cannot
// write loses nothing.
std::string GetUserConfigDirectory();

// A data file to read: the user's copy when it exists as a regular file,
// else the copy shipped beside the program ("<program folder>/<relative>").
std::string FindDataFile(const std::string& relative);

// The user's copy of a data file, to write; its folder is made when missing
// (an empty text when that fails).
std::string UserDataFile(const std::string& relative);
