#pragma once

#include <QString>
#include <string_view>

// Fonts and text rendering need a Qt GUI application object. Programs with a
// window make their own; programs without one (tests, benchmarks, the command
// line) get one made on first use, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
void EnsureGuiApplication();

// An 8-bit text as Qt text: UTF-8 when it is valid UTF-8, otherwise Latin-1,
// so that no byte of an old source file is lost.
QString ToQString(std::string_view text);
