#pragma once

#include <QDialog>

class Shared;

// The About window: the product's name, version and what it offers, beside a
// small fan of cards. Opening it plays the "About" sound; OK closes it.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(Shared& shared, QWidget* parent = nullptr);
};
