#pragma once

#include <string>

// Makes the programs of this process see only the DejaVu fonts of the
// fonts-dejavu-core package, whatever else the machine has installed, so
// that text is measured and drawn the same everywhere: a private fontconfig
// configuration is written into `folder` and named by FONTCONFIG_FILE.
// Every family maps to DejaVu Sans, monospaced ones to DejaVu Sans Mono and
// serif ones to DejaVu Serif. Must run before the application object is
// made. Returns false, changing nothing, when the fonts are not there.
bool PinFontsToDejaVu(const std::string& folder);
