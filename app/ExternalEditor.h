#pragma once

#include <array>
#include <string>
#include <vector>

// The words of a command line as a shell would split it, without running
// one: blanks separate words, single quotes keep everything up to the next
// one, double quotes keep everything but a backslash before a double quote
// or a backslash, and outside quotes a backslash keeps the next character.
std::vector<std::string> SplitCommandLine(const std::string& line);

// Starts the editor of the command line (a program and its own arguments)
// on the file, which goes last as one argument whatever it holds; no shell
// runs it. An editor that cannot be started is reported with one of the
// messages: no memory or resources, no program, not found, its folder not
// found (the last three after the program's name in double quotes).
void StartExternalEditor(const std::string& commandLine, const std::string& path,
    const std::array<std::string, 4>& messages);
