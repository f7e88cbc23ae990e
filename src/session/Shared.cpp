#include "session/Shared.h"

Shared::Shared()
{
    data.RegisterProgramData();
    play.setRecorder(&engine);
    setSession(nullptr);
    gamePlay.setScoreRecorder(&records);
    gamePlay.setArchive(&records);
    services.setSounds(&sound);
}
