#pragma once

#include <QSize>

class QLayout;
class QScrollArea;
class QWidget;

// Windows open no larger than the screen they open on, so that their
// buttons are always in reach, even on a small or scaled screen.
namespace screenFit {

// Room for a window on its screen: the free area of the screen (without
// panels) less what the window manager's frame usually takes.
QSize room(const QWidget& window);
// Resizes the window to `wanted`, smaller where the screen has less room.
void resizeWithin(QWidget& window, const QSize& wanted);
// The controls of `layout` in a frameless area of `parent` that scrolls
// when the window is smaller than they need, and looks like no area at all
// when it is not.
QScrollArea* scrolling(QLayout* layout, QWidget* parent);
// The size the window asks for when `area` shows all it holds without
// scrolling (an area alone asks for less than a big content needs).
QSize unscrolled(const QWidget& window, const QScrollArea& area);

} // namespace screenFit
