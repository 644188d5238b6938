#pragma once

#include "BackgroundDisposal.h"

// Frees thrown-away models off the user-interface thread (see
// BackgroundDisposal).
using ModelDisposal = BackgroundDisposal;
