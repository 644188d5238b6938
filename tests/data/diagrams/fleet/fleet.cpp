#include "fleet.h"

namespace fleet {

void Loggable::Log(const char* text)
{
    lines = lines + 1;
}

int Loggable::LineCount() const
{
    return lines;
}

Engine::Engine(int power)
{
    power_ = power;
    running_ = false;
}

void Engine::Start()
{
    running_ = true;
}

void Engine::Stop()
{
    running_ = false;
}

int Engine::Power() const
{
    return power_;
}

void Wheel::Inflate(double bar)
{
    pressure_ = bar;
}

void Vehicle::Drive(double km)
{
    odometer = odometer + km;
}

void Vehicle::Refuel(FuelKind kind, double litres)
{
    fuel = kind;
}

Car::Car(int power) : engine(power)
{
}

void Car::Drive(double km)
{
    engine.Start();
    Vehicle::Drive(km);
    Log("drove");
    engine.Stop();
}

void Car::Service()
{
    for (int i = 0; i < 4; ++i)
        wheels[i].Inflate(2.2);
    Refuel(Petrol, 40.0);
    Log("serviced");
}

void Truck::Load(double tonnes)
{
    cargo = cargo + tonnes;
    Log("loaded");
}

void Truck::Drive(double km)
{
    engine.Start();
    Vehicle::Drive(km);
    engine.Stop();
}

void Garage::Admit(Car* car)
{
    bays[used] = car;
    used = used + 1;
    journal.Log("admitted");
}

void Garage::ServiceAll()
{
    for (int i = 0; i < used; ++i) {
        bays[i]->Service();
        bays[i]->Drive(1.5);
    }
    spare.Start();
    journal.Log("serviced all");
}

double Garage::Bill(const Car& car, int hours) const
{
    return LabourRate(hours) * hours;
}

} // namespace fleet

double LabourRate(int hours)
{
    if (hours > 8)
        return 55.0;
    return 60.0;
}

void PrintReport(const fleet::Garage& garage)
{
    double total = garage.Bill(0, 3);
}

int main()
{
    fleet::Garage garage;
    fleet::Car car(120);
    garage.Admit(&car);
    garage.ServiceAll();
    PrintReport(garage);
    return 0;
}
