#include "app/Shared.h"

Shared::Shared()
{
    games.setClosedCardsSource(&play);
    play.setRecorder(&engine);
}
