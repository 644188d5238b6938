#ifndef GUARD_H
#define GUARD_H
#define GUARD_VALUE 2
int guarded;
#endif
