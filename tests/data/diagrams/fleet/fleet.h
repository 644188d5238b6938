// A small fleet manager: vehicles with engines and wheels, a garage that
// services them, and a report printed at the end.
#ifndef FLEET_H
#define FLEET_H

namespace fleet {

enum FuelKind { Petrol, Diesel, Electric };

struct Position {
    double lat;
    double lon;
};

class Loggable {
public:
    void Log(const char* text);
    int LineCount() const;
protected:
    int lines;
};

class Serializable {
public:
    virtual void Save(char* buffer, int size) const;
    bool Load(const char* buffer);
};

class Engine {
public:
    Engine(int power);
    void Start();
    void Stop();
    int Power() const;
    bool IsRunning() const;
private:
    int power_;
    bool running_;
};

class Wheel {
public:
    void Inflate(double bar);
    double Pressure() const;
private:
    double pressure_;
};

class Vehicle {
public:
    virtual ~Vehicle();
    virtual void Drive(double km);
    double Odometer() const;
    void Refuel(FuelKind kind, double litres);
protected:
    Position position;
    double odometer;
    FuelKind fuel;
};

class Car : public Vehicle, protected Loggable, private Serializable {
public:
    struct Trim {
        int seats;
        bool sunroof;
    };
    Car(int power);
    void Drive(double km);
    void Service();
    const Engine& GetEngine() const;
private:
    Engine engine;
    Wheel wheels[4];
    Trim trim;
};

class Truck : public virtual Vehicle, public Loggable {
public:
    void Load(double tonnes);
    void Drive(double km);
private:
    Engine engine;
    Wheel* axles;
    double cargo;
};

class Garage {
public:
    void Admit(Car* car);
    void ServiceAll();
    double Bill(const Car& car, int hours) const;
private:
    Car* bays[8];
    int used;
    Engine spare;
    Loggable journal;
};

} // namespace fleet

double LabourRate(int hours);
void PrintReport(const fleet::Garage& garage);

#endif
