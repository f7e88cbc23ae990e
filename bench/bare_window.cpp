// The baseline of the start-up benchmark: a bare Qt Widgets program that
// shows an empty main window of the program's size and exits once the
// window stands idle, as `tablora --quit-when-ready` does.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1180, 820);
    window.show();
    QTimer::singleShot(0, &app, [] { QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); }); });
    return QApplication::exec();
}
