#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class Services;
class DefaultPictureSource;

// The program's identity, the catalogue's per-game identity (name, original
// or standard, deck size) and every folder and fixed file path. Nobody else
// builds those paths. Folders are resolved afresh, and created when missing,
// every time they are asked for, so a folder deleted while the program runs
// comes back.
class cData {
public:
    static constexpr const char* kProductName = "Tablora";
    static constexpr const char* kVersion = "6.0";
    static constexpr const char* kHelpFileName = "tablora.chm";
    static constexpr const char* kExtensionStem = "tb";
    static QString longProductName();

    // Help and its sounds go through the services.
    explicit cData(Services& services) : services_(services) {}

    void InitCD(const QString& cProdName, const QString& cVersion, int16_t cTotalGames, const QString& cHelpFile,
                const QString& cExt);
    void SetGame(int16_t Gid, const QString& name, bool IsOriginal, int16_t cDeck);
    // The product data and every game of the catalogue.
    void RegisterProgramData();

    const QString& ProdNameX() const { return prodName_; }
    const QString& Version() const { return version_; }
    QString ProdName() const { return prodName_ + QLatin1Char(' ') + version_; }
    int16_t TotalGames() const { return totalGames_; }
    const QString& HelpFile() const { return helpFile_; }
    QString IncExt() const { return QLatin1Char('.') + ext_ + QLatin1Char('0'); }
    QString FinExt() const { return QLatin1Char('.') + ext_ + QLatin1Char('1'); }
    // When the session started (invalid until the main window sets it),
    // and that as the system writes a short date and time.
    const QDateTime& sesStartedAt() const { return sesStartedAt_; }
    void setSesStartedAt(const QDateTime& when) { sesStartedAt_ = when; }
    QString SesStartTime() const;

    // Game identity. An id outside 1 .. TotalGames, or a name that is not a
    // game, is a subscript error, except for GetGameID, which answers 0.
    QString GetGName(int16_t Gid) const;
    int16_t GetGameID(const QString& name) const;
    bool IsOriginal(const QString& name) const;
    QString GetDeck(const QString& name) const;

    // Folders and files; a folder that cannot be created is a path/file
    // access error.
    QString AppDir() const;
    QString FavFolder() const;
    QString SchemeFolder() const;
    QString PendingFolder() const;
    QString UnFinFile() const;
    QString SavedFolder() const;
    QString AutoSaveFolder() const;
    QString DefaultCustImageFile() const;
    QString DefaultSchemeFile() const;
    // Where the program's own read-only files (its sounds) are: the
    // "share/tablora" folder beside the program's "bin" folder when it is
    // installed, else the program's own folder, as in a build.
    static QString ProgramFolder();
    static QString dataFolderFor(const QString& programDir);
    // Writes the default colour scheme file unless one is there.
    void CreateDefaultSchemeFile() const;

    // Where the default background picture comes from.
    void setDefaultPicture(DefaultPictureSource* source) { defaultPicture_ = source; }

    void ShowContents();
    void ShowRules(const QString& name);

    // The user's folders the others are built on; the home folder stands in
    // when the platform cannot say.
    static QString applicationDataPath();
    static QString documentsPath();

private:
    struct GameEntry {
        QString name;
        bool original = false;
        QString deck;
    };

    const GameEntry& entry(int16_t Gid) const;
    const GameEntry& entry(const QString& name) const;
    QString myGamesFolder() const;

    Services& services_;
    QString prodName_;
    QString version_;
    int16_t totalGames_ = 0;
    QString helpFile_;
    QString ext_;
    QDateTime sesStartedAt_;
    std::vector<GameEntry> games_;
    DefaultPictureSource* defaultPicture_ = nullptr;
};
