// Drawing a full set of card pictures (52 faces, every deck's back and the
// 17 markers) from an empty cache, at the card size of a 96 dpi screen and
// of a 192 dpi one; a big photo read as the table's background; the table
// drawn again at new sizes.

#include "OffscreenMain.h"
#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/TempHome.h"
#include "windows/common/BackgroundPainter.h"
#include "windows/frmMain.h"
#include "windows/table/TableView.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void drawFullSet(benchmark::State& state, QSize size)
{
    CardPictures pictures;
    for (auto _ : state) {
        pictures.clearCache();
        for (int16_t n = 1; n <= CardPictures::kFaces; ++n)
            benchmark::DoNotOptimize(pictures.face(n, size));
        for (int16_t d = 1; d <= pictures.deckCount(); ++d)
            benchmark::DoNotOptimize(pictures.back(d, size));
        for (int16_t m = 0; m < CardPictures::kMarkers; ++m)
            benchmark::DoNotOptimize(pictures.marker(m, size));
    }
    state.counters["pictures"] = CardPictures::kFaces + pictures.deckCount() + CardPictures::kMarkers;
}

void BM_FullSet96dpi(benchmark::State& state) { drawFullSet(state, QSize(71, 96)); }
void BM_FullSet192dpi(benchmark::State& state) { drawFullSet(state, QSize(142, 192)); }

BENCHMARK(BM_FullSet96dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullSet192dpi)->Unit(benchmark::kMillisecond);

// A phone's photo of 36 million pixels, read as the table's background for
// a screen of 1600 × 1000: the JPEG a camera writes, and the same as a PNG.
void readBigPhoto(benchmark::State& state, const char* format)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("photo.") + QLatin1String(format));
    {
        // Not one colour, which would compress to nothing.
        QImage photo(7200, 5000, QImage::Format_RGB888);
        for (int y = 0; y < photo.height(); ++y) {
            uchar* row = photo.scanLine(y);
            for (int x = 0; x < photo.width(); ++x) {
                row[3 * x] = static_cast<uchar>(x * 7 + y);
                row[3 * x + 1] = static_cast<uchar>(y * 3);
                row[3 * x + 2] = static_cast<uchar>((x ^ y) & 0xff);
            }
        }
        if (!photo.save(path)) {
            state.SkipWithError("the photo could not be written");
            return;
        }
    }
    QSize read;
    for (auto _ : state) {
        const PlayerPicture picture = loadPlayerPicture(path, QSize(1600, 1000));
        read = picture.image.size();
        benchmark::DoNotOptimize(picture.image.constBits());
    }
    state.counters["width_read"] = read.width();
    state.counters["MB_file"] = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
}
void BM_BigPhoto36MPJpeg(benchmark::State& state) { readBigPhoto(state, "jpg"); }
void BM_BigPhoto36MPPng(benchmark::State& state) { readBigPhoto(state, "png"); }
BENCHMARK(BM_BigPhoto36MPJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigPhoto36MPPng)->Unit(benchmark::kMillisecond);

// The program's resident memory, in megabytes.
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

// The main window with a Double Klondike game, offscreen.
struct Table {
    Table()
    {
        window = std::make_unique<frmMain>(shared, pictures);
        window->show();
        shared.gamePlay.PlayNumber(QStringLiteral("Double Klondike"), GameNo(4));
        window->table().finishAnimations();
    }
    // Resizes the window to the n-th of many sizes and paints it there, as
    // the window system's next frame would.
    void showAt(int n)
    {
        window->resize(900 + (n * 37) % 900, 600 + (n * 23) % 500);
        QCoreApplication::processEvents();
        window->repaint();
    }

    // Before the program's objects: nothing of theirs in the real home.
    TempHome home;
    Shared shared;
    CardPictures pictures;
    std::unique_ptr<frmMain> window;
};

// A new window size: the table laid out again, its pictures drawn at the
// new size, painted.
void BM_RedrawAfterResize(benchmark::State& state)
{
    Table table;
    int n = 0;
    for (auto _ : state)
        table.showAt(++n);
}
BENCHMARK(BM_RedrawAfterResize)->Unit(benchmark::kMillisecond)->UseRealTime();

// Four hundred sizes one after the other: what the program holds after.
void BM_FourHundredResizes(benchmark::State& state)
{
    for (auto _ : state) {
        Table table;
        const double before = residentMegabytes();
        for (int n = 1; n <= 400; ++n)
            table.showAt(n);
        state.counters["MB_before"] = before;
        state.counters["MB_after"] = residentMegabytes();
    }
}
BENCHMARK(BM_FourHundredResizes)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

TABLORA_OFFSCREEN_BENCHMARK_MAIN()
