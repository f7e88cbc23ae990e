#pragma once

// The main function of a benchmark that needs a GUI application: offscreen
// unless a platform is named.

#include <QApplication>

#include <benchmark/benchmark.h>

#define TABLORA_OFFSCREEN_BENCHMARK_MAIN()                                                                             \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        QApplication app(argc, argv);                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        if (benchmark::ReportUnrecognizedArguments(argc, argv))                                                        \
            return 1;                                                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
