#include "adapter.h"

#include "appinfo.h"
#include "controltable.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QRandomGenerator>
#include <QResource>
#include <QString>
#include <QTime>

Adapter::Adapter()
    // The clock reseeds before every problem; this only keeps two runs started in the same
    // tick from posing the same problems.
    : m_generator(QRandomGenerator::global()->generate64())
{
    QApplication::setApplicationName(QString::fromUtf8(appinfo::kName));
    QApplication::setApplicationVersion(QString::fromUtf8(appinfo::kVersion));
    QApplication::setApplicationDisplayName(QString::fromUtf8(appinfo::kDisplayName));
    QApplication::setDesktopFileName(QString::fromUtf8(appinfo::kDesktopId));

    // The sizes a title bar and a task switcher use, as raw pixels: an image file would first
    // have Qt scan its image plugins, which costs more start-up time than all the rest of the
    // icon. The desktop takes the larger sizes from the installed icon theme.
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        const QByteArray pixels = QResource(QStringLiteral(":/icons/zornet-%1.rgba").arg(size)).uncompressedData();
        icon.addPixmap(QPixmap::fromImage(
            QImage(reinterpret_cast<const uchar *>(pixels.constData()), size, size, QImage::Format_RGBA8888)));
    }
    QApplication::setWindowIcon(icon);

    // The drill speaks Russian whatever the user's language, and so must Qt's own texts: the
    // text boxes' context menu and the buttons of the error report. The translation is compiled
    // in, so it is there wherever the program is copied.
    if (m_qtTranslations.load(QStringLiteral("qtbase_ru"), QStringLiteral(":/i18n")))
        QApplication::installTranslator(&m_qtTranslations);
}

float Adapter::TimeOfDay()
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

void Adapter::Reseed(float seed)
{
    m_generator.reseed(seed);
}

float Adapter::NextRandom()
{
    return m_generator.next();
}

std::u16string Adapter::DecimalSeparator() const
{
    const QString separator = QLocale().decimalPoint();
    return std::u16string(reinterpret_cast<const char16_t *>(separator.utf16()),
                          static_cast<std::size_t>(separator.size()));
}

void Adapter::reportError(const drill::RunTimeError &error, QWidget *window)
{
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(layout::kWindowTitle),
                    QStringLiteral("Ошибка выполнения %1.\n%2")
                        .arg(static_cast<int>(error.number()))
                        .arg(QString::fromUtf8(error.description())),
                    QMessageBox::Ok, window);
    const QPointer<QWidget> focus = QApplication::focusWidget();
    box.exec();
    // Hand the keyboard back to the box the pupil was in, even where no window manager
    // reactivates the window once the message closes.
    if (window) {
        window->activateWindow();
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
    }
}
