#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"
#include "windows/frmFinish.h"
#include "windows/frmMain.h"
#include "windows/frmOptions.h"
#include "windows/table/TableView.h"
#include "windows/table/WinCelebration.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

namespace {

// The real main window, shown, with a Klondike game whose cards are put on
// their foundations one by one, the last of them winning the game.
class CelebrationTest : public ::testing::Test {
protected:
    CelebrationTest()
    {
        shared.services.setPrompts(&prompts);
        window = std::make_unique<frmMain>(shared, pictures);
        window->resize(1280, 800);
        window->show();
        shared.services.settings().write(settings::kAutoPlay, 0);
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(17));
        window->table().finishAnimations();
    }
    ~CelebrationTest() override
    {
        window.reset();
        shared.services.setPrompts(nullptr);
    }

    // Every card goes up Ace to King onto the foundation of its suit, the
    // cards covering it moved aside first; moves made as the history makes
    // them, without steps. The game is won with the last one.
    void putEveryCardHome()
    {
        cPlay& play = shared.play;
        const auto moveTop = [&](int16_t cell, int16_t pile, int16_t toPile) {
            const int16_t top = play.GetTopPicID(cell, pile);
            play.MoveCard(top, 0, toPile, static_cast<int16_t>(play.GetTop(0, toPile) + 1), cPlay::kMoveHistory, 0, 0,
                          cPlay::kFaceUp);
        };
        for (int16_t rank = 0; rank < 13; ++rank)
            for (int16_t group = 0; group < 4; ++group) {
                int16_t card = -1;
                for (int16_t j = 0; j < play.CardCount(); ++j)
                    if (play.SuitPile(j) == group && play.Num(j) == rank)
                        card = j;
                ASSERT_GE(card, 0);
                while (play.GetTopPicID(play.Cell(card), play.Pile(card)) != card) {
                    const int16_t cell = play.Cell(card);
                    const int16_t pile = play.Pile(card);
                    moveTop(cell, pile, cell == 0 ? static_cast<int16_t>((pile + 1) % 7) : int16_t{0});
                }
                play.MoveCard(card, 3, group, static_cast<int16_t>(play.GetTop(3, group) + 1), cPlay::kMoveHistory, 0,
                              0, cPlay::kFaceUp);
            }
        ASSERT_EQ(shared.engine.TotalGoalCards(), 52);
    }

    // The cards whose pictures are drawn away from their places.
    int cardsAway() const
    {
        int away = 0;
        for (int16_t card = 0; card < shared.play.CardCount(); ++card) {
            const CardSurface::Point lies = window->table().cardPosition(card);
            if (window->table().shownPosition(card) != QPointF(lies.x, lies.y))
                ++away;
        }
        return away;
    }

    // Runs `action`, then waits for the game-end dialog, which `seen` looks
    // at before it is closed; false when none came.
    bool finishDialogAfter(const std::function<void()>& action, const std::function<void()>& seen = {})
    {
        bool came = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<frmFinish*>(QApplication::activeModalWidget())) {
                poll.stop();
                came = true;
                if (seen)
                    seen();
                dialog->close();
            }
        });
        poll.start();
        action();
        for (int i = 0; i < 1000 && !came; ++i)
            QTest::qWait(5);
        QTest::qWait(10);
        return came;
    }

    TempHome home;
    FakePrompts prompts;
    Shared shared;
    CardPictures pictures;
    std::unique_ptr<frmMain> window;
};

