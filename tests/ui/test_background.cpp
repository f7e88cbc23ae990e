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
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

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
    // A picture claiming 10,000 × 10,000 pixels: refused from its header.
    const QString huge = home.path(QStringLiteral("huge.bmp"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QDataStream out(&file);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("BM", 2);
        out << quint32(54) << quint32(0) << quint32(54) << quint32(40) << qint32(10000) << qint32(10000) << quint16(1)
            << quint16(24) << quint32(0) << quint32(0) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    }
    const PlayerPicture refused = loadPlayerPicture(huge);
    EXPECT_TRUE(refused.image.isNull());
    EXPECT_TRUE(refused.refusal.contains(QStringLiteral("too large"))) << refused.refusal.toStdString();

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
