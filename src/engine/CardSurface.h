#pragma once

#include <cstdint>
#include <vector>

// What the play table asks of the picture controls it draws with: one card
// picture per card number (picture 0 always exists) and the empty-place
// markers. Positions are twips on the play surface. The table never paints
// pixels itself, and never asks where a picture is: it keeps the places it
// gave; the user interface implements this on its scene, the
// command line uses a surface that draws nothing, tests record the calls.
class CardSurface {
public:
    enum class Marker : int8_t { Home, Right, Res, Waste, Stock };

    struct Point {
        int32_t x = 0;
        int32_t y = 0;
        bool operator==(const Point&) const = default;
    };

    virtual ~CardSurface() = default;

    // False for a surface that draws nothing: the table then spares itself
    // working out the positions a card passes through.
    virtual bool drawsCards() const { return true; }

    // Decks the card picture library offers (bounds the chosen deck index).
    virtual int16_t deckCount() const = 0;

    // Card pictures. A created picture is hidden until first placed.
    virtual void createCard(int16_t id) = 0;
    virtual void setCardFace(int16_t id, int16_t pictureNumber) = 0;
    virtual void setCardBack(int16_t id, int16_t deckIndex) = 0;
    virtual void showCardFace(int16_t id, bool faceUp) = 0;
    virtual void bringToFront(int16_t id) = 0;
    virtual void setCardVisible(int16_t id, bool visible) = 0;
    // Moves the picture through the given positions, one per frame; the last
    // one is the destination.
    virtual void moveCard(int16_t id, const std::vector<Point>& steps) = 0;

    // A dragged run: the picture grows to show the run, whose cards are
    // carried inside it at their offsets from its corner. A carried card
    // that is moved again is back on the table.
    virtual void setCardSize(int16_t id, int32_t width, int32_t height) = 0;
    virtual void attachRunCard(int16_t grabbed, int16_t id, Point offset) = 0;

    // Empty-place markers; index is the pile (0 for waste and stock).
    virtual void showMarker(Marker kind, int16_t index, int16_t markerNumber, Point at) = 0;

    // Notifications to the picture library at the set-up of a game.
    virtual void cardsCreated() {}
    virtual void markersShown() {}

    // Removes the game: unloads every card picture but picture 0 and every
    // extra marker, hides the first ones and the stock and waste markers,
    // and gives picture 0 the card size again.
    virtual void clearTable() = 0;
};

// A surface that draws nothing; cards stay where the model puts them.
class NullCardSurface final : public CardSurface {
public:
    bool drawsCards() const override { return false; }
    int16_t deckCount() const override { return kDecks; }
    void createCard(int16_t) override {}
    void setCardFace(int16_t, int16_t) override {}
    void setCardBack(int16_t, int16_t) override {}
    void showCardFace(int16_t, bool) override {}
    void bringToFront(int16_t) override {}
    void setCardVisible(int16_t, bool) override {}
    void moveCard(int16_t, const std::vector<Point>&) override {}
    void setCardSize(int16_t, int32_t, int32_t) override {}
    void attachRunCard(int16_t, int16_t, Point) override {}
    void showMarker(Marker, int16_t, int16_t, Point) override {}
    void clearTable() override {}

    // As many decks as the card picture library draws.
    static constexpr int16_t kDecks = 16;
};
