#include "session/Shared.h"

Shared::Shared()
{
    data.RegisterProgramData();
    games.setClosedCardsSource(&play);
    play.setRecorder(&engine);
    setSession(nullptr);
}
