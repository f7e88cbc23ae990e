#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// A drag of a card (and the run lying on it) from press to release.
struct DragState {
    // From an accepted press until the release.
    bool active = false;
    // Cards lying on the grabbed card that move with it.
    int16_t k = 0;
    // Pointer position inside the grabbed picture at the press, in twips.
    double grabX = 0;
    double grabY = 0;
    // The grabbed picture's place at the press.
    int32_t startLeft = 0;
    int32_t startTop = 0;
    // The run's cards, bottom to top.
    std::vector<int16_t> runCards;
    // The home piles fan sideways.
    bool sideways = false;
    // The drag went beyond the table's coordinates; it will be refused.
    bool outOfRange = false;
};

// Program-wide values every part of the program may read: the screen size in
// twips as measured when the main window loads, and the name of the game the
// session is playing, the busy flag and the drag under way.
struct ProgramValues {
    // 1024 x 768 pixels at 15 twips per pixel until the main window measures
    // the real screen.
    int32_t screenWidthTwips = 15360;
    int32_t screenHeightTwips = 11520;
    QString runningGameName;
    // Set while a card is being dragged or a history step replays; undo,
    // redo and the timers' background work wait while it is set.
    bool busy = false;
    DragState drag;
};
