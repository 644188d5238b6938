#include "circle.h"

static int counter;

struct {
    int hits;
} stats;

int main(void)
{
    Circle c(2.0);
    counter = clamp(3, 0, UTIL_MAX);
    for (int i = 0; i < 3; i++) {
        c.Grow(i);
        stats.hits++;
    }
    switch (counter) {
    case 1:
    case 2:
        counter = 0;
        break;
    default:
        counter = -1;
    }
    return 0;
}
