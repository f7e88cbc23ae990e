#include "windows/common/HelpWindow.h"

#include "help/GameRules.h"
#include "rules/RunTimeError.h"
#include "windows/common/Guard.h"
#include "windows/common/ScreenFit.h"

#include <QHBoxLayout>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char* const kStyleSheet = R"(
body { color: #202020; }
h1 { color: #1d5a2e; font-size: x-large; margin-bottom: 4px; }
h2 { color: #1d5a2e; font-size: large; margin-top: 14px; margin-bottom: 4px; }
a { color: #1a4f9c; }
p.nav { margin-top: 0px; margin-bottom: 6px; }
ul { margin-top: 0px; }
li { margin-bottom: 3px; }
table.games { margin-bottom: 10px; }
td { padding: 2px 8px 2px 0px; }
)";

// "rules:31" -> 31; 0 when the topic names no game.
int16_t gameOf(const QString& topic)
{
    const QUrl url(topic);
    if (url.scheme() != QLatin1String("rules"))
        return 0;
    bool ok = false;
    const int id = url.path().toInt(&ok);
    return ok && id > 0 && id <= INT16_MAX ? static_cast<int16_t>(id) : int16_t{0};
}

} // namespace

HelpWindow::HelpWindow(Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), txtHelp_(new QTextBrowser(this)),
      cmdBack_(new QPushButton(tr("&Back"), this)), cmdForward_(new QPushButton(tr("&Forward"), this)),
      cmdContents_(new QPushButton(tr("&Contents"), this)), cmdClose_(new QPushButton(tr("Close"), this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(GameRules::productName() + tr(" Help"));
    screenFit::resizeWithin(*this, QSize(640, 560));

    cmdBack_->setObjectName(QStringLiteral("cmdBack"));
    cmdForward_->setObjectName(QStringLiteral("cmdForward"));
    cmdContents_->setObjectName(QStringLiteral("cmdContents"));
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdBack_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    cmdForward_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    cmdContents_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    for (QPushButton* button : {cmdBack_, cmdForward_, cmdContents_, cmdClose_})
        button->setAutoDefault(false);
    cmdClose_->setMinimumWidth(96);

    txtHelp_->setObjectName(QStringLiteral("txtHelp"));
    txtHelp_->setOpenLinks(false);
    txtHelp_->document()->setDefaultStyleSheet(QString::fromLatin1(kStyleSheet));
    txtHelp_->document()->setDocumentMargin(14);
    // The page keeps its own light paper whatever the desktop's theme, so
    // its dark text stays readable on a dark theme too.
    QPalette page = txtHelp_->palette();
    page.setColor(QPalette::Base, QColor(0xff, 0xff, 0xfc));
    page.setColor(QPalette::Text, QColor(0x20, 0x20, 0x20));
    txtHelp_->setPalette(page);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack_);
    buttons->addWidget(cmdForward_);
    buttons->addWidget(cmdContents_);
    buttons->addStretch();
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(buttons);
    layout->addWidget(txtHelp_);
    layout->addLayout(closing);

    guard::connect(services_, txtHelp_, &QTextBrowser::anchorClicked, this,
                   [this](const QUrl& link) { openLink(link); });
    guard::connect(services_, cmdBack_, &QPushButton::clicked, this, [this] { step(-1); });
    guard::connect(services_, cmdForward_, &QPushButton::clicked, this, [this] { step(1); });
    guard::connect(services_, cmdContents_, &QPushButton::clicked, this,
                   [this] { showTopic(GameRules::contentsLink(), true); });
    guard::connect(services_, cmdClose_, &QPushButton::clicked, this, [this] { close(); });
    // The keyboard closes it too, wherever the focus is in the window.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        guard::connect(services_, shortcut, &QShortcut::activated, this, [this] { close(); });
    }

    showTopic(GameRules::contentsLink(), true);
}

void HelpWindow::showContents()
{
    showTopic(GameRules::contentsLink(), true);
    bringUp();
}

void HelpWindow::showRules(int16_t gameId)
{
    showTopic(GameRules::rulesLink(gameId), true);
    bringUp();
}

void HelpWindow::closeAll() { close(); }

QString HelpWindow::currentTopic() const { return visited_.empty() ? QString() : visited_[current_]; }

void HelpWindow::openLink(const QUrl& link)
{
    const QString scheme = link.scheme();
    // Only the help's own topics are followed; the pages link nowhere else.
    if (scheme == QLatin1String("contents") || scheme == QLatin1String("rules"))
        showTopic(link.toString(), true);
}

void HelpWindow::showTopic(const QString& topic, bool remember)
{
    QString shown = GameRules::contentsLink();
    QString html;
    QString title = GameRules::productName() + tr(" Help");
    if (const int16_t id = gameOf(topic); id > 0) {
        try {
            html = GameRules::rulesHtml(id);
            title += QStringLiteral(" - ") + GameRules::rulesTitle(id);
            shown = GameRules::rulesLink(id);
        } catch (const RunTimeError&) {
            // Not a game of the catalogue: the contents are the best help.
            html.clear();
        }
    }
    if (html.isEmpty())
        html = GameRules::contentsHtml();

    txtHelp_->setHtml(html);
    setWindowTitle(title);
    if (remember && (visited_.empty() || visited_[current_] != shown)) {
        if (!visited_.empty())
            visited_.resize(current_ + 1);
        visited_.push_back(shown);
        current_ = visited_.size() - 1;
    }
    updateButtons();
}

void HelpWindow::step(int by)
{
    const auto target = static_cast<long>(current_) + by;
    if (target < 0 || target >= static_cast<long>(visited_.size()))
        return;
    current_ = static_cast<size_t>(target);
    showTopic(visited_[current_], false);
}

void HelpWindow::bringUp()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void HelpWindow::updateButtons()
{
    cmdBack_->setEnabled(current_ > 0);
    cmdForward_->setEnabled(current_ + 1 < visited_.size());
    cmdContents_->setEnabled(currentTopic() != GameRules::contentsLink());
}