TEST_F(CelebrationTest, AWinIsCelebratedUntilAKeyAndTheDialogThatFollowsRecordsIt)
{
    WinCelebration& show = window->celebration();
    const GameNo number = shared.gamePlay.gameNo();
    putEveryCardHome();
    QCoreApplication::processEvents();
    ASSERT_TRUE(show.running()) << "the last card home starts the celebration";
    EXPECT_LT(show.length() * TableView::kFrameMs, 1000) << "under a second at the default speed";
    EXPECT_TRUE(shared.services.busy) << "nothing replaces the won game meanwhile";

    const int half = show.length() / 2;
    for (int i = 0; i < half; ++i)
        show.advance();
    EXPECT_EQ(show.framesShown(), half);
    EXPECT_GT(cardsAway(), 20) << "the cards are on their way out";
    EXPECT_FALSE(shared.gamePlay.wonRecorded());
    if (const QByteArray shots = qgetenv("TABLORA_SHOTS"); !shots.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(shots));
        window->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/celebration.png"));
    }

    // F2 would start a new deal; here it only ends the celebration, and the
    // game-end dialog follows with the win recorded and the cards back on
    // their foundations (closing the dialog clears the table, as always).
    bool recorded = false;
    int away = -1;
    bool sameGame = false;
    EXPECT_TRUE(finishDialogAfter([&] { QTest::keyClick(&window->table(), Qt::Key_F2); },
                                  [&] {
                                      recorded = shared.gamePlay.wonRecorded();
                                      away = cardsAway();
                                      sameGame =
                                          shared.gamePlay.gameNo() == number && shared.engine.TotalGoalCards() == 52;
                                  }));
    EXPECT_TRUE(recorded);
    EXPECT_EQ(away, 0) << "every picture is back on its foundation";
    EXPECT_TRUE(sameGame) << "the key started no new deal";
    EXPECT_FALSE(show.running());
    EXPECT_FALSE(shared.services.busy);
}

TEST_F(CelebrationTest, LeftAloneItEndsByItselfAndTheDialogFollows)
{
    // The shortest celebration, with the fastest cards.
    shared.services.settings().write(settings::kCardSpeed, 0);
    int shown = 0;
    bool recorded = false;
    EXPECT_TRUE(finishDialogAfter([&] { putEveryCardHome(); },
                                  [&] {
                                      shown = window->celebration().framesShown();
                                      recorded = shared.gamePlay.wonRecorded();
                                  }));
    EXPECT_EQ(shown, WinCelebration::framesFor(0)) << "every frame was played";
    EXPECT_TRUE(recorded);
}

TEST_F(CelebrationTest, WithTheOptionOffTheDialogComesAtOnce)
{
    // The option in the Options window, on unless switched off.
    {
        frmOptions options(shared, [] {});
        auto* box = options.findChild<QCheckBox*>(QStringLiteral("chkCelebrate"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("Celebrate a win"));
        EXPECT_TRUE(box->isChecked());
        if (const QByteArray shots = qgetenv("TABLORA_SHOTS"); !shots.isEmpty()) {
            options.show();
            options.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/options.png"));
        }
        box->setChecked(false);
    }
    ASSERT_EQ(shared.services.settings().read(settings::kCelebrateWin), 0);

    bool celebrating = true;
    bool recorded = false;
    EXPECT_TRUE(finishDialogAfter([&] { putEveryCardHome(); },
                                  [&] {
                                      celebrating = window->celebration().running();
                                      recorded = shared.gamePlay.wonRecorded();
                                  }));
    EXPECT_FALSE(celebrating);
    EXPECT_EQ(window->celebration().framesShown(), 0);
    EXPECT_TRUE(recorded);
}

TEST_F(CelebrationTest, ClosingDuringTheCelebrationNeverLosesTheWin)
{
    // Closing the window ends the celebration; the dialog comes first and
    // records the win.
    putEveryCardHome();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->celebration().running());
    bool recorded = false;
    EXPECT_TRUE(finishDialogAfter([&] { window->close(); }, [&] { recorded = shared.gamePlay.wonRecorded(); }));
    EXPECT_TRUE(recorded);
    EXPECT_TRUE(window->isVisible()) << "the close waits for the dialog";

    // The program ending meanwhile records it without a dialog.
    shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(18));
    window->table().finishAnimations();
    putEveryCardHome();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->celebration().running());
    window->ShutDown();
    EXPECT_FALSE(window->celebration().running());
    EXPECT_TRUE(shared.gamePlay.wonRecorded());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
