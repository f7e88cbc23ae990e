#pragma once

#include <QString>

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

    // `dataHome` is the user's data folder ($XDG_DATA_HOME).
    explicit FileTypes(QString dataHome = defaultDataHome());
    static QString defaultDataHome();

    // What the desktop answers for an extension (".tb0": "Tablora.Incomplete")
    // or a type ("Tablora.Incomplete": its description); empty when that kind
    // is not registered.
    QString readAssociation(const QString& key) const;
    bool bothRegistered() const;

    // Registers both kinds with `programFile` as the program that opens them,
    // unless both are registered already. Each step that fails is skipped;
    // the desktop's caches are refreshed when their tools are installed.
    void registerFileTypes(const QString& programFile) const;

    QString packageFile(const Kind& kind) const;
    QString desktopFile() const;
    QString iconFile(const Kind& kind) const;

    // The Exec line's program, quoted the way desktop entries want it.
    static QString desktopExec(const QString& programFile);

private:
    QString dataHome_;
};
