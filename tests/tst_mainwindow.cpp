#include "mainwindow.h"
#include "scriptedadapter.h"

#include <QFontInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void controlsFollowTheDrawing_data();
    void controlsFollowTheDrawing();
    void coloursFollowTheDrawing_data();
    void coloursFollowTheDrawing();
    void labelsLieUnderTheBoxesTheyOverlap();
    void resizingMovesNothing();
    void boxesHaveRussianAccessibleNames();
    void qtsOwnTextsAreRussian();
    void carriesTheProgramsNameVersionAndIcon();
    void startsWithAProblemAndEmptyAnswerAndTallies();
    void tabCyclesThroughTheControls();
    void typedTextStaysPut();
    void longPasteIsNotCut();
    void nextPosesANewProblemAndKeepsTheTallies();

    void checkCountsTheAnswer_data();
    void checkCountsTheAnswer();
    void errorIsReportedAndTheLessonGoesOn_data();
    void errorIsReportedAndTheLessonGoesOn();
    void errorReportIsAModalBoxThatGivesTheFocusBack();
    void lessonFromTheKeyboardAlone();
    void enterOnAFocusedButtonPressesThatButton();

private:
    [[nodiscard]] QLineEdit *box(const char *name) const;
    [[nodiscard]] QPushButton *button(const char *name) const;
    [[nodiscard]] QString text(const char *name) const { return box(name)->text(); }
    void type(const char *name, const QString &text) const;
    void press(const char *name) const;

    std::unique_ptr<ScriptedAdapter> m_adapter;
    std::unique_ptr<MainWindow> m_window;
};

void MainWindowTest::initTestCase()
{
    // Force the locale for the "," expected in written fractions.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void MainWindowTest::init()
{
    m_adapter = std::make_unique<ScriptedAdapter>();
    m_adapter->randoms = {0.6f, 0.7f}; // the first problem is 56 : 8
    m_window = std::make_unique<MainWindow>(*m_adapter);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void MainWindowTest::cleanup()
{
    m_window.reset();
    m_adapter.reset();
}

QLineEdit *MainWindowTest::box(const char *name) const
{
    auto *found = m_window->findChild<QLineEdit *>(QString::fromLatin1(name));
    Q_ASSERT(found);
    return found;
}

QPushButton *MainWindowTest::button(const char *name) const
{
    auto *found = m_window->findChild<QPushButton *>(QString::fromLatin1(name));
    Q_ASSERT(found);
    return found;
}

// As a pupil does it: click into the box, select what is there, type over it. keyClicks takes
// only Latin-1, so Cyrillic letters go as key events that carry their text.
void MainWindowTest::type(const char *name, const QString &text) const
{
    QLineEdit *target = box(name);
    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void MainWindowTest::press(const char *name) const
{
    QTest::mouseClick(button(name), Qt::LeftButton);
}

void MainWindowTest::controlsFollowTheDrawing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry"); // 15 twips to the pixel, edges rounded
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Label1") << "Label1" << "QLabel" << QRect(40, 16, 209, 33) << 13.8 << false << " Выполните зорнет";
    QTest::newRow("a1") << "a1" << "QLineEdit" << QRect(32, 56, 33, 33) << 16.2 << false << "56";
    QTest::newRow("Label3") << "Label3" << "QLabel" << QRect(64, 56, 33, 33) << 16.2 << true << ":";
    QTest::newRow("Label4") << "Label4" << "QLabel" << QRect(136, 56, 25, 33) << 16.2 << true << "=";
    QTest::newRow("b1") << "b1" << "QLineEdit" << QRect(96, 56, 33, 33) << 16.2 << false << "8";
    QTest::newRow("c1") << "c1" << "QLineEdit" << QRect(168, 56, 41, 33) << 16.2 << false << "";
    QTest::newRow("e") << "e" << "QLineEdit" << QRect(32, 184, 33, 33) << 16.2 << false << "";
    QTest::newRow("Command1") << "Command1" << "QPushButton" << QRect(88, 112, 97, 33) << 12.0 << false << "Проверить";
    QTest::newRow("Command2") << "Command2" << "QPushButton" << QRect(88, 232, 105, 33) << 12.0 << false << "Следующий";
    QTest::newRow("Label13") << "Label13" << "QLabel" << QRect(8, 288, 225, 25) << 10.2 << false << "Авторы: команда «Зорнет»";
    QTest::newRow("Label2") << "Label2" << "QLabel" << QRect(16, 160, 65, 33) << 13.8 << false << "Верно";
    QTest::newRow("f") << "f" << "QLineEdit" << QRect(216, 192, 33, 33) << 16.2 << false << "";
    QTest::newRow("Label5") << "Label5" << "QLabel" << QRect(184, 160, 89, 33) << 13.8 << false << "Не верно";
}

void MainWindowTest::controlsFollowTheDrawing()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QString, caption);

    QCOMPARE(m_window->windowTitle(), QStringLiteral("Зорнет"));
    QCOMPARE(m_window->size(), QSize(275, 313));

    QWidget *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().bold(), bold);
    QCOMPARE(control->font().italic() || control->font().underline() || control->font().strikeOut(), false);
    // Whatever the machine has, the face actually used must be Times New Roman or its
    // metric-compatible stand-in, not some other fallback.
    QVERIFY2(QStringList({"Times New Roman", "Liberation Serif"}).contains(QFontInfo(control->font()).family()),
             qPrintable(QFontInfo(control->font()).family()));

    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(label->alignment() & Qt::AlignHCenter);
    } else if (auto *lineEdit = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(lineEdit->text(), caption);
        QCOMPARE(lineEdit->alignment(), Qt::AlignCenter);
        QVERIFY(lineEdit->hasFrame());
        QVERIFY(!lineEdit->isReadOnly());
    } else {
        QCOMPARE(qobject_cast<QPushButton *>(control)->text(), caption);
    }
}

