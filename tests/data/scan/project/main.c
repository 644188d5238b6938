#include "stdafx.h"
#include "Sub\Util.h"
#include "once.h"
#include "once.h"
#include <System.h>
#include "guard.h"
#include "guard.h"
int main(void) { return UTIL_VALUE + GUARD_VALUE + ONCE_VALUE + SYSTEM_VALUE; }
