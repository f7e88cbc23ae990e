#include "library/Listings.h"

#include "data/cData.h"

#include <QDir>

namespace Listings {
namespace {

constexpr QDir::SortFlags kOrder = QDir::Name | QDir::IgnoreCase;

QStringList listing(const QString& folder, QDir::Filters filters)
{
    const QDir dir(folder);
    QStringList list{QString()};
    for (const QString& name : dir.entryList(filters, kOrder))
        list << dir.filePath(name);
    list[0] = QString::number(list.size() - 1);
    return list;
}

} // namespace

QStringList ListFavFolders(const cData& data) { return listing(data.FavFolder(), QDir::Dirs | QDir::NoDotAndDotDot); }

QStringList ListFavFiles(const QString& folder) { return listing(folder, QDir::Files); }

QStringList ListPending(const cData& data) { return listing(data.PendingFolder(), QDir::Files); }

QStringList ListAutoSaved(const cData& data, bool finished)
{
    const QString ext = finished ? data.FinExt() : data.IncExt();
    QStringList all = listing(data.AutoSaveFolder(), QDir::Files);
    QStringList kind{QString()};
    for (qsizetype i = 1; i < all.size(); ++i)
        if (all[i].right(4).compare(ext, Qt::CaseInsensitive) == 0)
            kind << all[i];
    kind[0] = QString::number(kind.size() - 1);
    return kind;
}

} // namespace Listings
