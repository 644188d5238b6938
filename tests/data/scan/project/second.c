#include "stdafx.h"
#include "once.h"
int second = ONCE_VALUE + AFX_VALUE;
