// The status dialog's start-up text in the user's language, and where the dialog is placed.
// Portable: no windows.h.
#pragma once

// The text of the status line for a language name (exact comparison); the English text for any
// other name.
const char* startupText(const char* language);

struct Placement {
    int x, y, width, height;
};

// A window of width by height pixels, centred in a working area of areaWidth by areaHeight, grown by
// two dialog frames each way (integer division rounding toward zero).
Placement centredPlacement(int width, int height, int areaWidth, int areaHeight, int frameX, int frameY);
