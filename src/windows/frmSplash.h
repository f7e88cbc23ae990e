#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

class CardPictures;
class QLabel;

// The splash window: the title picture and the version, until a key, a click
// or two seconds pass; then the main window is shown.
class frmSplash final : public QWidget {
    Q_OBJECT
public:
    frmSplash(CardPictures& pictures, const QString& version, std::function<void()> whenClosed,
              QWidget* parent = nullptr);

    void UnloadSplash();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTimer Timer1;
    std::function<void()> whenClosed_;
    bool closed_ = false;
};
