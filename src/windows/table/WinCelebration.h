#pragma once

#include <QObject>
#include <QPointF>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

class cGames;
class cPlay;
class Services;
class TableView;

// A won game's last moment on the table: the cards leap off the
// foundations, the top ones first, fall, bounce on the bottom of the window
// and run out at its sides. It is only
// pictures: no card changes its place on the table, and when it ends every
// picture is back on its foundation. Any key or click ends it at once and is
// used for nothing else; meanwhile the table counts as busy, so nothing
// replaces the won game before it is recorded.
class WinCelebration final : public QObject {
    Q_OBJECT
public:
    WinCelebration(TableView& table, const cGames& games, const cPlay& play, Services& services,
                   QObject* parent = nullptr);
    ~WinCelebration() override;

    // Starts once the cards still on their way have arrived. `ended` is run
    // (inside the guard, from the event loop) when it is over, however it
    // ended; a celebration under way is left to run.
    void start(std::function<void()> ended);
    // Ends it now: the pictures go back and `ended` follows.
    void stop();
    // Ends it without telling anyone: the program is closing.
    void abandon();
    bool running() const { return running_; }

    // One frame; the timer calls it every TableView::kFrameMs.
    void advance();
    // Frames shown since it started, and how many it has at a card speed.
    int framesShown() const { return frame_; }
    int length() const { return length_; }
    static int framesFor(int16_t cardSteps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Flight {
        int16_t id;
        int launch;
        // Where the picture is, and its speed, in twips and twips a frame.
        QPointF at;
        qreal across;
        qreal down;
    };

    void planFlights();
    // One frame of a card in the air: it falls faster and faster and
    // bounces on the bottom, losing some of its speed.
    void fly(Flight& flight) const;
    void finish(bool tell);

    TableView& table_;
    const cGames& games_;
    const cPlay& play_;
    Services& services_;
    QTimer timer_;
    std::function<void()> ended_;
    std::vector<Flight> flights_;
    bool running_ = false;
    bool busyBefore_ = false;
    bool planned_ = false;
    int frame_ = 0;
    int length_ = 0;
    // Where the cards bounce, and how much faster they fall each frame.
    qreal floor_ = 0;
    qreal gravity_ = 0;
};