void MainWindowTest::coloursFollowTheDrawing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");

    const QColor lavender(192, 192, 255);
    QTest::newRow("window") << "" << lavender;
    QTest::newRow("Label1") << "Label1" << lavender;
    QTest::newRow("Label13") << "Label13" << lavender;
    QTest::newRow("right tally") << "e" << QColor(0, 128, 0);
    QTest::newRow("wrong tally") << "f" << QColor(255, 0, 0);
    QTest::newRow("answer") << "c1" << QPalette().color(QPalette::Base);
    QTest::newRow("check") << "Command1" << QColor(255, 192, 128);
    QTest::newRow("next") << "Command2" << QPalette().color(QPalette::Button);
}

void MainWindowTest::coloursFollowTheDrawing()
{
    QFETCH(QString, name);
    QFETCH(QColor, colour);

    QWidget *control = name.isEmpty() ? m_window.get() : m_window->findChild<QWidget *>(name);
    const QPalette::ColorRole role = qobject_cast<QLineEdit *>(control) ? QPalette::Base
                                     : qobject_cast<QPushButton *>(control) ? QPalette::Button
                                                                            : QPalette::Window;
    QCOMPARE(control->palette().color(role), colour);
    if (qobject_cast<QLabel *>(control))
        QVERIFY(control->autoFillBackground()); // opaque, in the window's colour

    // What is on screen, not only what is asked for: sample the middle of the left edge,
    // inside any frame and away from the text.
    if (qobject_cast<QLineEdit *>(control)) {
        const QImage image = control->grab().toImage();
        QCOMPARE(image.pixelColor(4, image.height() / 2), colour);
    }
}

void MainWindowTest::labelsLieUnderTheBoxesTheyOverlap()
{
    // ":" overlaps a1 and b1 by a pixel; "Верно" reaches into the top of e.
    QCOMPARE(m_window->childAt(64, 70)->objectName(), QStringLiteral("a1"));
    QCOMPARE(m_window->childAt(96, 70)->objectName(), QStringLiteral("b1"));
    QCOMPARE(m_window->childAt(80, 70)->objectName(), QStringLiteral("Label3"));
    QCOMPARE(m_window->childAt(48, 188)->objectName(), QStringLiteral("e"));
    QCOMPARE(m_window->childAt(48, 170)->objectName(), QStringLiteral("Label2"));
}

