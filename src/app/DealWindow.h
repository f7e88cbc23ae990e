#pragma once

#include "app/Shared.h"

#include <QMainWindow>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// The program's window while the card table is not drawn yet: choose a game
// and a number and see the table as dealt, pile by pile.
class DealWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DealWindow(QWidget* parent = nullptr);

private:
    void deal();

    Shared shared_;
    QComboBox* cboGame_;
    QLineEdit* txtNumber_;
    QPlainTextEdit* txtTable_;
};
