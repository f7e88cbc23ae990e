#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"
#include "windows/common/BackgroundPainter.h"
#include "windows/common/QtPrompts.h"
#include "windows/frmBackGround.h"
#include "windows/frmMain.h"
#include "windows/table/TableView.h"

#include <QApplication>
#include <QComboBox>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class BackgroundWindowTest : public ::testing::Test {
protected:
    BackgroundWindowTest()
    {
        shared.services.setPrompts(&prompts);
        shared.data.setDefaultPicture(&pictures);
        shared.data.CreateDefaultSchemeFile();
    }
    ~BackgroundWindowTest() override { shared.services.setPrompts(nullptr); }
    template <typename T> static T* child(QWidget& w, const char* name)
    {
        T* found = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void choose(QListWidget* list, const QString& text)
    {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        list->setCurrentItem(found.first());
    }

    // A bitmap's header claiming the size, without its pixels.
    QString writeBitmapHeader(const QString& name, qint32 width, qint32 height)
    {
        const QString path = home.path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        QDataStream out(&file);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("BM", 2);
        out << quint32(54) << quint32(0) << quint32(54) << quint32(40) << width << height << quint16(1) << quint16(24)
            << quint32(0) << quint32(0) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
        return path;
    }

    TempHome home;
    FakePrompts prompts;
    CardPictures pictures;
    Shared shared;
    int applied = 0;
    std::function<void()> onApply = [this] { ++applied; };
};

TEST_F(BackgroundWindowTest, SchemesAreSavedUnderFileNamesAndTheDefaultStays)
{
    frmBackGround window(shared, onApply);
    child<QTabWidget>(window, "tabBackground")->setCurrentIndex(BackgroundChoice::Scheme);
    child<QSlider>(window, "Slider0")->setValue(200);
    prompts.inputs = {QStringLiteral(".."), QStringLiteral("Dusk ")};
    prompts.inputs.push_back(QStringLiteral("Dusk"));
    child<QPushButton>(window, "cmdSaveAs")->click();
    EXPECT_EQ(prompts.messages.size(), 2) << "'..' and a trailing blank are refused, and asked again";
    const QString dusk = QDir(shared.data.SchemeFolder()).filePath(QStringLiteral("Dusk"));
    EXPECT_EQ(background::readScheme(dusk), (std::array<int, 6>{200, 128, 0, 128, 0, 0}));
    EXPECT_EQ(window.choice().file, dusk);

    // An existing name, answered No: the file stays as it was.
    child<QSlider>(window, "Slider1")->setValue(10);
    prompts.inputs = {QStringLiteral("Dusk")};
    prompts.answers = {Prompts::Answer::No};
    child<QPushButton>(window, "cmdSaveAs")->click();
    EXPECT_EQ(background::readScheme(dusk), (std::array<int, 6>{200, 128, 0, 128, 0, 0}));

    // The default scheme is never deleted, whatever the letter case.
    const QString shouting = QDir(shared.data.SchemeFolder()).filePath(QStringLiteral("DEFAULT COLOR SCHEME"));
    background::writeScheme(shouting, {1, 2, 3, 4, 5, 6});
    window.close();
    frmBackGround again(shared, onApply);
    child<QTabWidget>(again, "tabBackground")->setCurrentIndex(BackgroundChoice::Scheme);
    auto* schemes = child<QListWidget>(again, "lstSchemes");
    choose(schemes, QStringLiteral("DEFAULT COLOR SCHEME"));
    child<QPushButton>(again, "cmdDelete")->click();
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Default Scheme cannot be deleted."));
    EXPECT_TRUE(QFile::exists(shouting));
    choose(schemes, QStringLiteral("Dusk"));
    child<QPushButton>(again, "cmdDelete")->click();
    EXPECT_FALSE(QFile::exists(dusk));
    EXPECT_EQ(again.choice().file, shared.data.DefaultSchemeFile());
}

