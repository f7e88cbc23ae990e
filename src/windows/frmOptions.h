#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;
class Shared;
struct NumberSetting;

// The "Options" window: display, exit, random range, winnable deals and
// auto-save settings, each stored the moment its control changes, and the
// clearing of the three recent lists. There is nothing to confirm or
// cancel, only "Close".
class frmOptions : public QDialog {
    Q_OBJECT

public:
    // `recentListsCleared` rebuilds the recent submenus after a list has
    // been emptied.
    frmOptions(Shared& shared, std::function<void()> recentListsCleared, QWidget* parent = nullptr);

    static constexpr int kRanges = 15;

    // Asks, then empties recent list `list` (0 played, 1 saved, 2 opened).
    void clearRecentList(int32_t list);

private:
    QCheckBox* checkBox(const char* name, const QString& caption, const NumberSetting& setting);
    void updateClearButtons();

    Shared& shared_;
    std::function<void()> recentListsCleared_;
    QTabWidget* tabOptions_;
    QComboBox* imcRange_;
    QPushButton* cmdrSave_;
    QPushButton* cmdrOpen_;
    QPushButton* cmdrPlay_;
    QPushButton* cmdClose_;
};
