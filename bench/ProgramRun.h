#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QStringList>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

// One run of a program, as the benchmarks measure it: the most resident
// memory it held, in megabytes, and its time in seconds; both -1 when it
// could not be started or did not end with status 0.
struct ProgramRun {
    double megabytes = -1;
    double seconds = -1;
};

inline ProgramRun runProgram(const QByteArray& program, const QStringList& arguments,
                             const QProcessEnvironment& environment)
{
    std::vector<QByteArray> texts{program};
    for (const QString& a : arguments)
        texts.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> variables;
    for (const QString& v : environment.toStringList())
        variables.push_back(v.toLocal8Bit());
    std::vector<char*> envp;
    for (QByteArray& v : variables)
        envp.push_back(v.data());
    envp.push_back(nullptr);

    QElapsedTimer clock;
    clock.start();
    pid_t child = 0;
    if (posix_spawn(&child, program.constData(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        return {};
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return {static_cast<double>(usage.ru_maxrss) / 1024.0, static_cast<double>(clock.nsecsElapsed()) / 1e9};
}
