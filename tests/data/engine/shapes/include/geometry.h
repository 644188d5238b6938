#ifndef GEOMETRY_H
#define GEOMETRY_H

#include "detail/util.h"

namespace geo {

struct Point {
    int x;
    int y;
};

class Shape {
public:
    virtual ~Shape();
    virtual double Area() const = 0;
    void MoveBy(int dx, int dy);
protected:
    Point origin;
};

double Distance(const Point& a, const Point& b);

} // namespace geo

#endif
