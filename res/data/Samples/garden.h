/* A small garden planner: the sample project of Kestrin. */
#ifndef GARDEN_H
#define GARDEN_H

#define MAX_BEDS 8
#define MAX_PLANTS 32

enum Season { Spring, Summer, Autumn, Winter };

struct Position {
    int row;
    int column;
};

union Measure {
    int centimetres;
    float litres;
};

namespace garden {

enum Soil { Sand, Loam, Clay };

class Plant {
public:
    Plant(const char* name, int days);
    virtual ~Plant();
    virtual int WaterNeed(Season season) const;
    const char* Name() const;
    int DaysToHarvest() const;

protected:
    void Grow(int days);

private:
    const char* name_;
    int days_;
    int grown_;
};

class Vegetable : public Plant {
public:
    Vegetable(const char* name, int days, Soil soil);
    int WaterNeed(Season season) const;
    Soil PreferredSoil() const;

private:
    Soil soil_;
};

class Flower : public Plant {
public:
    Flower(const char* name, int days, int colour);
    int WaterNeed(Season season) const;
    int Colour() const;

private:
    int colour_;
};

class Bed {
public:
    Bed();
    bool Add(Plant* plant);
    int Count() const;
    int TotalWater(Season season) const;
    Plant* Find(const char* name) const;

    struct Slot {
        Position where;
        Plant* plant;
    };

private:
    Slot slots_[MAX_PLANTS];
    int count_;
    Soil soil_;
};

class Garden {
public:
    Garden();
    Bed* NewBed();
    int Plan(Season season);
    void Report() const;

private:
    Bed beds_[MAX_BEDS];
    int bedCount_;
};

template <class T>
class Basket {
public:
    Basket() : count_(0) {}
    void Put(T item);
    int Count() const { return count_; }

private:
    T items_[16];
    int count_;
};

} // namespace garden

extern int g_daysPlanned;
extern const char* g_gardenName;

int SeasonLength(Season season);
void PrintSeason(Season season);

#endif
