#ifndef UTIL_H
#define UTIL_H

#define UTIL_MAX 10

#ifdef __cplusplus
extern "C" {
#endif

int clamp(int value, int low, int high);

#ifdef __cplusplus
}
#endif

extern "C" double lerp(double a, double b, double t);

#endif
