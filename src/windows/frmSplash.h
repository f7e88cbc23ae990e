#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

class CardPictures;
class QLabel;

// The splash window: the title picture and the version, until a key, a click
// or two seconds pass; then the main window is shown.
class Services;

class frmSplash final : public QWidget {
    Q_OBJECT
public:
    // whenClosed runs inside the guard of the services.
    frmSplash(Services& services, CardPictures& pictures, const QString& version, std::function<void()> whenClosed,
              QWidget* parent = nullptr);

    void UnloadSplash();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Services& services_;
    QTimer Timer1;
    std::function<void()> whenClosed_;
    bool closed_ = false;
};
