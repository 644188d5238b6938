#pragma once

#include "SourceFile.h"

#include <memory>
#include <vector>

// The project files an analysis engine owns, in the order of the project
// input's paths.
using SourceFileList = std::vector<std::unique_ptr<CSourceFile>>;
