#include "data/FileTypes.h"
#include "support/FileSizeLimit.h"
#include "support/TempHome.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(FileTypesTest, BothKindsAreRegisteredOnceAndAgainWhenOneGoesMissing)
{
    TempHome home;
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
