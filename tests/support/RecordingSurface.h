#pragma once

#include "engine/CardSurface.h"

#include <map>
#include <utility>
#include <vector>

// A card surface that remembers what the table asked of it, so tests can see
// what a player would see.
class RecordingSurface final : public CardSurface {
public:
    struct CardPicture {
        bool created = false;
        bool visible = false;
        bool faceUp = false;
        int16_t face = 0;
        int16_t back = 0;
        Point at;
        int64_t z = 0;
        std::vector<std::vector<Point>> moves;
        int32_t width = 1065;
        int32_t height = 1440;
        // The picture carrying this one in a dragged run, or -1.
        int16_t carriedBy = -1;
        Point offset;
    };
    struct MarkerPicture {
        int16_t number = -1;
        Point at;
    };

    int16_t decks = 12;
    std::map<int16_t, CardPicture> cards;
    std::map<std::pair<Marker, int16_t>, MarkerPicture> markers;
    int cleared = 0;
    int createdNotices = 0;
    int markerNotices = 0;

    int16_t deckCount() const override { return decks; }
    void createCard(int16_t id) override { cards[id].created = true; }
    void setCardFace(int16_t id, int16_t pictureNumber) override { cards[id].face = pictureNumber; }
    void setCardBack(int16_t id, int16_t deckIndex) override { cards[id].back = deckIndex; }
    void showCardFace(int16_t id, bool faceUp) override { cards[id].faceUp = faceUp; }
    void bringToFront(int16_t id) override { cards[id].z = ++zCounter_; }
    void setCardVisible(int16_t id, bool visible) override { cards[id].visible = visible; }
    Point cardPosition(int16_t id) const
    {
        const auto it = cards.find(id);
        return it == cards.end() ? Point{} : it->second.at;
    }
    void moveCard(int16_t id, const std::vector<Point>& steps) override
    {
        CardPicture& c = cards[id];
        c.moves.push_back(steps);
        c.at = steps.back();
        c.carriedBy = -1;
        // Carried cards travel with the picture carrying them.
        for (auto& [other, picture] : cards)
            if (picture.carriedBy == id)
                picture.at = {c.at.x + picture.offset.x, c.at.y + picture.offset.y};
    }
    void setCardSize(int16_t id, int32_t width, int32_t height) override
    {
        cards[id].width = width;
        cards[id].height = height;
    }
    void attachRunCard(int16_t grabbed, int16_t id, Point offset) override
    {
        CardPicture& c = cards[id];
        c.carriedBy = grabbed;
        c.offset = offset;
        c.at = {cards[grabbed].at.x + offset.x, cards[grabbed].at.y + offset.y};
    }
    void showMarker(Marker kind, int16_t index, int16_t markerNumber, Point at) override
    {
        markers[{kind, index}] = {markerNumber, at};
    }
    void cardsCreated() override { ++createdNotices; }
    void markersShown() override { ++markerNotices; }
    void clearTable() override
    {
        ++cleared;
        cards.clear();
        markers.clear();
    }

private:
    int64_t zCounter_ = 0;
};
