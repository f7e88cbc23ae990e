#include "pictures/CardPictures.h"
#include "rules/mKlondike.h"
#include "session/Shared.h"
#include "support/CountingSounds.h"
#include "support/RecordingSurface.h"
#include "windows/frmAnimation.h"
#include "windows/frmCardDeck.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>

#include <array>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

template <typename T> T* named(QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QTreeWidgetItem* deckNode(QTreeWidget& tree, int deck)
{
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == deck)
            return *it;
    return nullptr;
}

// A dealt Klondike game on a surface that records what the table shows.
class CardDeckDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        surface.decks = pictures.deckCount();
        shared.services.setSurface(&surface);
        shared.services.setSounds(&sounds);
        mKlondike::LoadGameDefinition(shared.games, QStringLiteral("Klondike"));
        shared.play.ClearAll();
        shared.play.Init(GameNo(1));
    }
    void TearDown() override { shared.services.setSurface(nullptr); }

    QImage preview(frmCardDeck& dialog)
    {
        auto* pic = named<QLabel>(dialog, "PicDeck");
        return pic != nullptr ? pic->pixmap().toImage() : QImage();
    }
    QImage backOf(int16_t deck, QSize size) { return pictures.back(deck, size).toImage(); }
    int32_t storedDeck() { return shared.services.settings().read(settings::kDeckIndex); }

    Shared shared;
    CardPictures pictures;
    RecordingSurface surface;
    CountingSounds sounds;
};

TEST_F(CardDeckDialogTest, ShowsTheCurrentDeckAndPreviewsTheClickedOne)
{
    shared.services.settings().write(settings::kDeckIndex, 3);
    frmCardDeck dialog(shared, pictures);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Customize Card Deck"));
    EXPECT_EQ(sounds.count(SoundEvent::Deck), 1);
    auto* tree = named<QTreeWidget>(dialog, "tvDecks");
    ASSERT_NE(tree, nullptr);

    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Card Decks"));
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), pictures.deckCategories().size());
    int decks = 0;
    for (int c = 0; c < root->childCount(); ++c) {
        QTreeWidgetItem* category = root->child(c);
        EXPECT_EQ(category->text(0), pictures.deckCategories()[c].text);
        int last = 0;
        for (int d = 0; d < category->childCount(); ++d) {
            const int index = category->child(d)->data(0, Qt::UserRole).toInt();
            EXPECT_GT(index, last) << "decks in index order";
            EXPECT_EQ(pictures.deckCategory(static_cast<int16_t>(index)), pictures.deckCategories()[c].key);
            last = index;
            ++decks;
        }
    }
    EXPECT_EQ(decks, pictures.deckCount());

    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toInt(), 3);
    const QImage shown = preview(dialog);
    EXPECT_EQ(shown, backOf(3, shown.size()));

    tree->setCurrentItem(deckNode(*tree, 9));
    EXPECT_EQ(preview(dialog), backOf(9, shown.size()));
    EXPECT_EQ(dialog.selectedDeck(), 9);

    // A category carries no deck: nothing changes.
    tree->setCurrentItem(root->child(0));
    emit tree->itemClicked(root->child(0), 0);
    EXPECT_EQ(dialog.selectedDeck(), 9);
    EXPECT_EQ(preview(dialog), backOf(9, shown.size()));
    EXPECT_EQ(sounds.count(SoundEvent::Deck), 1);
}

TEST_F(CardDeckDialogTest, ADeckNumberThatNamesNoDeckOpensOnTheDefaultDeck)
{
    for (const int32_t stored : {99, 0, 17}) {
        shared.services.settings().write(settings::kDeckIndex, stored);
        frmCardDeck dialog(shared, pictures);
        auto* tree = named<QTreeWidget>(dialog, "tvDecks");
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(tree->currentItem(), nullptr) << stored;
        EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toInt(), 7) << stored;
        EXPECT_EQ(dialog.selectedDeck(), 7) << stored;
        const QImage shown = preview(dialog);
        EXPECT_EQ(shown, backOf(7, shown.size())) << stored;
    }
}

TEST_F(CardDeckDialogTest, OkStoresTheDeckAndTurnsFaceDownCardsToIt)
{
    std::vector<int16_t> faceDown, faceUp;
    for (int16_t id = 0; id < shared.play.CardCount(); ++id)
        (shared.play.FaceMode(id) == cPlay::kFaceDown ? faceDown : faceUp).push_back(id);
    ASSERT_FALSE(faceDown.empty());
    ASSERT_FALSE(faceUp.empty());
    std::map<int16_t, int16_t> facesBefore;
    for (int16_t id : faceUp)
        facesBefore[id] = surface.cards[id].face;

    frmCardDeck dialog(shared, pictures);
    auto* tree = named<QTreeWidget>(dialog, "tvDecks");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toInt(), settings::kDeckIndex.defaultValue);
    tree->setCurrentItem(deckNode(*tree, 12));
    named<QPushButton>(dialog, "cmdOK")->click();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(storedDeck(), 12);
    for (int16_t id : faceDown)
        EXPECT_EQ(surface.cards[id].back, 12) << "face-down card " << id;
    for (int16_t id : faceUp) {
        EXPECT_TRUE(surface.cards[id].faceUp) << "card " << id << " stays face up";
        EXPECT_EQ(surface.cards[id].face, facesBefore[id]);
    }
}

