#include "circle.h"

Circle::Circle(double r) : radius(r)
{
}

double Circle::Area() const
{
    if (radius < 0)
        return 0;
    return 3.14 * radius * radius;
}

void Circle::Grow(int by)
{
    radius = clamp(radius + by, 0, UTIL_MAX);
}

void geo::Shape::MoveBy(int dx, int dy)
{
    origin.x += dx;
    origin.y += dy;
}
