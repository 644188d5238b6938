#include "NSDSetting.h"

CNSDSetting::CNSDSetting()
    : BackGroundColor(0xFFFFFF),
      HighColorShading(3),
      ShowTitle(1),
      ExceptionColor(0xC8C8FF),
      TitleColor {0xFFFFFF, 0x646464, 0x646464},
      ProcessColor {0xFF0000, 0x000000, 0xF0FFF0},
      IfColor {0x000000, 0x000000, 0xB6FFE1},
      IfYesColor {0xC80000, 0xFFFFE0, 0xFFFFE0},
      IfNoColor {0x0000C8, 0xE1B6FC, 0xE1B6FC},
      SwitchColor {0x000000, 0x000000, 0xE1E4FF},
      CaseColor {0x000000, 0xC8FFC8, 0xC8FFC8},
      LoopColor {0x000000, 0x000000, 0xFCE1B6},
      TryCatchColor {0x000000, 0x000000, 0xF5D1D1},
      StartX(20),
      StartY(20),
      LoopWidth(30),
      TryCatchWidth(20),
      TryCatchHeight(10),
      StatementDistance(1),
      TextMarginWidth(2),
      TextMarginHeight(2),
      TitleMarginWidth(4),
      TitleMarginHeight(1)
{
    TitleFont.Create("Verdana", 12, 1);
    ProcessFont.Create("Verdana", 8, 0);
    IfFont.Create("Verdana", 8, 1);
    IfYesFont.Create("Verdana", 8, 1);
    IfNoFont.Create("Verdana", 8, 1);
    SwitchFont.Create("Verdana", 8, 1);
    CaseFont.Create("Verdana", 8, 1);
    LoopFont.Create("Verdana", 8, 1);
    TryCatchFont.Create("Verdana", 8, 1);
}

void CNSDSetting::AttachDC(CDC* dc)
{
    for (CFontHolder* font : {&TitleFont, &ProcessFont, &IfFont, &IfYesFont, &IfNoFont, &SwitchFont,
             &CaseFont, &LoopFont, &TryCatchFont})
        font->dc = dc;
}
