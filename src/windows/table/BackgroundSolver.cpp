#include "windows/table/BackgroundSolver.h"

#include "rules/RunTimeError.h"
#include "windows/common/Guard.h"

#include <QLoggingCategory>
#include <QMetaObject>

#include <cerrno>
#include <cstring>
#include <exception>
#include <utility>

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

Q_LOGGING_CATEGORY(lcBackgroundSolver, "tablora.solver")

namespace {

// Lowers the calling thread's priority for a low one, then names the
// thread (as `top -H` and a debugger show it). A low thread gets the
// highest nice value (or, where that is refused, the idle scheduling
// class), so that the search gives way to everything else the machine runs.
void setUpWorker(BackgroundSolver::Priority priority)
{
    const bool low = priority == BackgroundSolver::Priority::Low;
#ifdef __linux__
    // On Linux a thread's nice value is its own.
    if (low && setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19) != 0) {
        const int failed = errno;
        sched_param idle{};
        if (pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle) != 0)
            qCWarning(lcBackgroundSolver)
                << "the long search's thread could not be given a low priority:" << std::strerror(failed);
    }
    pthread_setname_np(pthread_self(), low ? "tablora-idle" : "tablora-solver");
#else
    (void)low;
#endif
}

} // namespace

BackgroundSolver::BackgroundSolver(Services& services, Done done, Priority priority, QObject* parent)
    : QObject(parent), services_(services), done_(std::move(done)), priority_(priority)
{
}

BackgroundSolver::~BackgroundSolver() { stop(); }

uint64_t BackgroundSolver::start(const solver::Table& table, const solver::Limits& limits)
{
    if (stopped_)
        return latest_;
    ++latest_;
    {
        std::lock_guard lock(mutex_);
        // The search running, if any, is of a table that is gone.
        cancel_ = true;
        waiting_.emplace(Job{table, limits, latest_});
        waiting_->limits.cancel = nullptr;
    }
    wake_.notify_one();
    if (!thread_.joinable())
        thread_ = std::thread([this] { work(); });
    searching_ = true;
    return latest_;
}

void BackgroundSolver::cancel()
{
    ++latest_;
    searching_ = false;
    std::lock_guard lock(mutex_);
    cancel_ = true;
    waiting_.reset();
}

void BackgroundSolver::stop()
{
    cancel();
    stopped_ = true;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundSolver::work()
{
    setUpWorker(priority_);
    for (;;) {
        std::optional<Job> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
            if (stopping_)
                return;
            job = std::move(waiting_);
            waiting_.reset();
            // Set again by whatever replaces this job.
            cancel_ = false;
        }
        solver::Result result;
        try {
            // Each search starts afresh, as the command line's does, and
            // its memory goes back as soon as it ends.
            solver::Solver search;
            solver::Limits limits = job->limits;
            limits.cancel = &cancel_;
            result = search.solve(job->table, limits);
        } catch (const RunTimeError& e) {
            qCWarning(lcBackgroundSolver) << "the search failed:" << e.description();
            result = solver::Result{};
        } catch (const std::exception& e) {
            qCWarning(lcBackgroundSolver) << "the search failed:" << e.what();
            result = solver::Result{};
        }
        // Handed to the window's thread; a result that arrives after this
        // object is gone is dropped with its event.
        QMetaObject::invokeMethod(
            this,
            [this, number = job->number, result = std::move(result)] {
                guard::run(services_, [&] { deliver(number, result); });
            },
            Qt::QueuedConnection);
    }
}

void BackgroundSolver::deliver(uint64_t number, const solver::Result& result)
{
    // A search since started or cancelled makes this one's result stale.
    if (stopped_ || number != latest_)
        return;
    searching_ = false;
    if (done_)
        done_(number, result);
}
