#include "windows/table/CardPointer.h"

#include "session/Shared.h"

bool CardPointer::startPlay()
{
    cGamePlay& session = shared_.gamePlay;
    if (!session.Game_Running())
        return false;
    if (session.PauseStatus())
        session.PauseGame(false);
    if (!session.host().gameClockOn())
        session.host().setGameClock(true);
    return true;
}

void CardPointer::press(int16_t id, double x, double y)
{
    if (!startPlay() || shared_.play.drag().active)
        return;
    shared_.play.MouseDown(id, x, y);
}

void CardPointer::move(double x, double y) { shared_.play.MouseMove(x, y); }

void CardPointer::release()
{
    if (!shared_.play.drag().active)
        return;
    shared_.play.MouseUp();
    shared_.services.sounds().raise(SoundEvent::MoveCard);
}

void CardPointer::releaseOn(int16_t cell, int16_t pile)
{
    if (!shared_.play.drag().active)
        return;
    shared_.play.DropOn(cell, pile);
    shared_.services.sounds().raise(SoundEvent::MoveCard);
}

void CardPointer::cancel()
{
    if (!shared_.play.drag().active)
        return;
    shared_.play.CancelDrag();
    shared_.services.sounds().raise(SoundEvent::MoveCard);
}

bool CardPointer::play(int16_t id, int16_t cell, int16_t pile)
{
    if (!startPlay() || shared_.play.drag().active)
        return false;
    if (!shared_.play.PlayerMove(id, cell, pile))
        return false;
    shared_.services.sounds().raise(SoundEvent::MoveCard);
    return true;
}

void CardPointer::stockPlaceClicked() { shared_.play.EmptyStockClick(); }