// Overwriting a scheme loses the old colours: a player who presses Enter on
// the question keeps them.
TEST_F(BackgroundWindowTest, EnterOnTheOverwriteQuestionKeepsTheOldScheme)
{
    const QString dusk = QDir(shared.data.SchemeFolder()).filePath(QStringLiteral("Dusk"));
    background::writeScheme(dusk, {1, 2, 3, 4, 5, 6});
    QtPrompts real;
    shared.services.setPrompts(&real);
    frmBackGround window(shared, onApply);
    window.show();
    child<QTabWidget>(window, "tabBackground")->setCurrentIndex(BackgroundChoice::Scheme);
    child<QSlider>(window, "Slider0")->setValue(200);

    // The name is typed into the real input box, then Enter is pressed on
    // the question.
    QString asked;
    bool noWasDefault = false;
    QTimer player;
    player.setInterval(5);
    QObject::connect(&player, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(QStringLiteral("Dusk"));
            input->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            asked = box->text();
            noWasDefault = box->defaultButton() == box->button(QMessageBox::No);
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    player.start();
    child<QPushButton>(window, "cmdSaveAs")->click();
    player.stop();
    shared.services.setPrompts(&prompts);

    EXPECT_EQ(asked, QStringLiteral("A scheme already exists with the name \"Dusk\". Do you want to overwrite ?"));
    EXPECT_TRUE(noWasDefault);
    EXPECT_EQ(background::readScheme(dusk), (std::array<int, 6>{1, 2, 3, 4, 5, 6})) << "kept as it was";

    // Yes, chosen on purpose, still overwrites.
    prompts.inputs = {QStringLiteral("Dusk")};
    prompts.answers = {Prompts::Answer::Yes};
    child<QPushButton>(window, "cmdSaveAs")->click();
    ASSERT_FALSE(prompts.buttons.empty());
    EXPECT_EQ(prompts.buttons.back(), Prompts::Buttons::YesNoDefaultNo);
    EXPECT_EQ(background::readScheme(dusk)->at(0), 200);
}

TEST_F(BackgroundWindowTest, SchemesAreNeverWrittenThroughALinkNorOutsideTheirFolder)
{
    const QDir outside(home.path(QStringLiteral("outside")));
    ASSERT_TRUE(outside.mkpath(QStringLiteral(".")));
    const QString dusk = QDir(shared.data.SchemeFolder()).filePath(QStringLiteral("Dusk"));
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("Dusk")), dusk));
    // A file the settings name as the scheme, outside the schemes folder.
    const QString foreign = outside.filePath(QStringLiteral("notes.txt"));
    QFile notes(foreign);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("mine");
    notes.close();
    shared.services.settings().writeText(QStringLiteral("BackGround"), QStringLiteral("SchemeFile"), foreign);

    frmBackGround window(shared, onApply);
    child<QTabWidget>(window, "tabBackground")->setCurrentIndex(BackgroundChoice::Scheme);
    EXPECT_EQ(window.choice().file, shared.data.DefaultSchemeFile());
    child<QSlider>(window, "Slider0")->setValue(200);
    prompts.inputs = {QStringLiteral(".Dusk"), QStringLiteral("Dusk")};
    child<QPushButton>(window, "cmdSaveAs")->click();
    ASSERT_EQ(prompts.messages.size(), 2) << qPrintable(prompts.messages.join(QLatin1Char('\n')));
    EXPECT_EQ(prompts.messages[0], QStringLiteral("Name should not begin with a dot (.)"));
    EXPECT_TRUE(prompts.messages[1].contains(QStringLiteral("it is a link"))) << qPrintable(prompts.messages[1]);
    child<QPushButton>(window, "cmdApply")->click();
    EXPECT_EQ(outside.entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("notes.txt")});
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), QByteArray("mine"));
    EXPECT_EQ(background::readScheme(shared.data.DefaultSchemeFile()), (std::array<int, 6>{200, 128, 0, 128, 0, 0}));
}

TEST_F(BackgroundWindowTest, HugeOrDamagedPicturesAreNotDrawn)
{
    // A picture claiming 12,000 × 9,000 pixels: refused from its header.
    const QString huge = writeBitmapHeader(QStringLiteral("huge.bmp"), 12000, 9000);
    const PlayerPicture refused = loadPlayerPicture(huge);
    EXPECT_TRUE(refused.image.isNull());
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("too large"))) << refused.refusal.toStdString();
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("12000 × 9000"))) << refused.refusal.toStdString();
    // 100 million pixels are within the bound: tried, and this one is only
    // a header.
    const PlayerPicture within = loadPlayerPicture(writeBitmapHeader(QStringLiteral("within.bmp"), 10000, 10000));
    EXPECT_TRUE(within.image.isNull());
    EXPECT_TRUE(within.refusal.isEmpty()) << within.refusal.toStdString();

    const QString damaged = home.path(QStringLiteral("damaged.png"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x89PNG\r\n\x1a\n not really");
    }
    const PlayerPicture broken = loadPlayerPicture(damaged);
    EXPECT_TRUE(broken.image.isNull());
    EXPECT_TRUE(broken.refusal.isEmpty()) << "silently not drawn";

    // Offered and added like any picture; the window says why it is not
    // shown.
    frmBackGround window(shared, onApply);
    child<QTabWidget>(window, "tabBackground")->setCurrentIndex(BackgroundChoice::CustomImage);
    prompts.files = {huge};
    child<QPushButton>(window, "cmdAdd")->click();
    EXPECT_EQ(window.choice().file, huge);
    EXPECT_FALSE(window.refusal().isEmpty());
    EXPECT_TRUE(prompts.dialogs.back().filter.contains(QStringLiteral("*.png")));
    EXPECT_TRUE(prompts.dialogs.back().filter.contains(QStringLiteral("*.jpeg")));
    // The default picture cannot be removed from the list.
    choose(child<QListWidget>(window, "lstCustom"), QStringLiteral("CustomImage.bmp"));
    child<QPushButton>(window, "cmdRemove")->click();
    EXPECT_EQ(prompts.messages.last(), QStringLiteral("Default Picture cannot be deleted."));
}

