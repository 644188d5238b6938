#include "garden.h"

namespace garden {

Plant::Plant(const char* name, int days) : name_(name), days_(days), grown_(0) {}

Plant::~Plant() {}

int Plant::WaterNeed(Season season) const
{
    switch (season) {
    case Summer:
        return 3;
    case Spring:
    case Autumn:
        return 2;
    default:
        break;
    }
    return 1;
}

const char* Plant::Name() const
{
    return name_;
}

int Plant::DaysToHarvest() const
{
    return days_ - grown_ > 0 ? days_ - grown_ : 0;
}

void Plant::Grow(int days)
{
    grown_ += days;
    if (grown_ > days_)
        grown_ = days_;
}

Vegetable::Vegetable(const char* name, int days, Soil soil) : Plant(name, days), soil_(soil) {}

int Vegetable::WaterNeed(Season season) const
{
    int need = Plant::WaterNeed(season);
    if (soil_ == Sand)
        need = need + 1;
    else if (soil_ == Clay)
        need = need - 1;
    return need;
}

Soil Vegetable::PreferredSoil() const
{
    return soil_;
}

Flower::Flower(const char* name, int days, int colour) : Plant(name, days), colour_(colour) {}

int Flower::WaterNeed(Season season) const
{
    int need = 0;
    int week = 0;
    do {
        need += Plant::WaterNeed(season);
        week++;
    } while (week < 2);
    return need / 2;
}

int Flower::Colour() const
{
    return colour_;
}

} // namespace garden
