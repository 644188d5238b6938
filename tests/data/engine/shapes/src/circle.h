#pragma once
#include "../include/geometry.h"

class Circle : public geo::Shape {
public:
    Circle(double r);
    double Area() const;
    void Grow(int by);
private:
    double radius;
    geo::Point center;
};