void MainWindowTest::resizingMovesNothing()
{
    QList<QRect> before;
    const QList<QWidget *> controls = m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (const QWidget *control : controls)
        before << control->geometry();

    for (const QSize size : {QSize(600, 500), QSize(120, 90)}) {
        m_window->resize(size);
        QTRY_COMPARE(m_window->size(), size);
        for (qsizetype i = 0; i < controls.size(); ++i)
            QCOMPARE(controls[i]->geometry(), before[i]);
    }
}

void MainWindowTest::boxesHaveRussianAccessibleNames()
{
    const std::pair<const char *, const char *> expected[] = {
        {"a1", "Делимое"}, {"b1", "Делитель"}, {"c1", "Ответ"}, {"e", "Верно"}, {"f", "Не верно"},
        {"Command1", "Проверить"}, {"Command2", "Следующий"},
    };
    for (const auto &[name, accessible] : expected)
        QCOMPARE(m_window->findChild<QWidget *>(QString::fromLatin1(name))->accessibleName(), QString::fromUtf8(accessible));
}

void MainWindowTest::qtsOwnTextsAreRussian()
{
    // The text boxes' context menu comes from Qt, not from us.
    const std::unique_ptr<QMenu> menu(box("c1")->createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text().section(u'\t', 0, 0);
    QVERIFY2(texts.contains(QStringLiteral("&Копировать")) && texts.contains(QStringLiteral("Выделить всё")),
             qPrintable(texts.join(u'|')));
}

void MainWindowTest::carriesTheProgramsNameVersionAndIcon()
{
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Зорнет"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
    QCOMPARE(QApplication::desktopFileName(), QStringLiteral("org.zornet.Zornet"));
    const QIcon icon = m_window->windowIcon();
    QVERIFY(!icon.isNull());
    for (const int size : {16, 32, 48})
        QCOMPARE(icon.pixmap(size).size(), QSize(size, size));
}

void MainWindowTest::startsWithAProblemAndEmptyAnswerAndTallies()
{
    QCOMPARE(text("a1"), QStringLiteral("56"));
    QCOMPARE(text("b1"), QStringLiteral("8"));
    QCOMPARE(text("c1"), QString());
    QCOMPARE(text("e"), QString());
    QCOMPARE(text("f"), QString());
    QCOMPARE(QApplication::focusWidget(), box("a1"));
    QVERIFY(m_adapter->reports.empty());
}

void MainWindowTest::tabCyclesThroughTheControls()
{
    QStringList visited;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{"b1", "c1", "e", "Command1", "Command2", "f", "a1"}));
}

void MainWindowTest::typedTextStaysPut()
{
    const std::pair<const char *, QString> typed[] = {
        {"a1", "сто"}, {"b1", "2,5"}, {"c1", "семь"}, {"e", "5x"}, {"f", " abc "},
    };
    for (const auto &[name, value] : typed)
        type(name, value);
    for (const auto &[name, value] : typed)
        QCOMPARE(text(name), value);
    QVERIFY(m_adapter->reports.empty());
}

void MainWindowTest::longPasteIsNotCut()
{
    const QString pasted(100000, u'7');
    box("c1")->selectAll();
    box("c1")->insert(pasted); // what a paste does, and it honours the length limit
    QCOMPARE(text("c1").size(), pasted.size());
}

void MainWindowTest::nextPosesANewProblemAndKeepsTheTallies()
{
    type("c1", "7");
    type("e", "4");
    type("f", "2");
    m_adapter->randoms = {0.0f, 0.99f};
    press("Command2");

    QCOMPARE(text("a1"), QStringLiteral("20"));
    QCOMPARE(text("b1"), QStringLiteral("10"));
    QCOMPARE(text("c1"), QStringLiteral("0"));
    QCOMPARE(text("e"), QStringLiteral("4"));
    QCOMPARE(text("f"), QStringLiteral("2"));
}

