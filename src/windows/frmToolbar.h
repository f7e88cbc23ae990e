#pragma once

#include <QDialog>

class MainMenus;
class QListWidget;
class QListWidgetItem;
class Shared;

// "Customize Toolbar": one check box per toolbar button. A change is stored
// and shown on the toolbar at once; there is nothing to cancel.
class frmToolbar : public QDialog {
    Q_OBJECT

public:
    frmToolbar(Shared& shared, MainMenus& menus, QWidget* parent = nullptr);

private:
    void fillList();
    // Sets the check boxes from the stored settings.
    void loadChecks();
    void itemChanged(QListWidgetItem* entry);
    void selectAll();
    void loadDefaults();

    Shared& shared_;
    MainMenus& menus_;
    QListWidget* lvTool_ = nullptr;
    bool loading_ = false;
};
