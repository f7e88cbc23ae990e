// One player's move on the table of the real main window (offscreen,
// 1280x800), at the fastest, the default and the slowest "Card Moving
// Speed": the time from the move until the card's picture is in its place,
// as the window's own frame timer plays it, with the frames it took and the
// longest time between two frames (how long a click could wait).

#include "OffscreenMain.h"
#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/TempHome.h"
#include "windows/frmMain.h"
#include "windows/table/TableView.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <optional>

namespace {

struct Program {
    Program()
    {
        window = std::make_unique<frmMain>(shared, pictures);
        window->resize(1280, 800);
        window->show();
        shared.services.settings().write(settings::kAutoPlay, 0);
    }

    // A deal with a move between two home piles, dealt without animation.
    std::pair<int16_t, int16_t> dealWithAMove()
    {
        shared.services.settings().write(settings::kCardSpeed, 0);
        for (int number = 1;; ++number) {
            shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(number));
            const cPlay& play = shared.play;
            for (int16_t from = 0; from < 7; ++from)
                for (int16_t to = 0; to < 7; ++to)
                    if (from != to && play.GetTop(0, from) >= 0 && play.GetTop(0, to) >= 0 &&
                        play.CanDrop(play.GetTopPicID(0, from), 0, 0, to))
                        return {play.GetTopPicID(0, from), to};
        }
    }

    // Runs the event loop until the table is still; the longest time
    // between two frames, in milliseconds.
    double playOut()
    {
        TableView& table = window->table();
        QElapsedTimer clock;
        clock.start();
        int64_t frames = table.framesPlayed();
        double longest = 0;
        qint64 last = 0;
        while (table.animating()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            if (table.framesPlayed() != frames) {
                frames = table.framesPlayed();
                const qint64 now = clock.elapsed();
                longest = std::max(longest, static_cast<double>(now - last));
                last = now;
            }
        }
        return longest;
    }

    TempHome home;
    Shared shared;
    CardPictures pictures;
    std::unique_ptr<frmMain> window;
};

Program& program()
{
    static Program made;
    return made;
}

void BM_OneMove(benchmark::State& state)
{
    Program& p = program();
    const auto [card, to] = p.dealWithAMove();
    TableView& table = p.window->table();
    const int32_t speed = static_cast<int32_t>(state.range(0));
    int64_t frames = 0;
    double longest = 0;
    for (auto _ : state) {
        p.shared.services.settings().write(settings::kCardSpeed, speed);
        const int64_t before = table.framesPlayed();
        p.shared.play.PlayerMove(card, 0, to);
        longest = std::max(longest, p.playOut());
        frames = table.framesPlayed() - before;
        state.PauseTiming();
        int16_t instant = 0;
        p.shared.engine.Undo(instant);
        table.finishAnimations();
        state.ResumeTiming();
    }
    state.counters["frames"] = static_cast<double>(frames);
    state.counters["longest_frame_ms"] = longest;
}
BENCHMARK(BM_OneMove)->Arg(0)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

TABLORA_OFFSCREEN_BENCHMARK_MAIN()
