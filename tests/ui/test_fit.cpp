// Every window of the program on a small screen: 1600 x 1000 pixels shown
// at twice the size, 800 x 500 logical pixels, as on a laptop set to 200 %.

#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"
#include "windows/MainMenus.h"
#include "windows/common/HelpWindow.h"
#include "windows/frmAbout.h"
#include "windows/frmAddtoFav.h"
#include "windows/frmAnimation.h"
#include "windows/frmAutoSave.h"
#include "windows/frmBackGround.h"
#include "windows/frmCardDeck.h"
#include "windows/frmChoose.h"
#include "windows/frmFinish.h"
#include "windows/frmGameStat.h"
#include "windows/frmHighScore.h"
#include "windows/frmHistory.h"
#include "windows/frmHotGames.h"
#include "windows/frmLogStat.h"
#include "windows/frmMain.h"
#include "windows/frmOptions.h"
#include "windows/frmOrgFav.h"
#include "windows/frmPending.h"
#include "windows/frmPlayers.h"
#include "windows/frmQuickMove.h"
#include "windows/frmSelect.h"
#include "windows/frmSesStat.h"
#include "windows/frmSounds.h"
#include "windows/frmSplash.h"
#include "windows/frmToolbar.h"
#include "windows/table/TableView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1000;
constexpr int kScale = 2;
// What a window manager's title bar and borders take, in logical pixels.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

// The application on one offscreen screen of that size and scale.
class SmallScreenEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        const QString config = QDir(folder_.path()).filePath(QStringLiteral("screen.json"));
        QFile file(config);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": %1, "height": %2,)"
                                  R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                       .arg(kScreenWidth)
                       .arg(kScreenHeight)
                       .toUtf8());
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
        qputenv("QT_SCALE_FACTOR", QByteArray::number(kScale));
        static int argc = 1;
        static char name[] = "test_fit";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    QTemporaryDir folder_;
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kScreen = ::testing::AddGlobalTestEnvironment(new SmallScreenEnvironment);

// What is wrong with the shown window on the small screen: larger than the
// screen with its frame, or a button outside the window.
QStringList misfits(QWidget& window, const QSize& screen)
{
    window.show();
    QApplication::processEvents();
    QStringList faults;
    const QString name = window.objectName();
    const QSize size = window.size();
    if (size.width() + kFrameWidth > screen.width() || size.height() + kFrameHeight > screen.height())
        faults << QStringLiteral("%1 is %2 x %3").arg(name).arg(size.width()).arg(size.height());
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(&window))
            continue;
        const QRect place(button->mapTo(&window, QPoint(0, 0)), button->size());
        if (!window.rect().contains(place))
            faults << QStringLiteral("%1/%2 \"%3\" lies outside the window")
                          .arg(name, button->objectName(), button->text());
    }
    window.hide();
    return faults;
}

TEST(WindowFitTest, EveryWindowFitsAScreenOf800By500)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    ASSERT_EQ(screen, QSize(kScreenWidth / kScale, kScreenHeight / kScale)) << "the screen the test sets up";

    TempHome home;
    Shared shared;
    FakePrompts prompts;
    shared.services.setPrompts(&prompts);
    CardPictures pictures;
    frmMain main(shared, pictures);
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(7));
    RandomPlayer player(shared, 2);
    for (int i = 0; i < 10 && player.step(); ++i) {
    }
    main.table().finishAnimations();
    std::function<void()> nothing = [] {};

    QStringList faults = misfits(main, screen);
    const auto check = [&](QWidget&& window) { faults += misfits(window, screen); };
    check(frmAbout(shared, &main));
    check(frmAddtoFav(shared, nothing, &main));
    check(frmAnimation(shared, &main));
    check(frmAutoSave(shared, &main));
    check(frmBackGround(shared, nothing, &main));
    check(frmCardDeck(shared, pictures, &main));
    check(frmChoose(shared, &main));
    check(frmHistory(shared, &main));
    check(frmHotGames(shared, &main));
    check(frmOptions(shared, nothing, &main));
    check(frmOrgFav(shared, nothing, &main));
    check(frmPending(shared, nothing, &main));
    check(frmPlayers(shared, &main));
    check(frmQuickMove(shared, main, &main));
    check(frmSelect(shared, pictures, &main));
    check(frmSounds(shared, &main));
    check(frmToolbar(shared, main.menus(), &main));
    check(HelpWindow(shared.services, &main));
    check(frmSplash(shared.services, pictures, QStringLiteral("6.0"), nothing));
    check(frmFinish(shared, &main));
    check(frmGameStat(shared, &main));
    check(frmSesStat(shared, &main));
    check(frmLogStat(shared, &main));
    check(frmHighScore(shared, &main));
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    shared.services.setPrompts(nullptr);
}

} // namespace
