#pragma once

#include <set>
#include <string>

class MessageSink;
struct NewProjectInfo;

// The project file a name stands for: a name that does not end in ".kst"
// (any case) gets it, as no other name could be opened again as a project.
std::string ProjectFileName(const std::string& name);
// The location, a '/' unless it is empty or ends in one, and the project
// file name.
std::string ProjectFullPath(const std::string& location, const std::string& name);
// "UntitleN.kst" for the first N from 1 whose full path in the location
// does not exist.
std::string DefaultProjectName(const std::string& location);

// Whether a project file could be made at the path, found out without
// opening it: 300 it exists already, 301 its folder is missing or cannot be
// written, 0 it can be made (the language text of the page's status).
int ProjectPathStatus(const std::string& path);

// The folder the wizard proposes from the last project path, which names a
// project file (its folder is taken) or a folder.
std::string StartLocation(const std::string& lastProjectPath);

// Adds the C and C++ sources of a folder (and of its sub-folders with
// `recurse`) to the set, by full path; headers and other files are left out.
void ScanSourceFolder(const std::string& folder, bool recurse, std::set<std::string>& files);

// The sources and words of the record's workspace file (a .dsp, .dsw or
// .vcproj): the words replace the record's, the sources join its files.
// Missing sources are reported to the sink. False when the file could not be
// read (the words are then none).
bool CollectWorkspace(NewProjectInfo& info, MessageSink& sink);
