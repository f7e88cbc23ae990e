#pragma once

#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <cstdint>

class CardPictures;

// The pictures of the game selection window: a miniature of each game's
// table as it stands after the deal (always the same deal, so the picture
// never changes), the picture shown while no game is chosen, and the frames
// around them. Miniatures are drawn from the game's own definition through
// the real table, so each shows its game's true layout; they are cached
// until release().
class GamePreview {
public:
    // The natural size of a miniature, in pixels.
    static constexpr QSize kPreviewSize{336, 224};
    // The deal every miniature shows.
    static constexpr double kPreviewGameNo = 1;

    explicit GamePreview(CardPictures& pictures) : pictures_(pictures) {}

    // The card back face-down cards show; the program's own default until
    // set, and for a number that names no deck.
    void setDeckIndex(int32_t deckIndex);

    // The miniature of the catalogue game with this id (1 .. 62); id 0 gives
    // the no-game picture. Any other id is a subscript error.
    QPixmap preview(int16_t gameId, QSize size = kPreviewSize);
    // What the preview area shows while no game is chosen.
    QPixmap noGame(QSize size = kPreviewSize);
    // The frame drawn around the preview area: the full one while a game is
    // shown, the plain one while none is.
    QPixmap frame(bool maximised, QSize size);
    // How far inside a frame of this size the picture begins.
    static int frameBorder(bool maximised);

    // Drops every cached picture (the selection window closes).
    void release() { cache_.clear(); }
    // Miniatures drawn so far, for tests.
    int renderCount() const { return renders_; }

private:
    QPixmap render(const QString& gameName, QSize size);

    CardPictures& pictures_;
    int16_t deckIndex_ = 0;
    QHash<QString, QPixmap> cache_;
    int renders_ = 0;
};