// Near enough to the colour, after a JPEG's loss.
bool near(QColor seen, QColor wanted)
{
    return std::abs(seen.red() - wanted.red()) <= 8 && std::abs(seen.green() - wanted.green()) <= 8 &&
           std::abs(seen.blue() - wanted.blue()) <= 8;
}

TEST_F(BackgroundWindowTest, BigPhotosAreShownAndOnlyThosePastTheBoundAreRefused)
{
    // 36 million pixels, as a camera writes them, in both formats.
    const QColor brick(190, 70, 40);
    QStringList photos;
    {
        QImage photo(7200, 5000, QImage::Format_RGB888);
        photo.fill(brick);
        for (const char* name : {"photo.jpg", "photo.png"}) {
            photos << home.path(QLatin1String(name));
            ASSERT_TRUE(photo.save(photos.last())) << name;
        }
    }
    for (const QString& path : std::as_const(photos)) {
        SCOPED_TRACE(path.toStdString());
        // Read made smaller, just covering the screen.
        const PlayerPicture read = loadPlayerPicture(path, QSize(1600, 1000));
        EXPECT_TRUE(read.refusal.isEmpty()) << read.refusal.toStdString();
        ASSERT_FALSE(read.image.isNull());
        EXPECT_EQ(read.image.width(), 1600);
        EXPECT_GE(read.image.height(), 1000);
        EXPECT_LE(read.image.height(), 1112);
        EXPECT_TRUE(near(read.image.pixelColor(800, 500), brick))
            << read.image.pixelColor(800, 500).name().toStdString();
    }

    // The table shows the photo from edge to edge, centred or tiled.
    frmMain main(shared, pictures);
    main.resize(900, 700);
    main.show();
    TableView& table = main.table();
    for (const bool tile : {false, true}) {
        BackgroundChoice choice;
        choice.kind = BackgroundChoice::CustomImage;
        choice.file = photos[tile ? 1 : 0];
        choice.tile = tile;
        table.setBackground(choice);
        EXPECT_TRUE(table.backgroundRefusal().isEmpty());
        const QImage shown = table.viewport()->grab().toImage();
        ASSERT_FALSE(shown.isNull());
        for (const QPoint at : {QPoint(2, 2), QPoint(shown.width() / 2, shown.height() / 2),
                                QPoint(shown.width() - 3, shown.height() - 3)})
            EXPECT_TRUE(near(shown.pixelColor(at), brick)) << "tile " << tile << " at " << at.x() << "," << at.y()
                                                           << ": " << shown.pixelColor(at).name().toStdString();
    }

    // One past the bound: the table stays dark and says why.
    BackgroundChoice past;
    past.kind = BackgroundChoice::CustomImage;
    past.file = writeBitmapHeader(QStringLiteral("past.bmp"), 10001, 10000);
    table.setBackground(past);
    EXPECT_TRUE(table.backgroundRefusal().contains(QStringLiteral("too large")))
        << table.backgroundRefusal().toStdString();
    const QImage dark = table.viewport()->grab().toImage();
    EXPECT_EQ(dark.pixelColor(dark.width() / 2, dark.height() / 2), QColor(Qt::black));
}

TEST_F(BackgroundWindowTest, ApplyStoresTheChoiceAndTheTableAndTimerFollow)
{
    frmMain main(shared, pictures);
    frmBackGround window(shared, [&] {
        ++applied;
        main.applyBackground();
    });
    EXPECT_FALSE(child<QPushButton>(window, "cmdApply")->isEnabled());
    child<QTabWidget>(window, "tabBackground")->setCurrentIndex(BackgroundChoice::Picture);
    child<QListWidget>(window, "lstPictures")->setCurrentRow(2);
    child<QComboBox>(window, "imcTimer")->setCurrentIndex(1);
    EXPECT_TRUE(child<QPushButton>(window, "cmdApply")->isEnabled());
    EXPECT_EQ(shared.services.settings().read(settings::kBackIndex), 1) << "nothing stored before Apply";
    child<QPushButton>(window, "cmdApply")->click();
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(shared.services.settings().read(settings::kBackIndex), BackgroundChoice::Picture);
    EXPECT_EQ(shared.services.settings().read(settings::kImageIndex), 3);
    EXPECT_EQ(main.table().background().kind, BackgroundChoice::Picture);
    EXPECT_EQ(main.table().background().number, 3);
    EXPECT_TRUE(main.tmrWallPaper.isActive());
    EXPECT_EQ(main.tmrWallPaper.interval(), 5000);

    // "Session": no timer.
    child<QComboBox>(window, "imcTimer")->setCurrentIndex(5);
    child<QPushButton>(window, "cmdApply")->click();
    EXPECT_FALSE(main.tmrWallPaper.isActive());
}

} // namespace
