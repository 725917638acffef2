#include "adapter.h"
#include "commandline.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const auto answer = commandline::answer({argv, static_cast<std::size_t>(argc)}))
        return commandline::print(*answer);
    QApplication app(argc, argv);
    Adapter adapter;
    MainWindow window(adapter);
    window.show();
    return app.exec();
}
