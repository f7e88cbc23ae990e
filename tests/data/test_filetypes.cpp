#include "data/FileTypes.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The programs found on the path are those of one folder while it lives:
// the desktop's tools, which run on after the test, are not started where
// they are not looked at.
class ToolsFrom {
public:
    explicit ToolsFrom(const QString& folder) : saved_(qgetenv("PATH"))
    {
        QDir().mkpath(folder);
        qputenv("PATH", folder.toUtf8());
    }
    ~ToolsFrom() { qputenv("PATH", saved_); }
    ToolsFrom(const ToolsFrom&) = delete;
    ToolsFrom& operator=(const ToolsFrom&) = delete;

private:
    QByteArray saved_;
};

TEST(FileTypesTest, BothKindsAreRegisteredOnceAndAgainWhenOneGoesMissing)
{
    TempHome home;
    const ToolsFrom none(home.path(QStringLiteral("no tools")));
    const FileTypes types;
    EXPECT_EQ(types.readAssociation(QStringLiteral(".tb0")), QString());
    EXPECT_FALSE(types.bothRegistered());

    types.registerFileTypes(QStringLiteral("/opt/Card Games/tablora"));

    EXPECT_EQ(types.readAssociation(QStringLiteral(".tb1")), QStringLiteral("Tablora.Finished"));
    EXPECT_EQ(types.readAssociation(QStringLiteral(".tb0")), QStringLiteral("Tablora.Incomplete"));
    EXPECT_EQ(types.readAssociation(QStringLiteral("Tablora.Finished")), QStringLiteral("Tablora Finished Game"));
    EXPECT_EQ(types.readAssociation(QStringLiteral("Tablora.Incomplete")), QStringLiteral("Tablora Incomplete Game"));
    EXPECT_TRUE(contents(types.packageFile(FileTypes::kIncomplete)).contains("<glob pattern=\"*.tb0\"/>"));
    EXPECT_TRUE(contents(types.packageFile(FileTypes::kFinished)).contains("<comment>Tablora Finished Game</comment>"));
    const QByteArray entry = contents(types.desktopFile());
    EXPECT_TRUE(entry.contains("Exec=\"/opt/Card Games/tablora\" %f\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("MimeType=application/x-tablora-finished;application/x-tablora-incomplete;"));
    EXPECT_TRUE(QFileInfo::exists(types.iconFile(FileTypes::kFinished)));
    EXPECT_TRUE(QFileInfo::exists(types.iconFile(FileTypes::kIncomplete)));
    EXPECT_TRUE(types.packageFile(FileTypes::kFinished).startsWith(home.path(QStringLiteral("data/mime/packages/"))));

    // Registered: nothing is written again.
    QFile::remove(types.desktopFile());
    types.registerFileTypes(QStringLiteral("/opt/Card Games/tablora"));
    EXPECT_FALSE(QFileInfo::exists(types.desktopFile()));

    // One kind missing: everything is written again.
    QFile::remove(types.packageFile(FileTypes::kIncomplete));
    EXPECT_FALSE(types.bothRegistered());
    types.registerFileTypes(QStringLiteral("/usr/games/tablora"));
    EXPECT_TRUE(types.bothRegistered());
    EXPECT_TRUE(contents(types.desktopFile()).contains("Exec=\"/usr/games/tablora\" %f\n"));

    // A disk without room: the files written before stay whole.
    const QByteArray desktop = contents(types.desktopFile());
    const QByteArray finished = contents(types.packageFile(FileTypes::kFinished));
    QFile::remove(types.packageFile(FileTypes::kIncomplete));
    {
        FileSizeLimit full(64);
        ASSERT_TRUE(full.active());
        types.registerFileTypes(QStringLiteral("/srv/tablora"));
    }
    EXPECT_EQ(contents(types.desktopFile()), desktop);
    EXPECT_EQ(contents(types.packageFile(FileTypes::kFinished)), finished);
    EXPECT_FALSE(QFileInfo::exists(types.packageFile(FileTypes::kIncomplete))) << "no cut-off file";
}

// The processes whose parent is this one.
QStringList children()
{
    QStringList found;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const QByteArray stat = contents(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        // "pid (name) state parent ...": the name may hold blanks.
        const QList<QByteArray> rest = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1 && rest[1] == self.toLatin1())
            found << QString::fromLatin1(stat.left(stat.lastIndexOf(')') + 1));
    }
    return found;
}

TEST(FileTypesTest, TheDesktopsToolsRunOnWithoutBeingWaitedFor)
{
    TempHome home;
    // Stand-ins for the desktop's two tools, which go on only once told to
    // (or, should the test stop first, after a minute).
    const QString bin = home.path(QStringLiteral("bin"));
    const QString go = home.path(QStringLiteral("go"));
    ASSERT_TRUE(QDir().mkpath(bin));
    for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
        QFile script(bin + QLatin1Char('/') + QLatin1String(tool));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nPATH='" + qgetenv("PATH") + "'\ni=0\nwhile [ ! -e '" + go.toUtf8() +
                     "' ] && [ $i -lt 3000 ]; do sleep 0.02; i=$((i+1)); done\necho \"$1\" > \"" +
                     home.path().toUtf8() + "/ran-$(basename \"$0\")\"\n");
        script.close();
        ASSERT_TRUE(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }
    const FileTypes types;
    {
        const ToolsFrom standIns(bin);
        types.registerFileTypes(QStringLiteral("/usr/games/tablora"));
    }
    EXPECT_TRUE(types.bothRegistered());

    // Back before the tools finished; told to go on, they finish their work
    // on their own, and none is left as this program's zombie.
    const QString mime = home.path(QStringLiteral("ran-update-mime-database"));
    const QString desktop = home.path(QStringLiteral("ran-update-desktop-database"));
    EXPECT_FALSE(QFileInfo::exists(mime));
    QFile(go).open(QIODevice::WriteOnly);
    for (int step = 0; step < 500 && !(QFileInfo::exists(mime) && QFileInfo::exists(desktop)); ++step)
        QThread::msleep(20);
    EXPECT_EQ(contents(mime).trimmed(), home.path(QStringLiteral("data/mime")).toUtf8());
    EXPECT_EQ(contents(desktop).trimmed(), home.path(QStringLiteral("data/applications")).toUtf8());
    EXPECT_EQ(children(), QStringList());
}

TEST(FileTypesTest, TheProgramPathIsQuotedForTheDesktop)
{
    EXPECT_EQ(FileTypes::desktopExec(QStringLiteral("/a b/t$x\"q")), QStringLiteral("\"/a b/t\\\\$x\\\\\"q\""));
    EXPECT_EQ(FileTypes::desktopExec(QStringLiteral("/a\\b")), QStringLiteral("\"/a\\\\\\\\b\""));
}

} // namespace

