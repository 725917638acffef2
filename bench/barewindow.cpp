// The yardstick for start-up: the least a Qt Widgets program can do to show a window.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.show();
    return app.exec();
}
