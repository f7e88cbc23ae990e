#pragma once

#include <QDialog>

class QPushButton;
class QTabWidget;
class QTreeView;
class Shared;
class TextTableModel;

// The "Auto Save" window: the games every ended game left in the auto-save
// folder, incomplete and finished on two tabs, to play or delete one at a
// time or all of one kind.
class frmAutoSave final : public QDialog {
    Q_OBJECT

public:
    explicit frmAutoSave(Shared& shared, QWidget* parent = nullptr);

    // Both lists as the folder holds them; "Play" and "Delete" wait for a
    // row to be chosen.
    void fillBoth();
    void play();
    void deleteGame();
    void empty(bool finished);

protected:
    void done(int result) override;

private:
    void fill(bool finished);
    int tab() const;
    QString selectedFile() const;

    Shared& shared_;
    QTabWidget* tabs_;
    TextTableModel* models_[2];
    QTreeView* lists_[2];
    QStringList files_[2];
    QStringList tags_[2];
    QPushButton* cmdPlay_;
    QPushButton* cmdDelete_;
    QPushButton* cmdEmpty_[2];
};
