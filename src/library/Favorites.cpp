#include "library/Favorites.h"

#include "data/cData.h"
#include "engine/Services.h"
#include "rules/WholeFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr qsizetype kLongestName = 200;

QString favoriteLine(const PlaySession& session, const QString& player, const QDateTime& when)
{
    const GameNo& number = session.gameNo();
    const QString shownNumber =
        number.isText() ? QLatin1Char('"') + number.toString() + QLatin1Char('"') : number.toString();
    return QLatin1Char('"') + session.GameName() + QLatin1String("\",") + shownNumber + QLatin1String(",\"") + player +
           QLatin1String("\",#") + when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) + QLatin1String("#\r\n");
}

} // namespace

QString Favorites::AddFavorite(const QString& path)
{
    const PlaySession& session = services_.session();
    const QString target =
        path.isEmpty()
            ? QDir(data_.FavFolder()).filePath(session.GameName() + QLatin1String(" - ") + session.gameNo().toString())
            : path;
    const QString player = services_.settings().read(settings::kCurPlayer);
    WriteWholeFile(target, favoriteLine(session, player, services_.clock().now()).toUtf8(), data_.FavFolder());
    return target;
}

bool Favorites::unfitForFileName(const QString& name)
{
    static const QString kReserved = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name)
        if (kReserved.contains(c) || c.category() == QChar::Other_Control)
            return true;
    return name == QLatin1String(".") || name == QLatin1String("..") || name.endsWith(QLatin1Char(' ')) ||
           name.endsWith(QLatin1Char('.')) || name.size() > kLongestName;
}

bool Favorites::hiddenName(const QString& name) { return name.startsWith(QLatin1Char('.')); }

QString Favorites::hiddenNameText() { return QStringLiteral("Name should not begin with a dot (.)"); }

Favorites::NameCheck Favorites::checkName(const QString& name, Kind kind, const QString& parent) const
{
    if (name.trimmed().isEmpty())
        return NameCheck::Empty;
    if (unfitForFileName(name))
        return NameCheck::BadCharacters;
    if (hiddenName(name))
        return NameCheck::LeadingDot;
    // A link of that name, even one leading nowhere, takes the name.
    const QFileInfo there(QDir(parent).filePath(name));
    if (there.isSymLink() || (kind == Kind::Folder ? there.isDir() : there.exists() && !there.isDir()))
        return NameCheck::Exists;
    return NameCheck::Valid;
}

bool Favorites::ValidFavName(const QString& name, Kind kind, const QString& parent)
{
    const auto refuse = [&](const QString& text) {
        services_.prompts().message(text, Prompts::Icon::Stop, Prompts::Buttons::Ok);
        return false;
    };
    switch (checkName(name, kind, parent)) {
    case NameCheck::Empty:
        // Also what a cancelled question gives: nothing to say.
        if (name.isEmpty())
            return false;
        return refuse(QStringLiteral("Name should not contain these characters : /\\:*?\"<>|"));
    case NameCheck::BadCharacters:
        return refuse(QStringLiteral("Name should not contain these characters : /\\:*?\"<>|"));
    case NameCheck::LeadingDot: return refuse(hiddenNameText());
    case NameCheck::Exists:
        return refuse(kind == Kind::Folder ? QStringLiteral("Folder already exists")
                                           : QStringLiteral("Game already exists"));
    case NameCheck::Valid: return true;
    }
    return false;
}

bool Favorites::insideFavorites(const QString& path) const
{
    const QString root = QFileInfo(data_.FavFolder()).canonicalFilePath();
    const QFileInfo info(path);
    // The entry itself is judged by where it stands, not where a link
    // leads: its folder, resolved, must be the favorites folder or below.
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return !root.isEmpty() && !folder.isEmpty() && (folder == root || folder.startsWith(root + QLatin1Char('/')));
}

bool Favorites::deleteFolder(const QString& folder) const
{
    const QFileInfo info(folder);
    if (!insideFavorites(folder) ||
        QFileInfo(folder).absoluteFilePath() == QFileInfo(data_.FavFolder()).absoluteFilePath())
        return false;
    if (info.isSymLink())
        return RemoveFile(folder, data_.FavFolder());
    // Links inside are removed as entries; what they point to stays.
    return QDir(folder).removeRecursively();
}
