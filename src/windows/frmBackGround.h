#pragma once

#include "appearance/Background.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTabWidget;
class QTreeView;
class QTreeWidget;
class Shared;

// "Customize Background": the six kinds of table background on six tabs,
// each with a preview, the tiling and fading choices, colour schemes made
// and deleted, the player's own pictures, pictures from any folder, and how
// often the background changes by itself. Nothing is stored before "Apply"
// or "OK".
class frmBackGround final : public QDialog {
    Q_OBJECT

public:
    // `applied` redraws the table from the stored settings.
    frmBackGround(Shared& shared, std::function<void()> applied, QWidget* parent = nullptr);

    void apply();
    void saveSchemeAs();
    void deleteScheme();
    void addPicture();
    void removePicture();
    // The working choice as it stands.
    const BackgroundChoice& choice() const { return choice_; }
    // Why the chosen picture is not shown; empty when it is.
    QString refusal() const;

private:
    void fillSchemes();
    void fillCustom();
    void fillFolderFiles(const QString& folder);
    void showScheme(const std::array<int, 6>& values);
    void choose(int kind);
    void changed();
    void preview();

    Shared& shared_;
    std::function<void()> applied_;
    BackgroundChoice choice_;
    // The choice of each kind, kept while the player looks at the others.
    int texture_;
    int colour_;
    int picture_;
    QString schemeFile_;
    std::array<int, 6> scheme_{};
    QString customFile_;
    QString folderFile_;

    QTabWidget* tabs_;
    QTreeWidget* tvTexture_;
    QListWidget* lstColors_;
    QCheckBox* chkFade_;
    QListWidget* lstPictures_;
    QListWidget* lstSchemes_;
    std::array<QSlider*, 6> sliders_;
    std::array<QLabel*, 6> sliderLabels_;
    QListWidget* lstCustom_;
    QFileSystemModel* folders_;
    QTreeView* tvFolders_;
    QListWidget* lstFiles_;
    QLabel* picPreview_;
    QLabel* lblRefusal_;
    QCheckBox* chkTile_;
    QComboBox* imcTimer_;
    QPushButton* cmdApply_;
    bool filling_ = false;
};
