#pragma once

#include "engine/Prompts.h"

#include <QStringList>

#include <deque>
#include <functional>

// Answers the program's questions from a script and remembers what it was
// asked.
class FakePrompts final : public Prompts {
public:
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QString>> files;
    QStringList messages;
    QStringList titles;
    std::vector<Buttons> buttons;
    std::vector<FileDialog> dialogs;
    // Runs while a message waits for its answer: a player who takes their
    // time, with the program's timers going on meanwhile.
    std::function<void(const QString&)> whileAsked;

    Answer message(const QString& text, Icon, Buttons offered, const QString& title) override
    {
        messages << text;
        titles << title;
        buttons.push_back(offered);
        if (whileAsked)
            whileAsked(text);
        if (answers.empty())
            return offered == Buttons::Ok ? Answer::Ok : Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return next(inputs); }
    std::optional<QString> openFile(const FileDialog& d) override
    {
        dialogs.push_back(d);
        return next(files);
    }
    std::optional<QString> saveFile(const FileDialog& d) override
    {
        dialogs.push_back(d);
        return next(files);
    }
    std::optional<QString> browseFolder(const QString&, const QString&) override { return next(files); }

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto v = queue.front();
        queue.pop_front();
        return v;
    }
};
