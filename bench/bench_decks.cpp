// The cost of an SVG face deck against the drawn faces, offscreen, at the
// card size of a 96 dpi screen:
// - the first frame of a dealt Klondike game: the picture library and the
//   chosen deck made, the main window made and shown, the game dealt and
//   the table painted once; "fresh" with no pictures kept from a last run,
//   "kept" with the pictures the last run left (as the program reads them
//   from its cache folder at start-up);
// - one redraw of a Double Klondike table after a resize (the table laid
//   out again, its pictures drawn at the new size, painted).
// Each figure is the median of its runs. The decks: the test deck, and one
// deck of each family when installed.

#include "pictures/CardPictures.h"
#include "pictures/FaceDeck.h"
#include "session/Shared.h"
#include "support/TempHome.h"
#include "windows/frmCardDeck.h"
#include "windows/frmMain.h"
#include "windows/table/TableView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kFirstFrameRuns = 9;
constexpr int kResizes = 41;

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Deck {
    QString name;
    QString path; // empty: the drawn faces
};

// The window with a game of `game` dealt, its first frame painted.
struct Table {
    Table(const Deck& deck, const QByteArray& kept, const QString& game)
    {
        if (!deck.path.isEmpty())
            pictures.setFaceDeck(std::make_shared<FaceDeck>(deck.path));
        if (!kept.isEmpty())
            pictures.restorePictures(kept, "bench");
        window = std::make_unique<frmMain>(shared, pictures);
        window->resize(1280, 800);
        window->show();
        shared.gamePlay.PlayNumber(game, GameNo(4));
        window->table().finishAnimations();
        QCoreApplication::processEvents();
        window->repaint();
    }

    TempHome home;
    Shared shared;
    CardPictures pictures;
    std::unique_ptr<frmMain> window;
};

// The first frame of Klondike with `deck`: fresh, and with kept pictures.
std::pair<double, double> firstFrame(const Deck& deck)
{
    QByteArray kept;
    int drawn = 0;
    std::vector<double> fresh, fromKept;
    for (int run = 0; run < kFirstFrameRuns; ++run) {
        for (bool keep : {false, true}) {
            QElapsedTimer clock;
            clock.start();
            Table table(deck, keep ? kept : QByteArray(), QStringLiteral("Klondike"));
            const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            (keep ? fromKept : fresh).push_back(ms);
            if (!keep) {
                kept = table.pictures.keptPictures("bench");
                drawn = table.pictures.renderCount();
            } else if (table.pictures.renderCount() > 0 && run == 0)
                std::fprintf(stderr, "  (%s: %d pictures drawn though kept)\n", qPrintable(deck.name),
                             table.pictures.renderCount());
        }
    }
    if (drawn == 0)
        std::fprintf(stderr, "  (%s: no picture was drawn for the first frame)\n", qPrintable(deck.name));
    return {median(fresh), median(fromKept)};
}

