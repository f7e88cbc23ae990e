#include "windows/common/QtPrompts.h"

#include "data/cData.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QWidget* owner(QWidget* parent) { return parent != nullptr ? parent : QApplication::activeWindow(); }
} // namespace

Prompts::Answer QtPrompts::message(const QString& text, Icon icon, Buttons buttons, const QString& title)
{
    QMessageBox box(owner(parent_));
    box.setWindowTitle(title.isEmpty() ? cData::longProductName() : title);
    box.setText(text);
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Stop: box.setIcon(QMessageBox::Critical); break;
    }
    if (buttons != Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == Buttons::YesNoDefaultNo ? QMessageBox::No : QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

std::optional<QString> QtPrompts::input(const QString& prompt, const QString& title, const QString& proposed)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(parent_), title.isEmpty() ? cData::longProductName() : title,
                                               prompt, QLineEdit::Normal, proposed, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtPrompts::qtFilter(const QString& filter)
{
    // Descriptions and patterns alternate; Qt reads the patterns from the
    // description's parentheses, and adds them when it has none.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        filters << (description.contains(QLatin1Char('(')) ? description
                                                           : description + QLatin1String(" (") + pattern + ')');
    }
    return filters.join(QLatin1String(";;"));
}

std::optional<QString> QtPrompts::fileDialog(const FileDialog& d, bool save)
{
    QFileDialog dialog(owner(parent_), d.title, d.initialFolder, qtFilter(d.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!d.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(d.defaultExtension.startsWith(QLatin1Char('.')) ? d.defaultExtension.mid(1)
                                                                                : d.defaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.confirmOverwrite);
    if (!d.fileName.isEmpty())
        dialog.selectFile(d.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtPrompts::openFile(const FileDialog& dialog) { return fileDialog(dialog, false); }

std::optional<QString> QtPrompts::saveFile(const FileDialog& dialog) { return fileDialog(dialog, true); }

std::optional<QString> QtPrompts::browseFolder(const QString& title, const QString& initialFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(owner(parent_), title, initialFolder);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}
