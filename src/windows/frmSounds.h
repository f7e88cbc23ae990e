#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Shared;
class cSound;

// "Sounds": every sound event of the program in seven groups, each showing
// whether a wave file is assigned; a file is chosen, tried, applied or
// removed for the chosen event.
class frmSounds final : public QDialog {
    Q_OBJECT

public:
    explicit frmSounds(Shared& shared, QWidget* parent = nullptr);

    void browse();
    void playChosen();
    void apply();
    void remove();
    // Shows the chosen node's file and enables what it allows.
    void showSelection();

private:
    QString selectedTag() const;
    void markAssigned(QTreeWidgetItem* node);

    Shared& shared_;
    cSound& sound_;
    QTreeWidget* tvSound_;
    QLineEdit* txtFile_;
    QPushButton* cmdBrowse_;
    QPushButton* cmdPlay_;
    QPushButton* cmdApply_;
    QPushButton* cmdRemove_;
};
