#pragma once

#include <functional>
#include <string>

// Hands every regular file of a folder (by its full path, in name order) to
// `onFile`, and with `recurse` those of its sub-folders, each after the files
// and folders that sort before it. Folders reached through a symbolic link
// are never entered (one may lead back up the tree); entries that cannot be
// listed are left out. An empty folder name walks nothing.
void WalkFolder(
    const std::string& folder, bool recurse, const std::function<void(const std::string&)>& onFile);
