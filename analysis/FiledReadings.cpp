#include "FiledReadings.h"

void FiledReadings::Note(WideDigest reading)
{
    if (!reading.Known()) {
        return;
    }
    std::lock_guard lock(mutex_);
    readings_.insert(reading);
}

bool FiledReadings::Contains(WideDigest reading) const
{
    if (!reading.Known()) {
        return false;
    }
    std::lock_guard lock(mutex_);
    return readings_.count(reading) != 0;
}
