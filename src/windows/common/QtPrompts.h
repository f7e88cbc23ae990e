#pragma once

#include "engine/Prompts.h"

#include <QPointer>
#include <QWidget>

// The program's questions as Qt message boxes, input boxes and file
// dialogs, over the window given (or the active one).
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer message(const QString& text, Icon icon, Buttons buttons, const QString& title = QString()) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& proposed) override;
    std::optional<QString> openFile(const FileDialog& dialog) override;
    std::optional<QString> saveFile(const FileDialog& dialog) override;
    std::optional<QString> browseFolder(const QString& title, const QString& initialFolder) override;

    // "Desc (*.tb0)|*.tb0|Desc (*.tb1)|*.tb1" as Qt's name filters.
    static QString qtFilter(const QString& filter);

private:
    std::optional<QString> fileDialog(const FileDialog& dialog, bool save);

    QPointer<QWidget> parent_;
};
