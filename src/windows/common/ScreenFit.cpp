#include "windows/common/ScreenFit.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

namespace screenFit {

namespace {
// A title bar and the borders of the usual window managers, in logical
// pixels.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;
} // namespace

QSize room(const QWidget& window)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize free = screen->availableGeometry().size();
    return QSize(free.width() - kFrameWidth, free.height() - kFrameHeight);
}

void resizeWithin(QWidget& window, const QSize& wanted) { window.resize(wanted.boundedTo(room(window))); }

QScrollArea* scrolling(QLayout* layout, QWidget* parent)
{
    auto* area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* inside = new QWidget(area);
    // The window's own colour shows through, not the area's.
    inside->setAutoFillBackground(false);
    area->viewport()->setAutoFillBackground(false);
    layout->setContentsMargins(0, 0, 0, 0);
    inside->setLayout(layout);
    area->setWidget(inside);
    return area;
}

QSize unscrolled(const QWidget& window, const QScrollArea& area)
{
    const QSize content = area.widget() != nullptr ? area.widget()->sizeHint() : QSize();
    const QSize shown = area.sizeHint();
    const QSize frame(2 * area.frameWidth(), 2 * area.frameWidth());
    return window.sizeHint() + (content + frame - shown).expandedTo(QSize(0, 0));
}

} // namespace screenFit
