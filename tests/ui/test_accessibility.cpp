#include "pictures/CardPictures.h"
#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/RandomPlayer.h"
#include "support/TempHome.h"
#include "windows/MainMenus.h"
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
#include "windows/frmToolbar.h"
#include "windows/table/TableView.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

// The controls of a shown window a screen reader could not name.
QStringList unnamed(QWidget& window)
{
    window.show();
    QStringList missing;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || qobject_cast<QScrollBar*>(w) != nullptr ||
            (w->parentWidget() != nullptr && qobject_cast<QAbstractScrollArea*>(w->parentWidget()) != nullptr))
            continue;
        const bool control = qobject_cast<QAbstractItemView*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSlider*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QGraphicsView*>(w);
        if (!control)
            continue;
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w);
        if (reader == nullptr || reader->text(QAccessible::Name).trimmed().isEmpty())
            missing << window.objectName() + QLatin1Char('/') + w->objectName() + QLatin1Char(' ') +
                           QLatin1String(w->metaObject()->className());
    }
    window.hide();
    return missing;
}

TEST(AccessibilityTest, EveryControlOfEveryWindowHasAName)
{
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

    QStringList missing = unnamed(main);
    const auto check = [&](QWidget&& window) { missing += unnamed(window); };
    check(frmAbout(shared));
    check(frmAddtoFav(shared, nothing));
    check(frmAnimation(shared));
    check(frmAutoSave(shared));
    check(frmBackGround(shared, nothing));
    check(frmCardDeck(shared, pictures));
    check(frmChoose(shared));
    check(frmGameStat(shared));
    check(frmHighScore(shared));
    check(frmHistory(shared));
    check(frmHotGames(shared));
    check(frmLogStat(shared));
    check(frmOptions(shared, nothing));
    check(frmOrgFav(shared, nothing));
    check(frmPending(shared, nothing));
    check(frmPlayers(shared));
    check(frmQuickMove(shared, main));
    check(frmSelect(shared, pictures));
    check(frmSesStat(shared));
    check(frmSounds(shared));
    check(frmToolbar(shared, main.menus()));
    check(frmFinish(shared));
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral("\n")).toStdString();
    shared.services.setPrompts(nullptr);
}

} // namespace
