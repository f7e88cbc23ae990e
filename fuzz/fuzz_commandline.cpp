// The command line's --deal and --solve: arguments one per line of the
// input. Refused arguments get a message and exit code 2; nothing crashes.
// The solver's budget is kept small and a game is saved only inside the
// harness's own folder.

#include "FuzzInput.h"
#include "session/CommandLine.h"

#include <QStringList>
#include <QTextStream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzFolder folder;
    if (size == 0)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    QStringList args{QStringLiteral("tablora"),
                     data[0] % 2 == 0 ? QStringLiteral("--deal") : QStringLiteral("--solve")};
    args += text.split(QLatin1Char('\n'));
    for (qsizetype i = 2; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--budget") && args[i + 1].toULongLong() > 2000)
            return 0;
        if (args[i] == QLatin1String("--save"))
            args[i + 1] = folder.path(QStringLiteral("saved.tb1"));
    }
    if (args.size() > 3 && args[1] == QLatin1String("--solve") && !args.contains(QStringLiteral("--budget")))
        args << QStringLiteral("--budget") << QStringLiteral("2000");
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    const std::optional<int> code = RunCommandLineTool(args, out, err);
    if (!code || (*code != 0 && *code != 1 && *code != 2))
        std::abort();
    return 0;
}
