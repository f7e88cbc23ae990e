#pragma once

#include <QString>

#include <cstdint>

// Program-wide values every part of the program may read: the screen size in
// twips as measured when the main window loads, and the name of the game the
// session is playing. Later additions (busy flag, drag state) live here too.
struct ProgramValues {
    // 1024 x 768 pixels at 15 twips per pixel until the main window measures
    // the real screen.
    int32_t screenWidthTwips = 15360;
    int32_t screenHeightTwips = 11520;
    QString runningGameName;
    // Set while a card is being dragged or a history step replays; undo,
    // redo and the timers' background work wait while it is set.
    bool busy = false;
};
