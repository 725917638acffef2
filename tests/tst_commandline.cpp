#include "commandline.h"

#include <QTest>

#include <vector>

class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shouldAnswerOrStart_data();
    void shouldAnswerOrStart();
};

void CommandLineTest::shouldAnswerOrStart_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status"); // -1: the drill starts
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QString version = QStringLiteral("Зорнет 1.00\n");
    const QString usage = QStringLiteral("Использование: zornet [ПАРАМЕТР]");
    const QString unknown = QStringLiteral("zornet: неизвестный параметр «%1»\nПодробнее: zornet --help\n");

    QTest::newRow("nothing") << QStringList{} << -1 << "" << "";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << "";
    QTest::newRow("-v") << QStringList{"-v"} << 0 << version << "";
    QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << "";
    QTest::newRow("-h after a Qt option") << QStringList{"-style", "fusion", "-h"} << 0 << usage << "";
    QTest::newRow("Qt's options") << QStringList{"-platform", "offscreen", "--style=fusion", "-reverse"} << -1 << "" << "";
    QTest::newRow("a Qt option's value is not ours") << QStringList{"-qwindowtitle", "--help"} << -1 << "" << "";
    QTest::newRow("a value with nothing after it") << QStringList{"-platform"} << -1 << "" << "";
    QTest::newRow("unknown long") << QStringList{"--bogus"} << 2 << "" << unknown.arg("--bogus");
    QTest::newRow("unknown after Qt's") << QStringList{"-platform", "xcb", "-x"} << 2 << "" << unknown.arg("-x");
    QTest::newRow("a flag with a value") << QStringList{"-reverse=yes"} << 2 << "" << unknown.arg("-reverse=yes");
    QTest::newRow("a file") << QStringList{"lesson.txt"} << 2 << ""
                            << "zornet: лишний аргумент «lesson.txt»: программа не открывает файлов\n"
                               "Подробнее: zornet --help\n";
}

void CommandLineTest::shouldAnswerOrStart()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    std::vector<QByteArray> storage{"zornet"};
    for (const QString &arg : args)
        storage.push_back(arg.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &arg : storage)
        argv.push_back(arg.data());

    const auto answer = commandline::answer(argv);
    QCOMPARE(answer.has_value(), status != -1);
    if (!answer)
        return;
    QCOMPARE(answer->status, status);
    QVERIFY2(QString::fromStdString(answer->out).startsWith(out), answer->out.c_str());
    QCOMPARE(QString::fromStdString(answer->err), err);
    if (status == 0)
        QVERIFY(answer->err.empty());
}

QTEST_APPLESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