void MainWindowTest::checkCountsTheAnswer_data()
{
    QTest::addColumn<QString>("a1");
    QTest::addColumn<QString>("b1");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<QString>("rightAfter");
    QTest::addColumn<QString>("wrongAfter");

    QTest::newRow("right") << "56" << "8" << "7" << "" << "" << 1 << "7" << "1" << "";
    QTest::newRow("right, leading zero") << "56" << "8" << "07" << "" << "" << 1 << "7" << "1" << "";
    QTest::newRow("right, with a fraction") << "56" << "8" << "7.0" << "" << "" << 1 << "7" << "1" << "";
    QTest::newRow("right, trailing letters") << "56" << "8" << "7abc" << "" << "" << 1 << "7" << "1" << "";
    QTest::newRow("right, comma ends it") << "56" << "8" << "7,9" << "" << "" << 1 << "7" << "1" << "";
    QTest::newRow("right, leading blank") << "56" << "8" << " 7" << "" << "" << 1 << "7" << "1" << "";
    QTest::newRow("wrong") << "56" << "8" << "8" << "" << "" << 1 << "8" << "" << "1";
    QTest::newRow("wrong twice") << "56" << "8" << "8" << "" << "" << 2 << "8" << "" << "2";
    QTest::newRow("empty answer") << "56" << "8" << "" << "" << "" << 1 << "0" << "" << "1";
    QTest::newRow("zero answer") << "56" << "8" << "0" << "3" << "1" << 1 << "0" << "3" << "2";
    QTest::newRow("right twice counts twice") << "56" << "8" << "7" << "" << "" << 2 << "7" << "2" << "";
    QTest::newRow("tally of letters") << "56" << "8" << "7" << "abc" << "" << 1 << "7" << "1" << "";
    QTest::newRow("tally with letters") << "56" << "8" << "7" << "5x" << "" << 1 << "7" << "6" << "";
    QTest::newRow("tally with a fraction") << "56" << "8" << "9" << "" << "2.5" << 1 << "9" << "" << "3,5";
    QTest::newRow("problem edited by hand") << "63" << "9" << "7" << "" << "" << 1 << "7" << "1" << "";
    QTest::newRow("fractional quotient") << "7" << "2" << "3.5" << "" << "" << 1 << "3,5" << "1" << "";
    QTest::newRow("regional fraction in the problem") << "7,5" << "2,5" << "3" << "" << "" << 1 << "3" << "1" << "";
    QTest::newRow("negative") << "-56" << "8" << "-7" << "" << "" << 1 << "-7" << "1" << "";
}

void MainWindowTest::checkCountsTheAnswer()
{
    QFETCH(QString, a1);
    QFETCH(QString, b1);
    QFETCH(QString, answer);
    QFETCH(QString, right);
    QFETCH(QString, wrong);
    QFETCH(int, presses);
    QFETCH(QString, normalised);
    QFETCH(QString, rightAfter);
    QFETCH(QString, wrongAfter);

    type("a1", a1);
    type("b1", b1);
    type("c1", answer);
    type("e", right);
    type("f", wrong);
    for (int i = 0; i < presses; ++i)
        press("Command1");

    QCOMPARE(text("c1"), normalised);
    QCOMPARE(text("e"), rightAfter);
    QCOMPARE(text("f"), wrongAfter);
    QCOMPARE(text("a1"), a1); // the problem stays on screen
    QCOMPARE(text("b1"), b1);
    QVERIFY(m_adapter->reports.empty());
}

void MainWindowTest::errorIsReportedAndTheLessonGoesOn_data()
{
    QTest::addColumn<QString>("a1");
    QTest::addColumn<QString>("b1");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("answerAfter"); // the answer is normalised before the problem is read

    QTest::newRow("empty divisor") << "56" << "" << "7" << 13 << "7";
    QTest::newRow("zero divisor") << "56" << "0" << "7x" << 11 << "7";
    QTest::newRow("zero by zero") << "0" << "0" << "" << 5 << "0";
    QTest::newRow("letters in the dividend") << "пять" << "8" << "7" << 13 << "7";
    QTest::newRow("stop in the dividend") << "5.6" << "8" << "7" << 13 << "7";
    QTest::newRow("quotient too large") << "1e300" << "1e-300" << "7" << 6 << "7";
    QTest::newRow("answer too large") << "56" << "8" << "1e999" << 6 << "1e999";
}

