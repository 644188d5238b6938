#pragma once

#include "VcProjectImport.h"

#include <atomic>
#include <functional>

class AppContext;
class CMainFrame;

// What an import does: reads a Visual C++ project or workspace, ending
// early once `stop` (when there is one) is set.
using VcImportJob = std::function<VcProjectContent(const std::atomic<bool>* stop)>;

// Runs an import on a thread of its own while the window goes on painting
// and showing the import's lines, and returns what it brought once it has
// ended. Meanwhile the window is as during a Draw: the Draw commands and the
// File, Option and Info menus are greyed and refused, and Stop (F8, the
// dialog bar) sets the project input's stop request, which the job watches.
// Closing the window stops the import and closes it once the import has
// ended. Without a window, or while a Draw runs, the job runs here and is
// never stopped.
VcProjectContent RunVcImport(AppContext& context, CMainFrame* frame, const VcImportJob& job);
