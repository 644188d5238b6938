#pragma once
#define ONCE_VALUE 1
int once_var;
