#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolBar;
class Shared;

// The game-end dialog "Congrats", shown when the last card goes home. It
// records the won game as it opens (session list, score file, auto-save),
// shows the result in a list and a chart per measure, and offers to save the game to
// a file of the player's choice. However it is closed, it saves that file
// when asked to and clears the table; its toolbar says what comes next.
class frmFinish final : public QDialog {
    Q_OBJECT

public:
    // What the player chose to do after the dialog.
    enum class Next { Nothing, NewDeal, Select, Restart };

    explicit frmFinish(Shared& shared, QWidget* parent = nullptr);

    Next next() const { return next_; }

    // The two check boxes as stored in section "Finish".
    int AddtoFav() const;
    void setAddtoFav(int value);
    int SaveFile() const;
    void setSaveFile(int value);

    // The proposed file of the won game in `folder`.
    QString savePath(const QString& folder) const;

    void done(int result) override;

private:
    void fillResult();
    QWidget* resultCharts();
    void record();
    void browse();
    void closeWith(Next next);

    Shared& shared_;
    QGroupBox* fraGame_;
    QListWidget* lstResult_;
    QCheckBox* chkSave_;
    QLineEdit* txtSave_;
    QPushButton* cmdBrowse_;
    QCheckBox* chkFav_;
    QToolBar* toolbar_;
    Next next_ = Next::Nothing;
    bool closed_ = false;
};
