#include "app/DealWindow.h"

#include "engine/DealText.h"
#include "rules/RunTimeError.h"
#include "rules/mKlondike.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

DealWindow::DealWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Tablora 6.0"));
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    auto* row = new QHBoxLayout;

    cboGame_ = new QComboBox(central);
    cboGame_->setObjectName(QStringLiteral("cboGame"));
    for (const mKlondike::GameListEntry& entry : mKlondike::GameList())
        cboGame_->addItem(entry.gName);
    cboGame_->setCurrentText(QStringLiteral("Klondike"));

    txtNumber_ = new QLineEdit(QStringLiteral("1"), central);
    txtNumber_->setObjectName(QStringLiteral("txtNumber"));
    auto* cmdDeal = new QPushButton(QStringLiteral("&Deal"), central);
    cmdDeal->setObjectName(QStringLiteral("cmdDeal"));
    cmdDeal->setDefault(true);

    row->addWidget(new QLabel(QStringLiteral("Game:"), central));
    row->addWidget(cboGame_, 1);
    row->addWidget(new QLabel(QStringLiteral("Number:"), central));
    row->addWidget(txtNumber_);
    row->addWidget(cmdDeal);
    column->addLayout(row);

    txtTable_ = new QPlainTextEdit(central);
    txtTable_->setObjectName(QStringLiteral("txtTable"));
    txtTable_->setReadOnly(true);
    txtTable_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtTable_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    column->addWidget(txtTable_, 1);
    setCentralWidget(central);
    resize(900, 600);

    connect(cmdDeal, &QPushButton::clicked, this, &DealWindow::deal);
    connect(txtNumber_, &QLineEdit::returnPressed, this, &DealWindow::deal);
    deal();
}

void DealWindow::deal()
{
    const QString name = cboGame_->currentText();
    const std::optional<GameNo> number = GameNo::fromText(txtNumber_->text());
    if (!number) {
        txtTable_->setPlainText(QStringLiteral("The game number must be a number."));
        return;
    }
    try {
        shared_.values.runningGameName = name;
        mKlondike::LoadGameDefinition(shared_.games, name);
        shared_.play.ClearAll();
        shared_.play.Init(*number);
        txtTable_->setPlainText(DealText(shared_.games, shared_.play, name, *number));
    } catch (const RunTimeError& e) {
        txtTable_->setPlainText(e.description());
    }
}
