// One player's move on the table of the real main window (offscreen,
// 1280x800), at the fastest, the default and the slowest "Card Moving
// Speed": the time from the move until the card's picture is in its place,
// as the window's own frame timer plays it, with the frames it took and the
// longest time between two frames (how long a click could wait). Then the
// celebration of a won game at the default speed, from the last card home
// until the game-end dialog is due.

#include "OffscreenMain.h"
#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/TempHome.h"
#include "windows/frmMain.h"
#include "windows/table/TableView.h"
#include "windows/table/WinCelebration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

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

// Every card onto the foundation of its suit, Ace to King, the cards on it
// moved aside first; the last one wins the game.
void putEveryCardHome(cPlay& play)
{
    for (int16_t rank = 0; rank < 13; ++rank)
        for (int16_t group = 0; group < 4; ++group) {
            int16_t card = 0;
            while (play.SuitPile(card) != group || play.Num(card) != rank)
                ++card;
            while (play.GetTopPicID(play.Cell(card), play.Pile(card)) != card) {
                const int16_t cell = play.Cell(card);
                const int16_t to = cell == 0 ? static_cast<int16_t>((play.Pile(card) + 1) % 7) : int16_t{0};
                play.MoveCard(play.GetTopPicID(cell, play.Pile(card)), 0, to,
                              static_cast<int16_t>(play.GetTop(0, to) + 1), cPlay::kMoveHistory, 0, 0, cPlay::kFaceUp);
            }
            play.MoveCard(card, 3, group, static_cast<int16_t>(play.GetTop(3, group) + 1), cPlay::kMoveHistory, 0, 0,
                          cPlay::kFaceUp);
        }
}

void BM_Celebration(benchmark::State& state)
{
    Program& p = program();
    WinCelebration& show = p.window->celebration();
    // The game-end dialog that follows is closed as it comes up.
    QTimer closer;
    closer.setInterval(1);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            dialog->close();
    });
    closer.start();
    int frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        p.shared.services.settings().write(settings::kCardSpeed, 0);
        p.shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(5));
        p.shared.services.settings().write(settings::kCardSpeed, settings::kCardSpeed.defaultValue);
        state.ResumeTiming();
        putEveryCardHome(p.shared.play);
        while (!show.running())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        while (show.running())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        frames = show.framesShown();
        state.PauseTiming();
        // The dialog, closed, and the table cleared with it.
        while (p.shared.gamePlay.Game_Running())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.ResumeTiming();
    }
    state.counters["frames"] = frames;
}
BENCHMARK(BM_Celebration)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

TABLORA_OFFSCREEN_BENCHMARK_MAIN()
