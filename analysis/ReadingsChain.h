#pragma once

#include <cstddef>

// Whether readings ahead of the run only follow it: where headers are reused
// by name, a reading may wait for a file before it to be filed, and where
// nearly every one does, each comes a little later than the run would read
// the file itself. Readings are looked at in stretches of as many as are
// ahead at once; in the first, readings wait for the headers every file
// takes, and it is passed over.
class ReadingsChain {
public:
    explicit ReadingsChain(size_t stretch = 1) : stretch_(stretch < 1 ? 1 : stretch) { }

    // Notes a reading taken, and whether it waited; true when more than
    // three in four of the stretch it ends did.
    bool Note(bool waited)
    {
        if (++taken_ <= stretch_) {
            return false;
        }
        ++inStretch_;
        waitedInStretch_ += waited ? 1 : 0;
        if (inStretch_ < stretch_) {
            return false;
        }
        const bool chained = waitedInStretch_ * 4 > inStretch_ * 3;
        inStretch_ = 0;
        waitedInStretch_ = 0;
        return chained;
    }

private:
    size_t stretch_;
    size_t taken_ = 0;
    size_t inStretch_ = 0;
    size_t waitedInStretch_ = 0;
};
