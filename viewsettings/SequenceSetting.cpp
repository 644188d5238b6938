#include "SequenceSetting.h"

CSequenceSetting::CSequenceSetting()
    : BackGroundColor(0xFFFFFF),
      HighColorShading(4),
      ArrowLineColor(0xC80000),
      ObjectMiddleColor(0xB4B4DC),
      ObjectColor {0xCD0101, 0xE1C398, 0xFFFFFF},
      CallerTextColor(0x000000),
      CalledColor {0x000000, 0x00C800, 0x00C800},
      StartX(20),
      StartY(20),
      ObjectSpaceX(10),
      ObjectSpaceY(3),
      StreamBoxSizeWidth(15),
      StreamBoxSizeHeight(30),
      MinimumObjectDistance(100),
      EachObjectInterval(10),
      MethodUpperSpace(5),
      MethodLowerSpace(30),
      ArrowSize(5),
      EachStreamSpace(4)
{
    ObjectFont.Create("Arial", 10, 1);
    CallerFont.Create("Verdana", 8, 0);
    CalledFont.Create("Verdana", 8, 0);
}
