#include "adapter.h"

#include "controltable.h"

#include <QLocale>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QString>
#include <QTime>

Adapter::Adapter()
    // The clock reseeds before every problem; this only keeps two runs started in the same
    // tick from posing the same problems.
    : m_generator(QRandomGenerator::global()->generate64())
{
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
    box.exec();
}
