#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// The two kinds of saved game as the desktop knows them: a shared MIME-info
// package per kind ("Tablora.Finished", *.tb1; "Tablora.Incomplete", *.tb0)
// with its icon, and a desktop entry that opens either kind with the
// program. Everything goes under the user's data folder.
class FileTypes {
public:
    struct Kind {
        const char* id;          // "Tablora.Finished"
        const char* description; // "Tablora Finished Game"
        const char* extension;   // ".tb1"
        const char* mimeType;    // "application/x-tablora-finished"
    };
    static const Kind kFinished;
    static const Kind kIncomplete;

    // The program as the desktop knows it once installed: its desktop
    // entry, icon and metadata are named after it.
    static constexpr const char* kAppId = "com.quellix.Tablora";

    // `dataHome` is the user's data folder ($XDG_DATA_HOME); `systemDirs`
    // the system's ($XDG_DATA_DIRS), where an install puts its files.
    explicit FileTypes(QString dataHome = defaultDataHome(), QStringList systemDirs = defaultSystemDirs());
    static QString defaultDataHome();
    static QStringList defaultSystemDirs();

    // What an install puts under PREFIX/share, by path below it: the desktop
    // entry, the program's scalable icon, one MIME package for both kinds
    // with their icons, and the AppStream metadata. The build draws the
    // program's PNG icons from programIcon().
    static std::vector<std::pair<QString, QByteArray>> installedFiles();
    static QByteArray programIcon();
    // The desktop entry and both kinds are installed in a system folder:
    // the program then writes no copies of its own.
    bool installedSystemWide() const;

    // What the desktop answers for an extension (".tb0": "Tablora.Incomplete")
    // or a type ("Tablora.Incomplete": its description); empty when that kind
    // is not registered.
    QString readAssociation(const QString& key) const;
    bool bothRegistered() const;

    // Registers both kinds with `programFile` as the program that opens them,
    // unless both are registered already or installed system-wide. Each step that fails is skipped;
    // the desktop's caches are refreshed, without waiting, when their tools are installed.
    void registerFileTypes(const QString& programFile) const;

    QString packageFile(const Kind& kind) const;
    QString desktopFile() const;
    QString iconFile(const Kind& kind) const;

    // The Exec line's program, quoted the way desktop entries want it.
    static QString desktopExec(const QString& programFile);

private:
    QString dataHome_;
    QStringList systemDirs_;
};