void MainWindowTest::errorIsReportedAndTheLessonGoesOn()
{
    QFETCH(QString, a1);
    QFETCH(QString, b1);
    QFETCH(QString, answer);
    QFETCH(int, error);
    QFETCH(QString, answerAfter);

    type("a1", a1);
    type("b1", b1);
    type("c1", answer);
    type("e", "3");
    type("f", "4");
    press("Command1");

    QCOMPARE(m_adapter->reports.size(), std::size_t{1});
    QCOMPARE(m_adapter->reports.front().number, error);
    QVERIFY(!m_adapter->reports.front().description.isEmpty());
    QVERIFY(m_window->isVisible());
    QCOMPARE(text("a1"), a1);
    QCOMPARE(text("b1"), b1);
    QCOMPARE(text("c1"), answerAfter);
    QCOMPARE(text("e"), QStringLiteral("3"));
    QCOMPARE(text("f"), QStringLiteral("4"));

    // The pupil mends the problem and carries on.
    type("a1", "56");
    type("b1", "8");
    type("c1", "7");
    press("Command1");
    QCOMPARE(text("e"), QStringLiteral("4"));
    QCOMPARE(m_adapter->reports.size(), std::size_t{1});
}

void MainWindowTest::errorReportIsAModalBoxThatGivesTheFocusBack()
{
    type("b1", "0");
    QCOMPARE(QApplication::focusWidget(), box("b1"));
    m_adapter->showReports = true;

    QString title, message;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            message = box->text();
            box->accept();
        }
    });
    closer.start(10);
    QTest::keyClick(box("b1"), Qt::Key_Return); // returns once the box is closed
    closer.stop();

    QCOMPARE(title, QStringLiteral("Зорнет"));
    QVERIFY2(message.contains(QStringLiteral("11")) && message.contains(QStringLiteral("Деление на ноль")),
             qPrintable(message));
    QTRY_COMPARE(QApplication::focusWidget(), box("b1"));
    QVERIFY(m_window->isVisible());
}

void MainWindowTest::lessonFromTheKeyboardAlone()
{
    // Focus starts in a1; Tab twice reaches the answer.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box("c1"));
    QTest::keyClicks(box("c1"), "7");
    QTest::keyClick(box("c1"), Qt::Key_Return);
    QCOMPARE(text("e"), QStringLiteral("1"));

    QTest::keyClick(box("c1"), Qt::Key_Backspace);
    QTest::keyClicks(box("c1"), "6");
    QTest::keyClick(box("c1"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(text("f"), QStringLiteral("1"));

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button("Command2"));
    m_adapter->randoms = {0.0f, 0.0f};
    QTest::keyClick(button("Command2"), Qt::Key_Space);
    QCOMPARE(text("a1"), QStringLiteral("4"));
    QCOMPARE(text("b1"), QStringLiteral("2"));
    QCOMPARE(text("c1"), QStringLiteral("0"));
    QCOMPARE(text("e"), QStringLiteral("1"));
    QCOMPARE(text("f"), QStringLiteral("1"));
}

void MainWindowTest::enterOnAFocusedButtonPressesThatButton()
{
    type("c1", "7");
    button("Command2")->setFocus();
    m_adapter->randoms = {0.0f, 0.0f};
    QTest::keyClick(button("Command2"), Qt::Key_Return);
    QCOMPARE(text("c1"), QStringLiteral("0")); // «Следующий», not «Проверить»
    QCOMPARE(text("e"), QString());
    QCOMPARE(text("f"), QString());

    button("Command1")->setFocus();
    QTest::keyClick(button("Command1"), Qt::Key_Space);
    QCOMPARE(text("f"), QStringLiteral("1"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
