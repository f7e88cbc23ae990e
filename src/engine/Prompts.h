#pragma once

#include <QString>

#include <optional>

// Every question and message the program puts to the player, and the file
// and folder choosers. The program's windows answer through Qt; tests answer
// through a fake, so nothing in the core shows anything itself.
class Prompts {
public:
    enum class Icon { Information, Question, Exclamation, Stop };
    // YesNoDefaultNo: a question whose Yes loses something (overwriting a
    // file), so that Enter answers No.
    enum class Buttons { Ok, YesNo, YesNoDefaultNo };
    enum class Answer { Ok, Yes, No };

    // A file chooser. `filter` pairs descriptions and patterns separated by
    // "|": "Tablora 6.0 InComplete Game (*.tb0)|*.tb0|...".
    struct FileDialog {
        QString title;
        QString filter;
        QString initialFolder;
        QString fileName;
        QString defaultExtension;
        bool confirmOverwrite = false;
    };

    virtual ~Prompts() = default;
    // An empty title means the program's own name.
    virtual Answer message(const QString& text, Icon icon, Buttons buttons, const QString& title = QString()) = 0;
    // Nothing when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title, const QString& proposed) = 0;
    virtual std::optional<QString> openFile(const FileDialog& dialog) = 0;
    virtual std::optional<QString> saveFile(const FileDialog& dialog) = 0;
    virtual std::optional<QString> browseFolder(const QString& title, const QString& initialFolder) = 0;
};

// No one to ask: questions are answered No and choosers cancelled.
class NoPrompts final : public Prompts {
public:
    Answer message(const QString&, Icon, Buttons buttons, const QString&) override
    {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> openFile(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> browseFolder(const QString&, const QString&) override { return std::nullopt; }
};
