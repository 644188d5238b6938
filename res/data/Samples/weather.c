/* Weather records in plain C. */
#include <stdio.h>
#include "garden.h"

struct Reading {
    int day;
    int rainMillimetres;
    int sunHours;
};

static struct Reading s_readings[366];
static int s_readingCount = 0;

int SeasonLength(Season season)
{
    if (season == Winter)
        return 90;
    return 92;
}

void PrintSeason(Season season)
{
    static const char* names[] = {"spring", "summer", "autumn", "winter"};
    printf("%s\n", names[season]);
}

int AddReading(int day, int rain, int sun)
{
    if (s_readingCount >= 366)
        return -1;
    s_readings[s_readingCount].day = day;
    s_readings[s_readingCount].rainMillimetres = rain;
    s_readings[s_readingCount].sunHours = sun;
    return s_readingCount++;
}

int RainyDays(int threshold)
{
    int days = 0;
    int i;
    for (i = 0; i < s_readingCount; i++) {
        if (s_readings[i].rainMillimetres < threshold)
            continue;
        days++;
    }
    return days;
}

int LongestDrySpell(void)
{
    int longest = 0;
    int current = 0;
    int i = 0;
    while (i < s_readingCount) {
        if (s_readings[i].rainMillimetres == 0) {
            current++;
            if (current > longest)
                longest = current;
        } else {
            current = 0;
        }
        i++;
    }
    return longest;
}
