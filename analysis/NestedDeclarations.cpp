#include "NestedDeclarations.h"

#include "ChildStartKind.h"
#include "ForEachOnThreads.h"
#include "SourceFile.h"
#include "TokenType.h"

#include <span>

namespace {

bool ReadAsDeclarations(int startKind)
{
    return startKind == DECLARATION || startKind == INCLASS || startKind == INSTRUCT;
}

// Whether the merge takes anything below `unit` (its children are read as
// declarations, or something is taken below one of them); every unit so
// found whose own children are not read as declarations goes to `found`.
bool Search(const CUnit& unit, std::vector<const CUnit*>& found)
{
    if (unit.children.empty()) {
        return false;
    }
    bool below = false;
    for (const CUnit& child : std::span<const CUnit>(unit.children)) {
        below = Search(child, found) || below;
    }
    if (ReadAsDeclarations(ChildStartKind(unit))) {
        return true;
    }
    if (below) {
        found.push_back(&unit);
    }
    return below;
}

} // namespace

void NestedDeclarations::Find(const std::vector<std::unique_ptr<CSourceFile>>& projectFiles,
    const std::vector<std::unique_ptr<CSourceFile>>& headers, unsigned threads)
{
    units_.clear();
    const size_t count = projectFiles.size() + headers.size();
    std::vector<std::vector<const CUnit*>> found(count);
    ForEachOnThreads(
        count, threads, [] { return 0; },
        [&](size_t i, int&) {
            const CSourceFile* file = i < projectFiles.size()
                ? projectFiles[i].get()
                : headers[i - projectFiles.size()].get();
            if (file) {
                for (const CUnit& unit : file->units) {
                    Search(unit, found[i]);
                }
            }
        },
        8);
    for (const auto& units : found) {
        units_.insert(units.begin(), units.end());
    }
}
