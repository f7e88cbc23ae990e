#pragma once

#include <QPushButton>

// A push button of the program's dialogs: named for tests, wide enough for
// its caption, and never taking Enter unless made the default.
inline QPushButton* dialogButton(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(96);
    button->setAutoDefault(false);
    return button;
}
