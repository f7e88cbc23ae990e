#pragma once

#include <QDialog>
#include <QHash>
#include <QString>

#include <cstdint>
#include <memory>

class CardPictures;
class FaceDeck;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Shared;

// The deck window: the card faces to choose (the drawn ones and every SVG
// deck found) with a preview of a few of them; the backs in a tree by
// category (the chosen face deck's own back among them), a preview of the
// chosen back, and OK to show the table's cards in the new faces and back.
class frmCardDeck : public QDialog {
    Q_OBJECT

public:
    frmCardDeck(Shared& shared, CardPictures& pictures, QWidget* parent = nullptr);
    ~frmCardDeck() override;

    // The deck index OK would store.
    int16_t selectedDeck() const { return selected_; }
    // The face deck OK would store: its path, empty for the drawn faces.
    QString selectedFaces() const;

private:
    void fillTree();
    void fillFaces();
    void nodeChosen(QTreeWidgetItem* node);
    void facesChosen(QListWidgetItem* item);
    // The chosen face deck's own back in the tree, or none.
    void showOwnBack();
    void showPreview();
    void showFacesPreview();
    QPixmap backPicture(int16_t deck, QSize pixels);
    void accept() override;
    void reject() override;

    Shared& shared_;
    CardPictures& pictures_;
    // Draws the program's own faces for their preview, whatever deck the
    // table shows.
    std::unique_ptr<CardPictures> drawn_;
    QListWidget* lvFaces_ = nullptr;
    QLabel* picFaces_ = nullptr;
    QLabel* lblFaces_ = nullptr;
    QTreeWidget* tvDecks_ = nullptr;
    QTreeWidgetItem* ownBack_ = nullptr;
    QLabel* picDeck_ = nullptr;
    QLabel* lblName_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    int16_t selected_ = 1;
    // The chosen face deck (none: the drawn faces), and the decks opened
    // here, each parsed once.
    std::shared_ptr<FaceDeck> faces_;
    QHash<QString, std::shared_ptr<FaceDeck>> opened_;
};