// Installed system-wide, the desktop knows the program from the install's
// own files: nothing is written into the user's folders.
TEST(FileTypesTest, NothingIsWrittenForTheUserWhenInstalledSystemWide)
{
    TempHome home;
    const ToolsFrom none(home.path(QStringLiteral("no tools")));
    const QString system = home.path(QStringLiteral("system"));
    for (const auto& [path, bytes] : FileTypes::installedFiles()) {
        const QString file = system + QLatin1Char('/') + path;
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    const FileTypes installed(home.path(QStringLiteral("user")), {system});
    EXPECT_TRUE(installed.installedSystemWide());
    installed.registerFileTypes(QStringLiteral("/usr/bin/tablora"));
    EXPECT_FALSE(QFileInfo::exists(installed.desktopFile()));
    EXPECT_FALSE(QFileInfo::exists(installed.packageFile(FileTypes::kFinished)));

    const FileTypes bare(home.path(QStringLiteral("user")), {home.path(QStringLiteral("empty"))});
    EXPECT_FALSE(bare.installedSystemWide());
    bare.registerFileTypes(QStringLiteral("/usr/bin/tablora"));
    EXPECT_TRUE(QFileInfo::exists(bare.desktopFile()));
    EXPECT_TRUE(QFileInfo::exists(bare.packageFile(FileTypes::kIncomplete)));
}
