#include "adapter.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Adapter adapter;
    MainWindow window(adapter);
    window.show();
    return app.exec();
}
