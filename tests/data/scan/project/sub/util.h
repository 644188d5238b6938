#include "..\config.h"
#define UTIL_VALUE CONFIG_VALUE
