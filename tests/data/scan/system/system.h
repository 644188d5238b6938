#define SYSTEM_VALUE 4
#pragma pack(pop)