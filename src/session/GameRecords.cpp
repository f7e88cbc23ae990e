#include "session/GameRecords.h"

#include "history/cEngine.h"
#include "library/AutoSave.h"
#include "scores/cScore.h"

void GameRecords::AddScore(int16_t won) { score_.AddScore(won); }

void GameRecords::AddSesGame(int16_t won) { score_.AddSesGame(won); }

void GameRecords::AutoSaveGame(bool finished) { autoSave_.AutoSaveGame(finished); }

void GameRecords::SaveBackPending(const QString& fileName) { engine_.SavetoFile(fileName); }