TEST_F(CardDeckDialogTest, CancelStoresNothing)
{
    const int16_t before = surface.cards[0].back;
    frmCardDeck dialog(shared, pictures);
    auto* tree = named<QTreeWidget>(dialog, "tvDecks");
    ASSERT_NE(tree, nullptr);
    tree->setCurrentItem(deckNode(*tree, 5));
    named<QPushButton>(dialog, "cmdCancel")->click();

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(storedDeck(), settings::kDeckIndex.defaultValue);
    EXPECT_EQ(surface.cards[0].back, before);
}

struct SpeedControl {
    const char* slider;
    const char* label;
    NumberSetting setting;
};

const std::array<SpeedControl, 4> kControls{{
    {"sldCardSpeed", "Card Moving Speed : ", settings::kCardSpeed},
    {"sldUndoSpeed", "Undo/Redo Speed : ", settings::kUndoSpeed},
    {"sldUndoallSpeed", "Undoall/Redoall Speed : ", settings::kUndoallSpeed},
    {"sldReplaySpeed", "Replay Speed : ", settings::kReplaySpeed},
}};

QString frameTitle(QSlider& slider)
{
    auto* frame = qobject_cast<QGroupBox*>(slider.parentWidget());
    return frame != nullptr ? frame->title() : QString();
}

TEST(AnimationDialogTest, SlidersShowFiftyLessTheStepsAndOkStoresThem)
{
    Shared shared;
    CountingSounds sounds;
    shared.services.setSounds(&sounds);
    shared.services.settings().write(settings::kCardSpeed, 10);
    shared.services.settings().write(settings::kUndoSpeed, 0);
    // UndoallSpeed is left at its default (2).
    shared.services.settings().write(settings::kReplaySpeed, 50);

    frmAnimation dialog(shared);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Animation"));
    EXPECT_EQ(sounds.count(SoundEvent::Animation), 1);
    const std::array<int, 4> shown{40, 50, 48, 0};
    std::array<QSlider*, 4> sliders{};
    for (size_t i = 0; i < kControls.size(); ++i) {
        sliders[i] = named<QSlider>(dialog, kControls[i].slider);
        ASSERT_NE(sliders[i], nullptr);
        EXPECT_EQ(sliders[i]->value(), shown[i]) << kControls[i].slider;
        EXPECT_EQ(frameTitle(*sliders[i]), QString::fromLatin1(kControls[i].label) + QString::number(shown[i]));
    }

    sliders[0]->setValue(20);
    EXPECT_EQ(frameTitle(*sliders[0]), QStringLiteral("Card Moving Speed : 20"));
    sliders[3]->setValue(sliders[3]->maximum());
    EXPECT_EQ(frameTitle(*sliders[3]), QStringLiteral("Replay Speed : 50"));

    named<QPushButton>(dialog, "cmdOK")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(shared.services.settings().read(settings::kCardSpeed), 30);
    EXPECT_EQ(shared.services.settings().read(settings::kUndoSpeed), 0);
    EXPECT_EQ(shared.services.settings().read(settings::kUndoallSpeed), 2);
    EXPECT_EQ(shared.services.settings().read(settings::kReplaySpeed), 0);
}

TEST(AnimationDialogTest, CancelStoresNothing)
{
    Shared shared;
    frmAnimation dialog(shared);
    for (const SpeedControl& control : kControls) {
        auto* slider = named<QSlider>(dialog, control.slider);
        ASSERT_NE(slider, nullptr);
        slider->setValue(1);
    }
    named<QPushButton>(dialog, "cmdCancel")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    for (const SpeedControl& control : kControls)
        EXPECT_EQ(shared.services.settings().read(control.setting), control.setting.defaultValue) << control.slider;
}

TEST(AnimationDialogTest, StepsBeyondTheSliderAreShownAtItsEnd)
{
    Shared shared;
    shared.services.settings().write(settings::kCardSpeed, 80);
    frmAnimation dialog(shared);
    auto* slider = named<QSlider>(dialog, "sldCardSpeed");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(frameTitle(*slider), QStringLiteral("Card Moving Speed : 0"));
}

} // namespace
