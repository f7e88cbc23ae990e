#include "windows/frmAbout.h"

#include "help/GameRules.h"
#include "rules/mKlondike.h"
#include "session/Shared.h"
#include "windows/common/Guard.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace {

// A fan of four cards, one of each suit, on a piece of table felt.
class CardFan final : public QWidget {
public:
    explicit CardFan(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("picFan"));
        setFixedSize(170, 170);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);

        QLinearGradient felt(0, 0, 0, height());
        felt.setColorAt(0, QColor(0x2f, 0x8a, 0x47));
        felt.setColorAt(1, QColor(0x17, 0x5c, 0x2c));
        p.setPen(QPen(QColor(0x0f, 0x3d, 0x1d), 2));
        p.setBrush(felt);
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 14, 14);

        struct Face {
            const char* rank;
            QChar suit;
            bool red;
        };
        const std::array<Face, 4> faces{{{"A", QChar(0x2660), false},
                                         {"K", QChar(0x2665), true},
                                         {"Q", QChar(0x2663), false},
                                         {"J", QChar(0x2666), true}}};
        const QSizeF card(64, 88);
        const QPointF pivot(width() / 2.0, height() - 22.0);
        for (size_t i = 0; i < faces.size(); ++i) {
            p.save();
            p.translate(pivot);
            p.rotate(-30.0 + 20.0 * static_cast<double>(i));
            drawCard(p, QRectF(QPointF(-card.width() / 2, -card.height() - 18), card), faces[i].rank, faces[i].suit,
                     faces[i].red);
            p.restore();
        }
    }

private:
    static void drawCard(QPainter& p, const QRectF& r, const char* rank, QChar suit, bool red)
    {
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(r, 6, 6);

        const QColor ink = red ? QColor(0xc0, 0x1c, 0x1c) : QColor(0x1a, 0x1a, 0x1a);
        p.setPen(ink);
        QFont corner(QStringLiteral("DejaVu Sans"));
        corner.setPixelSize(13);
        corner.setBold(true);
        p.setFont(corner);
        const QRectF cornerBox(r.left() + 4, r.top() + 3, 16, 30);
        p.drawText(cornerBox, Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(rank) + QLatin1Char('\n') + suit);

        QFont pip(QStringLiteral("DejaVu Sans"));
        pip.setPixelSize(34);
        p.setFont(pip);
        p.drawText(r.adjusted(8, 14, 0, 0), Qt::AlignCenter, QString(suit));
    }
};

} // namespace

frmAbout::frmAbout(Shared& shared, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About %1").arg(GameRules::productName()));
    setModal(true);

    auto* lblName = new QLabel(GameRules::productName(), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont nameFont = lblName->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.8);
    nameFont.setBold(true);
    lblName->setFont(nameFont);

    auto* lblVersion = new QLabel(tr("Version 6.0"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblGames = new QLabel(tr("%1 patience games of the Klondike family").arg(mKlondike::GameList().size()), this);
    lblGames->setObjectName(QStringLiteral("lblGames"));
    lblGames->setWordWrap(true);
    auto* lblMaker = new QLabel(tr("Quellix Technologies"), this);
    lblMaker->setObjectName(QStringLiteral("lblMaker"));
    // Quieter than the name, but in the theme's own text colour: a disabled
    // grey is hard to read on many themes.
    QFont makerFont = lblMaker->font();
    makerFont.setItalic(true);
    lblMaker->setFont(makerFont);
    lblMaker->setForegroundRole(QPalette::WindowText);

    auto* text = new QVBoxLayout;
    text->addStretch();
    text->addWidget(lblName);
    text->addWidget(lblVersion);
    text->addSpacing(10);
    text->addWidget(lblGames);
    text->addSpacing(10);
    text->addWidget(lblMaker);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(new CardFan(this));
    top->addLayout(text, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(88);
    guard::connect(shared.services, cmdOK, &QPushButton::clicked, this, [this] { accept(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(440, 0)));

    shared.services.sounds().raise(SoundEvent::About);
}
