#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// How long the named steps of one piece of work took: the thread doing the
// work starts the clock and notes the end of each step; whoever asks reads
// the durations once the work is done. A step noted twice adds up.
class StepTimes {
public:
    using Clock = std::chrono::steady_clock;

    // Starts the first step now and forgets the steps noted before.
    void Start();
    // The time since the last step ended (or Start) goes to `step`.
    void Lap(std::string_view step);
    // In milliseconds; 0 for a step never noted.
    double Milliseconds(std::string_view step) const;

private:
    std::vector<std::pair<std::string, double>> steps_;
    Clock::time_point last_ = Clock::now();
};

// Notes the end of `step` in `times`, when the work is timed at all.
inline void LapIf(StepTimes* times, std::string_view step)
{
    if (times != nullptr)
        times->Lap(step);
}
