#pragma once

#include <memory>
#include <unordered_set>
#include <vector>

class CSourceFile;
class CUnit;

// The units read as statements or expressions (a function, a block, an
// expression statement) below which nonetheless lies something the model
// merge takes: a class, struct, union, namespace, template or linkage block
// with contents, as a class defined in a function body. Nearly no unit is
// one of them, so the merge may pass over every other function body instead
// of walking its statements; the units are found on several threads before
// the merge begins.
class NestedDeclarations {
public:
    // Finds them in every file's units, on up to `threads` threads.
    void Find(const std::vector<std::unique_ptr<CSourceFile>>& projectFiles,
        const std::vector<std::unique_ptr<CSourceFile>>& headers, unsigned threads);
    // Whether something the merge takes lies below `unit`, a unit of one of
    // the files searched whose children are not read as declarations.
    bool Below(const CUnit& unit) const { return units_.count(&unit) != 0; }

private:
    std::unordered_set<const CUnit*> units_;
};
