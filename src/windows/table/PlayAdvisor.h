#pragma once

#include "solver/Solver.h"
#include "windows/table/BackgroundSolver.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class Shared;
class TableView;

// The solver at the player's service. Each time the table changes it asks,
// in the background, whether the deal can still be won from there, and
// shows the answer in its status-bar label: "Checking…" while it looks,
// then "Winnable", "Not winnable" or "Unknown" when the search ran out of
// time, and "Won" once every card is home. An "Unknown" is followed by a
// longer search at low priority while the player thinks, which may still
// settle the deal; the next change of the table cancels it. Answers proved
// for a table are kept, so that an undo, a redo or a way back to a layout
// shows its answer at once. On request it shows a hint: the next move of a
// winning line (or of the line that came closest), framed on the table and
// described in the status bar, or that no move is left.
class PlayAdvisor final : public QObject {
    Q_OBJECT
public:
    // The first search after each change: short, so that the answer comes
    // while the player still looks at the move; the time alone stops it.
    static constexpr std::chrono::milliseconds kCheckTime{2000};
    // The search after an "Unknown", on a thread of low priority.
    static constexpr std::chrono::milliseconds kDeeperTime{60'000};
    // Searches stopped by time have no positions budget.
    static constexpr uint64_t kNoPositionsCap = uint64_t{1} << 62;
    // The proved answers kept, the latest first.
    static constexpr size_t kProvedKept = 200;

    static const QString kChecking;
    static const QString kWinnable;
    static const QString kNotWinnable;
    static const QString kUnknown;
    static const QString kWon;
    static const QString kNoMoves;

    // `tell` shows a passing remark in the status bar; while `held` says
    // so (a replay running) the table is not searched.
    PlayAdvisor(Shared& shared, TableView& table, QLabel& indicator, std::function<void(const QString&)> tell,
                std::function<bool()> held, QObject* parent = nullptr);
    ~PlayAdvisor() override;

    // Looks at the table: when it is not the one last searched, the search
    // starts again on it. Cheap when nothing changed.
    void tableChanged();
    // The hint command. The answer comes at once when the table has been
    // searched already, else when the search ends.
    void hint();
    // No more searches: the one running is cancelled and its thread joined.
    void stop();
    // The limits of the first search after a change and of the longer one
    // after an "Unknown" (tests give them in positions, so that the answers
    // do not hang on the machine's speed). Taken up by the next search.
    void setSearchLimits(const solver::Limits& check, const solver::Limits& deeper);

    // The move the last hint showed; none when it said no move is left.
    const std::optional<solver::Move>& lastHint() const { return lastHint_; }
    // How many hints were given (moves shown or "no moves"), for tests.
    int hintsGiven() const { return hintsGiven_; }
    // A search, first or longer, is under way.
    bool searching() const { return check_.searching() || deeper_.searching(); }
    // The longer search after an "Unknown" is under way.
    bool searchingDeeper() const { return deeper_.searching(); }
    // Goes up with every search started, first or longer, for tests.
    uint64_t searchNumber() const { return searchesStarted_; }

    // "Hint: move 7♥ onto 8♠": the move on the table as it is now.
    static QString describe(const Shared& shared, const solver::Move& move);

signals:
    // The status-bar label now says `text`.
    void verdictShown(const QString& text);

private:
    // A table's answer proved by a search: winnable (with its line) or not.
    struct Proved {
        QString game;
        bool autoPlay = false;
        solver::Table table;
        solver::Result result;
        // The answer holds for this table of this game, searched with this
        // automatic-play option.
        bool settles(const solver::Table& table, const QString& gameNow, bool autoPlayNow) const;
    };

    solver::Table snapshot() const;
    // Every card of the deal is home: nothing left to search.
    bool won() const;
    bool autoPlay() const;
    void checked(const solver::Result& result);
    void searchedDeeper(const solver::Result& result);
    // Takes the answer for the table searched: indicator, line, kept answers
    // and a hint that waited for it.
    void answer(const solver::Result& result);
    void keep(const solver::Table& table, const solver::Result& result);
    // The answer kept for the table, in the game and with the option
    // searched.
    const Proved* kept(const solver::Table& table) const;
    void showHint(const solver::Result& result);
    void setIndicator(const QString& text);
    // Forgets the table searched, and any search of it.
    void forget();
    // The table is the one the winning line leads to next: the line goes on
    // from it.
    bool followsLine(const solver::Table& now);

    Shared& shared_;
    TableView& table_;
    QLabel& indicator_;
    std::function<void(const QString&)> tell_;
    std::function<bool()> held_;
    solver::Limits checkLimits_;
    solver::Limits deeperLimits_;
    BackgroundSolver check_;
    BackgroundSolver deeper_;
    uint64_t searchesStarted_ = 0;
    std::deque<Proved> proved_;
    bool stopped_ = false;
    // The table last searched (or being searched), the game and the option
    // it was searched in, and the answer once it came.
    std::optional<solver::Table> searchedTable_;
    bool autoPlaySearched_ = false;
    QString gameSearched_;
    std::optional<solver::Result> result_;
    // The rest of the winning line found from the table searched. While the
    // player follows it, no search is needed: a fresh search could find
    // another line, whose first move may undo the one just made, and hints
    // would lead the player round in a circle.
    std::vector<solver::Move> line_;
    // Too large for the solver: no verdict, no hint.
    bool unsupported_ = false;
    // The table could not be read for the solver; said once in the log.
    bool readFailed_ = false;
    // A hint waits for the search under way.
    bool hintWanted_ = false;
    std::optional<solver::Move> lastHint_;
    int hintsGiven_ = 0;
};
