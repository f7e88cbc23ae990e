#pragma once

#include "engine/HelpViewer.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class Services;

class QPushButton;
class QTextBrowser;
class QUrl;

// The program's help window: the contents page and the rules of each game,
// written by GameRules and shown in a text browser. Links between topics
// ("contents:", "rules:ID") are followed inside the window, with Back and
// Forward through the topics seen. The window stays open beside the table
// until the player closes it ("Close", Esc or Ctrl+W) or the program ends.
class HelpWindow final : public QWidget, public HelpViewer {
    Q_OBJECT

public:
    // Links and buttons run inside the guard of the services.
    explicit HelpWindow(Services& services, QWidget* parent = nullptr);

    void showContents() override;
    // An id outside the catalogue shows the contents instead.
    void showRules(int16_t gameId) override;
    void closeAll() override;

    // The topic on show: "contents:" or "rules:ID".
    QString currentTopic() const;

private:
    void openLink(const QUrl& link);
    // Shows the topic and, when `remember` is set, makes it the newest entry
    // of the Back list (dropping the Forward entries).
    void showTopic(const QString& topic, bool remember);
    void step(int by);
    void bringUp();
    void updateButtons();

    Services& services_;
    QTextBrowser* txtHelp_;
    QPushButton* cmdBack_;
    QPushButton* cmdForward_;
    QPushButton* cmdContents_;
    QPushButton* cmdClose_;
    std::vector<QString> visited_;
    size_t current_ = 0;
};

// The help window made when the player first asks for help, so that the
// program's start does not wait for a window that may never be opened.
class LazyHelpViewer final : public HelpViewer {
public:
    explicit LazyHelpViewer(Services& services) : services_(services) {}

    void showContents() override { window().showContents(); }
    void showRules(int16_t gameId) override { window().showRules(gameId); }
    void closeAll() override
    {
        if (window_)
            window_->closeAll();
    }

private:
    HelpWindow& window()
    {
        if (!window_)
            window_ = std::make_unique<HelpWindow>(services_);
        return *window_;
    }

    Services& services_;
    std::unique_ptr<HelpWindow> window_;
};
