#include "windows/CardPointer.h"

#include "session/Shared.h"

void CardPointer::press(int16_t id, double x, double y)
{
    cGamePlay& session = shared_.gamePlay;
    if (!session.Game_Running())
        return;
    if (session.PauseStatus())
        session.PauseGame(false);
    if (!session.host().gameClockOn())
        session.host().setGameClock(true);
    DragState& drag = shared_.play.drag();
    if (drag.active)
        return;
    const CardSurface::Point at = shared_.services.surface().cardPosition(id);
    drag.k = 0;
    drag.grabX = x;
    drag.grabY = y;
    drag.startLeft = at.x;
    drag.startTop = at.y;
    cPlay& play = shared_.play;
    play.MouseDown(id, play.Cell(id), play.Pile(id), play.Pos(id));
}

void CardPointer::move(int16_t id, double x, double y)
{
    if (!shared_.play.drag().active)
        return;
    cPlay& play = shared_.play;
    play.MouseMove(id, play.Pile(id), play.Pos(id), x, y);
}

void CardPointer::release(int16_t id)
{
    DragState& drag = shared_.play.drag();
    if (!drag.active)
        return;
    drag.active = false;
    cPlay& play = shared_.play;
    play.MouseUp(id, play.Cell(id), play.Pile(id), play.Pos(id));
    shared_.services.sounds().raise(SoundEvent::MoveCard);
}

void CardPointer::stockPlaceClicked() { shared_.play.EmptyStockClick(); }
