// One guard for every handler of the user interface, and a settings file
// that cannot be written: the player is told once and the program goes on.

#include "pictures/CardPictures.h"
#include "rules/RunTimeError.h"
#include "session/Shared.h"
#include "settings/RegistrySettingsStore.h"
#include "settings/cRegistry.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"
#include "windows/common/Guard.h"
#include "windows/frmMain.h"
#include "windows/frmOptions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A store whose every write is refused as a value out of range: an error
// that is not the file's, so it reaches the guard.
class RefusingStore final : public SettingsStore {
public:
    QString readText(const QString&, const QString&, const QString& d) const override { return d; }
    void writeText(const QString&, const QString&, const QString&) override { throw RunTimeError::overflow(); }
    int32_t readNumber(const QString&, const QString&, int32_t d) const override { return d; }
    void writeNumber(const QString&, const QString&, int32_t) override { throw RunTimeError::overflow(); }
};

// Runs the action while a timer answers the modal window it opens with
// `inside`, then closes that window.
void insideModal(const std::function<void()>& action, const std::function<void(QWidget&)>& inside)
{
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            inside(*modal);
            modal->close();
        }
    });
    action();
}

TEST(GuardTest, AnErrorInAHandlerIsShownInTheProgramsBoxAndTheProgramGoesOn)
{
    Services services;
    FakePrompts prompts;
    services.setPrompts(&prompts);

    QAction action;
    int ticks = 0;
    guard::connect(services, &action, &QAction::triggered, &action, [&] {
        if (++ticks == 1)
            throw RunTimeError(RunTimeError::kBadFileFormat, QStringLiteral("The file is damaged."));
    });
    action.trigger();
    action.trigger();
    EXPECT_EQ(ticks, 2) << "the handler runs again after its error";
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("The file is damaged.")});
    EXPECT_EQ(prompts.titles, QStringList{QStringLiteral("Tablora 6.0")});

    // A check box of a real window: the error reaches the same guard.
    TempHome home;
    Shared shared;
    RefusingStore refusing;
    shared.services.setSettings(&refusing);
    shared.services.setPrompts(&prompts);
    prompts.messages.clear();
    {
        frmOptions options(shared, [] {});
        auto* box = options.findChild<QCheckBox*>(QStringLiteral("chkTime"));
        ASSERT_NE(box, nullptr);
        box->click();
        EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Overflow")});
        box->click();
        EXPECT_EQ(prompts.messages.size(), 2);
    }
    shared.services.setSettings(nullptr);
    shared.services.setPrompts(nullptr);
}

TEST(UnwritableSettingsTest, ThePlayerIsToldOnceAndEveryWindowAndGameStillWorks)
{
    TempHome home;
    // The settings file's folder cannot be made: a file stands in its way
    // (this holds even for the superuser, where a read-only folder would
    // not).
    QFile blocker(home.path(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    cRegistry registry(home.path(QStringLiteral("blocker/tablora.conf")));
    RegistrySettingsStore store(registry);

    Shared shared;
    FakePrompts prompts;
    CardPictures pictures;
    shared.services.setSettings(&store);
    shared.services.setPrompts(&prompts);
    {
        frmMain window(shared, pictures);
        // Start-up writes the first player; the selection window opens and
        // is closed.
        QString opened;
        insideModal([&] { window.Form_Load(QString()); },
                    [&](QWidget& modal) { opened = QString::fromLatin1(modal.metaObject()->className()); });
        EXPECT_EQ(opened, QStringLiteral("frmSelect"));

        // The options window: a check box writes at once.
        bool shownBefore = true;
        insideModal([&] { window.RunCommand(QStringLiteral("Options")); },
                    [&](QWidget& modal) {
                        auto* box = modal.findChild<QCheckBox*>(QStringLiteral("chkTime"));
                        ASSERT_NE(box, nullptr);
                        shownBefore = box->isChecked();
                        box->click();
                    });
        EXPECT_EQ(shared.services.settings().read(settings::kShowTime), shownBefore ? 0 : 1)
            << "the change lives on in memory";

        // The selection window still opens.
        opened.clear();
        insideModal([&] { window.RunCommand(QStringLiteral("Select")); },
                    [&](QWidget& modal) { opened = QString::fromLatin1(modal.metaObject()->className()); });
        EXPECT_EQ(opened, QStringLiteral("frmSelect"));

        // A numbered game starts fully: clock running, remembered as the
        // last game, and its win is told.
        shared.gamePlay.PlayNumber(QStringLiteral("Klondike"), GameNo(42));
        EXPECT_EQ(shared.gamePlay.Game_Status(), cGamePlay::kInProgress);
        EXPECT_TRUE(shared.gamePlay.Game_Running());
        EXPECT_TRUE(window.tmrGame.isActive());
        EXPECT_EQ(shared.gamePlay.LastGName(), QStringLiteral("Klondike"));

        QCoreApplication::processEvents();
        ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Settings could not be saved: ")))
            << prompts.messages[0].toStdString();
        EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("blocker"))) << "the reason names the place";
    }
    shared.services.setSettings(nullptr);
    shared.services.setPrompts(nullptr);
}

} // namespace
