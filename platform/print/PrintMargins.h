#pragma once

// The print margins in millimetres from the paper's edges, kept for the
// whole run of the program (top and bottom 10, left and right 3 at start).
// Printing raises a margin the printer cannot print into to that printer's
// border and records the paper's size and those borders, which the margin
// dialog uses as its limits.
struct PrintMargins {
    double top = 10.0;
    double bottom = 10.0;
    double left = 3.0;
    double right = 3.0;

    // Set by printing from the printer last measured.
    double pageWidthMm = 0.0;
    double pageHeightMm = 0.0;
    double minTop = 0.0;
    double minBottom = 0.0;
    double minLeft = 0.0;
    double minRight = 0.0;
};
