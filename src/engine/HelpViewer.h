#pragma once

#include <cstdint>

// Shows the program's built-in help: the contents page, or the rules of one
// game by its catalogue id (1 .. the number of games).
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showContents() = 0;
    virtual void showRules(int16_t gameId) = 0;
    // Closes every help window; the program does this when it ends.
    virtual void closeAll() = 0;
};

// No help window: what the core uses until the program attaches one.
class NullHelpViewer final : public HelpViewer {
public:
    void showContents() override {}
    void showRules(int16_t) override {}
    void closeAll() override {}
};
