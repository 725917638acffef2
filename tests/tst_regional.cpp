#include "mainwindow.h"
#include "scriptedadapter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The user's regional settings reach the drill: a tally with a fraction is written back with the
// system's decimal separator. CTest runs this under several locales, each time naming the
// separator that locale must give, so the test itself sets no locale.
class RegionalTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fractionsFollowTheRegionalSeparator();
};

void RegionalTest::fractionsFollowTheRegionalSeparator()
{
    const QString separator = qEnvironmentVariable("ZORNET_EXPECTED_SEPARATOR");
    QVERIFY2(!separator.isEmpty(), "CTest names the expected separator in ZORNET_EXPECTED_SEPARATOR");

    ScriptedAdapter adapter;
    adapter.randoms = {0.6f, 0.7f}; // 56 : 8
    MainWindow window(adapter);
    window.show();
    auto *wrong = window.findChild<QLineEdit *>(QStringLiteral("f"));
    wrong->setText(QStringLiteral("2.5"));
    window.findChild<QLineEdit *>(QStringLiteral("c1"))->setText(QStringLiteral("8"));
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);

    QCOMPARE(wrong->text(), QStringLiteral("3") + separator + QStringLiteral("5"));
}

QTEST_MAIN(RegionalTest)
#include "tst_regional.moc"