// One redraw of Double Klondike after a resize with `deck`, while the
// window is being resized (pictures of a size already drawn, scaled), and
// the redraw once the size settles (every picture drawn at the new size).
std::pair<double, double> resizeRedraw(const Deck& deck)
{
    Table table(deck, QByteArray(), QStringLiteral("Double Klondike"));
    std::vector<double> times, settled;
    for (int n = 1; n <= kResizes; ++n) {
        QElapsedTimer clock;
        clock.start();
        table.window->resize(900 + (n * 37) % 900, 600 + (n * 23) % 500);
        QCoreApplication::processEvents();
        table.window->table().viewport()->repaint();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        clock.restart();
        table.pictures.setQuick(false);
        table.window->table().viewport()->repaint();
        settled.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::fprintf(stderr, "  (%s: %d pictures drawn over %d resizes, last face %dx%d)\n", qPrintable(deck.name),
                 table.pictures.renderCount(), kResizes, table.pictures.lastFaceSize().width(),
                 table.pictures.lastFaceSize().height());
    return {median(times), median(settled)};
}

// `--shots FOLDER`: pictures of Klondike with every deck benchmarked, and
// of the deck window with each chosen, to look at (QT_SCALE_FACTOR=2 for a
// screen of twice the density).
int takeShots(const std::vector<Deck>& decks, const QString& folder)
{
    QDir().mkpath(folder);
    const QString scale = qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")
                              ? QStringLiteral("1x")
                              : qEnvironmentVariable("QT_SCALE_FACTOR") + QStringLiteral("x");
    for (const Deck& deck : decks) {
        Table table(deck, QByteArray(), QStringLiteral("Klondike"));
        // A few moves, so that a foundation and an empty place show.
        table.window->table().finishAnimations();
        QCoreApplication::processEvents();
        const QString name = QFileInfo(deck.path).completeBaseName().isEmpty()
                                 ? QStringLiteral("tablora")
                                 : QFileInfo(deck.path).completeBaseName().replace(QLatin1Char('.'), QLatin1Char('_'));
        table.window->grab().save(folder + QStringLiteral("/klondike-%1-%2.png").arg(name, scale));
        if (!deck.path.isEmpty())
            table.shared.services.settings().write(settings::kFaceDeck, deck.path);
        frmCardDeck dialog(table.shared, table.pictures);
        dialog.show();
        QCoreApplication::processEvents();
        dialog.grab().save(folder + QStringLiteral("/deckwindow-%1-%2.png").arg(name, scale));
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<Deck> decks{{QStringLiteral("drawn (Tablora)"), QString()},
                            {QStringLiteral("test deck (plain.svg)"), QStringLiteral(TABLORA_TEST_DECKS "/plain.svg")}};
    for (const char* path : {"/usr/share/aisleriot/cards/anglo.svgz", "/usr/share/carddecks/svg-oxygen-white",
                             "/usr/share/carddecks/svg-dondorf"})
        if (QFileInfo::exists(QString::fromLatin1(path)))
            decks.push_back({QFileInfo(QString::fromLatin1(path)).fileName(), QString::fromLatin1(path)});

    if (argc == 3 && QByteArray(argv[1]) == "--shots")
        return takeShots(decks, QString::fromLocal8Bit(argv[2]));

    std::printf("%-24s %15s %15s %15s %15s\n", "deck", "first frame", "first frame", "resize redraw", "settled redraw");
    std::printf("%-24s %15s %15s %15s %15s\n", "", "fresh (ms)", "kept (ms)", "2xKlondike (ms)", "2xKlondike (ms)");
    double drawnFresh = 0, drawnKept = 0;
    for (const Deck& deck : decks) {
        const auto [fresh, kept] = firstFrame(deck);
        const auto [resize, settled] = resizeRedraw(deck);
        if (deck.path.isEmpty()) {
            drawnFresh = fresh;
            drawnKept = kept;
            std::printf("%-24s %15.1f %15.1f %15.1f %15.1f\n", qPrintable(deck.name), fresh, kept, resize, settled);
        } else {
            std::printf("%-24s %6.1f (%+6.1f) %6.1f (%+6.1f) %15.1f %15.1f\n", qPrintable(deck.name), fresh,
                        fresh - drawnFresh, kept, kept - drawnKept, resize, settled);
        }
    }
    std::printf("(medians of %d first frames and %d resizes; in brackets: more than the drawn faces)\n",
                kFirstFrameRuns, kResizes);

    // The deck window: opened first in a run, every deck found is checked;
    // opened again, only the decks changed since.
    {
        Table table(decks.front(), QByteArray(), QStringLiteral("Klondike"));
        for (const char* which : {"first", "again"}) {
            QElapsedTimer clock;
            clock.start();
            frmCardDeck dialog(table.shared, table.pictures);
            dialog.show();
            QCoreApplication::processEvents();
            std::printf("deck window opened %s in the run: %6.1f ms (%lld decks found)\n", which,
                        static_cast<double>(clock.nsecsElapsed()) / 1e6,
                        static_cast<long long>(table.pictures.findFaceDecks(faceDecks::folders()).size()));
        }
    }
    return 0;
}
