#pragma once

#include <QDialog>

#include <cstdint>

class CardPictures;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class Shared;

// The deck window: the decks in a tree by category, a preview of the
// chosen deck's back, and OK to deal the cards on the table the new back.
class frmCardDeck : public QDialog {
    Q_OBJECT

public:
    frmCardDeck(Shared& shared, CardPictures& pictures, QWidget* parent = nullptr);

    // The deck index OK would store.
    int16_t selectedDeck() const { return selected_; }

private:
    void fillTree();
    void nodeChosen(QTreeWidgetItem* node);
    void showPreview();
    void accept() override;
    void reject() override;

    Shared& shared_;
    CardPictures& pictures_;
    QTreeWidget* tvDecks_ = nullptr;
    QLabel* picDeck_ = nullptr;
    QLabel* lblName_ = nullptr;
    int16_t selected_ = 1;
};
