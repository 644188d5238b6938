#include "StepTimes.h"

void StepTimes::Start()
{
    steps_.clear();
    last_ = Clock::now();
}

void StepTimes::Lap(std::string_view step)
{
    const Clock::time_point now = Clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - last_).count();
    last_ = now;
    for (auto& [name, total] : steps_) {
        if (name == step) {
            total += ms;
            return;
        }
    }
    steps_.emplace_back(step, ms);
}

double StepTimes::Milliseconds(std::string_view step) const
{
    for (const auto& [name, total] : steps_) {
        if (name == step)
            return total;
    }
    return 0;
}
