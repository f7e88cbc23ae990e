#pragma once

#include "solver/Solver.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

class Services;

// Searches tables on a thread of its own, one at a time, so that play never
// waits for the solver. A new search cancels the one running (and any still
// waiting); only the result of the latest search is handed back, on the
// window's thread and inside the guard. The thread starts with the first
// search and is stopped and joined by stop() or the destructor. A search
// without a positions cap takes hundreds of megabytes; they go back as
// soon as it ends, rather than being held while the player plays on.
class BackgroundSolver final : public QObject {
    Q_OBJECT
public:
    // Called with the result of the latest search and its number.
    using Done = std::function<void(uint64_t search, const solver::Result& result)>;

    enum class Priority {
        // The thread runs as the window's own do.
        Normal,
        // For long searches while the player thinks: the thread gives way
        // to everything else the machine runs, for good (an ordinary
        // program cannot raise a thread's priority again).
        Low,
    };

    BackgroundSolver(Services& services, Done done, Priority priority = Priority::Normal, QObject* parent = nullptr);
    ~BackgroundSolver() override;
    BackgroundSolver(const BackgroundSolver&) = delete;
    BackgroundSolver& operator=(const BackgroundSolver&) = delete;

    // Searches the table (copied: play may go on) within the limits; the
    // limits' own cancel flag is not used. Returns the search's number.
    // Nothing is searched once stopped.
    uint64_t start(const solver::Table& table, const solver::Limits& limits);
    // The search running or waiting stops; its result is dropped.
    void cancel();
    // Cancels and joins the thread; no search starts after it.
    void stop();

    // A search was started whose result has not arrived yet.
    bool searching() const { return searching_; }
    // The number of the latest search started (0 before the first).
    uint64_t latest() const { return latest_; }

private:
    struct Job {
        solver::Table table;
        solver::Limits limits;
        uint64_t number = 0;
    };

    void work();
    void deliver(uint64_t number, const solver::Result& result);

    Services& services_;
    Done done_;
    const Priority priority_;
    // Window thread only.
    uint64_t latest_ = 0;
    bool searching_ = false;
    bool stopped_ = false;

    // Shared with the worker.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> waiting_;
    bool stopping_ = false;
    std::atomic<bool> cancel_{false};
    std::thread thread_;
};
