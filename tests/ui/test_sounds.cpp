#include "session/Shared.h"
#include "support/FakePrompts.h"
#include "support/TempHome.h"
#include "windows/common/QtSoundPlayer.h"
#include "windows/frmSounds.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSoundEffect>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A tenth of a second of silence as a wave file: 8 kHz, one channel, 16 bits.
QByteArray shortWave()
{
    constexpr quint32 kSamples = 800;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const auto tag = [&](const char* text) { out.writeRawData(text, 4); };
    tag("RIFF");
    out << quint32(36 + kSamples * 2);
    tag("WAVE");
    tag("fmt ");
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2) << quint16(16);
    tag("data");
    out << quint32(kSamples * 2);
    for (quint32 i = 0; i < kSamples; ++i)
        out << qint16(0);
    return bytes;
}

// The first deal's sound, asked for before any window is drawn, waits for
// that first frame instead of holding it up; meanwhile it counts as
// playing, so nothing cuts it off.
TEST(SoundPlayerTest, TheFirstSoundWaitsForTheFirstFrame)
{
    TempHome home;
    const QString wave = home.path(QStringLiteral("Start.wav"));
    {
        QFile file(wave);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(shortWave());
    }
    QtSoundPlayer player;
    player.play(wave);
    EXPECT_EQ(player.effect(), nullptr) << "the audio system is not started before the first frame";
    EXPECT_TRUE(player.isPlaying());

    QWidget window;
    window.resize(200, 120);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.effect() != nullptr; }));
    EXPECT_EQ(player.effect()->source(), QUrl::fromLocalFile(wave));
    // The audio system reads the file on a thread of its own: the test ends
    // once it has read it, so that none of its work is left behind with the
    // application gone.
    EXPECT_TRUE(QTest::qWaitFor([&] { return player.effect()->status() == QSoundEffect::Ready; }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SoundsWindowTest, AFileIsChosenAppliedAndRemovedForAnEvent)
{
    TempHome home;
    Shared shared;
    FakePrompts prompts;
    shared.services.setPrompts(&prompts);
    frmSounds window(shared);
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("tvSound"));
    auto* file = window.findChild<QLineEdit*>(QStringLiteral("txtFile"));
    auto* apply = window.findChild<QPushButton*>(QStringLiteral("cmdApply"));
    auto* remove = window.findChild<QPushButton*>(QStringLiteral("cmdRemove"));
    auto* browse = window.findChild<QPushButton*>(QStringLiteral("cmdBrowse"));
    ASSERT_TRUE(tree && file && apply && remove && browse);

    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Sound Schemes"));
    QStringList groups;
    int events = 0;
    for (int i = 0; i < root->childCount(); ++i) {
        groups << root->child(i)->text(0);
        events += root->child(i)->childCount();
    }
    EXPECT_EQ(groups, (QStringList{"Game", "Favorites", "Pending List", "Statistics", "Customize", "Tools", "Help"}));
    EXPECT_EQ(events, 30);
    EXPECT_FALSE(browse->isEnabled()) << "the root is chosen";

    QTreeWidgetItem* move = root->child(0)->child(2);
    ASSERT_EQ(move->text(0), QStringLiteral("Move Card"));
    const QIcon before = move->icon(0);
    tree->setCurrentItem(move);
    EXPECT_TRUE(file->text().isEmpty());
    EXPECT_TRUE(browse->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    const QString wave = home.path(QStringLiteral("click.wav"));
    QFile made(wave);
    ASSERT_TRUE(made.open(QIODevice::WriteOnly));
    made.close();
    prompts.files = {home.path(QStringLiteral("missing.wav")), wave};
    browse->click();
    EXPECT_TRUE(file->text().isEmpty()) << "a file that is not there is not taken";
    browse->click();
    EXPECT_EQ(file->text(), wave);
    EXPECT_TRUE(shared.sound.GetSound(QStringLiteral("Move")).isEmpty()) << "nothing stored before Apply";
    apply->click();
    EXPECT_EQ(shared.sound.GetSound(QStringLiteral("Move")), wave);
    EXPECT_NE(move->icon(0).cacheKey(), before.cacheKey()) << "shown as assigned";
    EXPECT_FALSE(apply->isEnabled());

    QTreeWidgetItem* win = root->child(0)->child(8);
    ASSERT_EQ(win->text(0), QStringLiteral("Win"));
    tree->setCurrentItem(win);
    EXPECT_EQ(file->text(), shared.sound.GetDefault(QStringLiteral("Win.wav")));
    remove->click();
    EXPECT_TRUE(shared.sound.GetSound(QStringLiteral("Win")).isEmpty());
    EXPECT_FALSE(remove->isEnabled());
    shared.services.setPrompts(nullptr);
}

} // namespace
