#include "app/CommandLine.h"
#include "app/DealWindow.h"
#include "rules/RunTimeError.h"
#include "shell/FileTypes.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    {
        // Command-line tools run without a display.
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (const std::optional<int> code = RunCommandLineTool(arguments, out, err))
            return *code;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tablora"));
    // Saved games open with the program; registered when either kind is
    // missing. A failure here must not stop the program.
    try {
        FileTypes().registerFileTypes(QCoreApplication::applicationFilePath());
    } catch (const RunTimeError&) {
    }
    DealWindow window;
    window.show();
    return QApplication::exec();
}
