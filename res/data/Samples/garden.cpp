#include "garden.h"
#include <stdio.h>
#include <string.h>

int g_daysPlanned = 0;
const char* g_gardenName = "Kitchen garden";

namespace garden {

Bed::Bed() : count_(0), soil_(Loam) {}

bool Bed::Add(Plant* plant)
{
    if (count_ >= MAX_PLANTS)
        return false;
    slots_[count_].plant = plant;
    slots_[count_].where.row = count_ / 4;
    slots_[count_].where.column = count_ % 4;
    count_++;
    return true;
}

int Bed::Count() const
{
    return count_;
}

int Bed::TotalWater(Season season) const
{
    int total = 0;
    for (int i = 0; i < count_; i++) {
        if (slots_[i].plant == 0)
            continue;
        total += slots_[i].plant->WaterNeed(season);
    }
    return total;
}

Plant* Bed::Find(const char* name) const
{
    int i = 0;
    while (i < count_) {
        if (strcmp(slots_[i].plant->Name(), name) == 0)
            return slots_[i].plant;
        i++;
    }
    return 0;
}

Garden::Garden() : bedCount_(0) {}

Bed* Garden::NewBed()
{
    if (bedCount_ == MAX_BEDS)
        return 0;
    return &beds_[bedCount_++];
}

int Garden::Plan(Season season)
{
    int water = 0;
    for (int b = 0; b < bedCount_; b++) {
        int need = beds_[b].TotalWater(season);
        if (need > 20) {
            printf("bed %d needs a second can\n", b);
            goto done;
        }
        water += need;
    }
done:
    g_daysPlanned += SeasonLength(season);
    return water;
}

void Garden::Report() const
{
    try {
        for (int b = 0; b < bedCount_; b++)
            printf("bed %d: %d plants\n", b, beds_[b].Count());
    } catch (...) {
        printf("no report\n");
    }
}

template <class T>
void Basket<T>::Put(T item)
{
    if (count_ < 16)
        items_[count_++] = item;
}

} // namespace garden

int main()
{
    garden::Garden plot;
    garden::Bed* bed = plot.NewBed();
    garden::Vegetable carrot("carrot", 70, garden::Sand);
    garden::Flower tulip("tulip", 120, 3);
    bed->Add(&carrot);
    bed->Add(&tulip);
    Season season = Spring;
    while (season != Winter) {
        PrintSeason(season);
        printf("water: %d\n", plot.Plan(season));
        season = (Season)(season + 1);
    }
    plot.Report();
    return 0;
}
