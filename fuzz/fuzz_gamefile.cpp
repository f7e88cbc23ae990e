// Saved games of both kinds (incomplete .tb0, finished .tb1) and favorite
// files: whatever they hold, the readers answer with a game or a clear
// error, never a crash, a hang or a leak.

#include "FuzzInput.h"
#include "history/mFile.h"
#include "rules/RunTimeError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    for (const char* name : {"game.tb0", "game.tb1"}) {
        const QString path = folder.write(QLatin1String(name), data, size);
        try {
            const mFile::GameFile file = mFile::ReadGameFile(path);
            if (file.records.size() > static_cast<size_t>(cEngine::kMaxRecords))
                std::abort();
        } catch (const RunTimeError&) {
        }
        try {
            (void)mFile::ReadGameSummary(path);
        } catch (const RunTimeError&) {
        }
    }
    try {
        (void)mFile::ReadFavoriteFile(folder.write(QStringLiteral("favorite.tbf"), data, size));
    } catch (const RunTimeError&) {
    }
    return 0;
}
