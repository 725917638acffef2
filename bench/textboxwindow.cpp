// A second yardstick for start-up: the bare window with one text box. The first text box is
// what makes Qt start its font system (fontconfig) before the window maps, so this shows how
// much of the program's start-up any window that takes typed text must pay.
#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("text box"));
    auto *box = new QLineEdit(&window);
    box->setGeometry(32, 56, 33, 33);
    window.show();
    return app.exec();
}
