// A player's score file: damaged lines are skipped and counted, and every
// figure and the report are worked out from what was read.

#include "FuzzInput.h"
#include "rules/RunTimeError.h"
#include "scores/Players.h"
#include "session/Shared.h"

#include <QDate>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    static const std::unique_ptr<Shared> shared = std::make_unique<Shared>();
    const QString path = Players::ScoreFile(shared->data, QStringLiteral("Fuzz"));
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    cScore& score = shared->score;
    try {
        score.OpenScore(QStringLiteral("Fuzz"));
        (void)score.reportText();
        (void)score.StatAll();
        (void)score.StatPeriod(QDate(2026, 12, 1), QStringLiteral("m"));
        score.Sort(QString(), QString(), false);
        score.FinSort(true, true);
    } catch (const RunTimeError&) {
    }
    score.CloseScore();
    return 0;
}
