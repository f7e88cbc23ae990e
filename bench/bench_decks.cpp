// The cost of an SVG face deck against the drawn faces, offscreen, at the
// card size of a 96 dpi screen:
// - the first frame of a dealt Klondike game: the picture library and the
//   chosen deck made, the main window made and shown, the game dealt and
//   the table painted once; "fresh" with no pictures kept from a last run,
//   "kept" with the pictures the last run left (as the program reads them
//   from its cache folder at start-up), and "kept, other size" with the
//   pictures of a last run whose window was larger (shown scaled while the
//   exact ones are drawn in the frames after);
// - one redraw of a Double Klondike table while it is resized (the window
//   laid out again, the pictures of a size drawn before scaled, the table
//   painted once), and once the size settles the longest frame and the
//   time until every picture is drawn at the new size (each frame draws for
//   a moment, the rest are scaled until a later frame draws them).
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
    Table(const Deck& deck, const QByteArray& kept, const QString& game, QSize windowSize = QSize(1280, 800),
          std::shared_ptr<FaceDeck> opened = nullptr)
    {
        if (opened)
            pictures.setFaceDeck(std::move(opened));
        else if (!deck.path.isEmpty())
            pictures.setFaceDeck(std::make_shared<FaceDeck>(deck.path));
        if (!kept.isEmpty())
            pictures.restorePictures(kept, "bench");
        window = std::make_unique<frmMain>(shared, pictures);
        window->resize(windowSize);
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

// The first frame of Klondike with `deck`: fresh, with the deck read from
// the moment the window is made (a start without the splash window) and
// read beforehand (while the splash window shows); with kept pictures;
// and with kept pictures of a larger window, the deck parsed beforehand.
struct FirstFrames {
    double fresh, afterSplash, kept, otherSize;
};
FirstFrames firstFrame(const Deck& deck)
{
    QByteArray kept, larger;
    {
        Table table(deck, QByteArray(), QStringLiteral("Klondike"), QSize(1600, 1000));
        larger = table.pictures.keptPictures("bench");
    }
    int drawn = 0;
    std::vector<double> times[4];
    for (int run = 0; run < kFirstFrameRuns; ++run) {
        for (int way = 0; way < 4; ++way) {
            std::shared_ptr<FaceDeck> opened;
            if ((way == 1 || way == 3) && !deck.path.isEmpty()) {
                opened = std::make_shared<FaceDeck>(deck.path);
                opened->parseSoon();
                opened->parse();
            }
            QElapsedTimer clock;
            clock.start();
            // Without the splash the program starts reading the deck just
            // before it makes the window, and draws once it is read.
            if (way == 0 && !deck.path.isEmpty()) {
                opened = std::make_shared<FaceDeck>(deck.path);
                opened->parseSoon();
            }
            Table table(deck,
                        way == 2   ? kept
                        : way == 3 ? larger
                                   : QByteArray(),
                        QStringLiteral("Klondike"), QSize(1280, 800), opened);
            times[way].push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            if (way == 0) {
                kept = table.pictures.keptPictures("bench");
                drawn = table.pictures.renderCount();
            } else if (way == 2 && table.pictures.renderCount() > 0 && run == 0)
                std::fprintf(stderr, "  (%s: %d pictures drawn though kept)\n", qPrintable(deck.name),
                             table.pictures.renderCount());
        }
    }
    if (drawn == 0)
        std::fprintf(stderr, "  (%s: no picture was drawn for the first frame)\n", qPrintable(deck.name));
    return {median(times[0]), median(times[1]), median(times[2]), median(times[3])};
}

// Counts the paints of the widget it watches.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

struct Redraws {
    double resize, longestSettled, settled;
};
// One redraw of Double Klondike after a resize with `deck`, while the
// window is being resized (pictures of a size already drawn, scaled), and
// once the size settles: the longest frame, and the frames until every
// picture is drawn at the new size.
Redraws resizeRedraw(const Deck& deck)
{
    Table table(deck, QByteArray(), QStringLiteral("Double Klondike"));
    PaintCounter paints;
    table.window->table().viewport()->installEventFilter(&paints);
    std::vector<double> times, longest, settled;
    int mostFrames = 0;
    for (int n = 1; n <= kResizes; ++n) {
        // What a resize costs the player: the window laid out again and
        // the table painted once, as the resize's own events do it.
        QElapsedTimer clock;
        clock.start();
        const int before = paints.count;
        table.window->resize(900 + (n * 37) % 900, 600 + (n * 23) % 500);
        QCoreApplication::processEvents();
        if (paints.count == before)
            table.window->table().viewport()->repaint();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (paints.count != before + 1)
            std::fprintf(stderr, "  (%s: a resize painted the table %d times)\n", qPrintable(deck.name),
                         paints.count - before);
        clock.restart();
        table.pictures.setQuick(false);
        double most = 0;
        int frames = 0;
        do {
            QElapsedTimer frame;
            frame.start();
            table.window->table().viewport()->repaint();
            most = std::max(most, static_cast<double>(frame.nsecsElapsed()) / 1e6);
            ++frames;
        } while (table.window->table().drawingOn());
        longest.push_back(most);
        settled.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        mostFrames = std::max(mostFrames, frames);
    }
    std::fprintf(stderr, "  (%s: %d pictures drawn over %d resizes, last face %dx%d, at most %d frames to settle)\n",
                 qPrintable(deck.name), table.pictures.renderCount(), kResizes, table.pictures.lastFaceSize().width(),
                 table.pictures.lastFaceSize().height(), mostFrames);
    return {median(times), median(longest), median(settled)};
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
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
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

    std::printf("First frame of Klondike (ms; in brackets: more than the drawn faces)\n");
    std::printf("%-24s %16s %16s %16s %16s\n", "deck", "fresh", "fresh after", "kept", "kept, other");
    std::printf("%-24s %16s %16s %16s %16s\n", "", "", "the splash", "", "size");
    std::vector<Redraws> redraws;
    FirstFrames drawnFirst{};
    for (const Deck& deck : decks) {
        const FirstFrames first = firstFrame(deck);
        redraws.push_back(resizeRedraw(deck));
        if (deck.path.isEmpty()) {
            drawnFirst = first;
            std::printf("%-24s %16.1f %16.1f %16.1f %16.1f\n", qPrintable(deck.name), first.fresh, first.afterSplash,
                        first.kept, first.otherSize);
        } else {
            std::printf("%-24s %6.1f (%+7.1f) %6.1f (%+7.1f) %6.1f (%+7.1f) %6.1f (%+7.1f)\n", qPrintable(deck.name),
                        first.fresh, first.fresh - drawnFirst.fresh, first.afterSplash,
                        first.afterSplash - drawnFirst.afterSplash, first.kept, first.kept - drawnFirst.kept,
                        first.otherSize, first.otherSize - drawnFirst.otherSize);
        }
    }
    std::printf("\nRedraws of Double Klondike (ms)\n");
    std::printf("%-24s %16s %16s %16s\n", "deck", "while resized", "settled: the", "settled: until");
    std::printf("%-24s %16s %16s %16s\n", "", "", "longest frame", "all are drawn");
    for (size_t i = 0; i < decks.size(); ++i)
        std::printf("%-24s %16.1f %16.1f %16.1f\n", qPrintable(decks[i].name), redraws[i].resize,
                    redraws[i].longestSettled, redraws[i].settled);
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
