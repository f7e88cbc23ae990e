#pragma once

class QWidget;

// Screen readers name a button by its text, but a list, a chooser, a text
// box or a slider only by a name given to it. These give every such control
// of a window a name from what a sighted player reads beside it: the label
// before it, its tooltip, the group or tab it sits in, or the window.
namespace accessibleNames {

// Names the window's unnamed controls.
void nameControls(QWidget& window);
// Names the controls of every window of the program as it is shown.
void install();

} // namespace accessibleNames
