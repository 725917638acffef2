#include "mainwindow.h"

#include "adapter.h"
#include "controltable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringView>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <limits>
#include <new>

namespace {

QColor colour(layout::Colour rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QFont controlFont(const layout::Control &row)
{
    QStringList families;
    for (const char *family : layout::kFontFamilies)
        families << QString::fromUtf8(family);
    QFont font(families);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(row.points);
    font.setWeight(row.bold ? QFont::Bold : QFont::Normal);
    return font;
}

QWidget *createControl(const layout::Control &row, QWidget *parent)
{
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case layout::Kind::Label: {
        auto *label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setAutoFillBackground(true);
        label->setFocusPolicy(Qt::NoFocus);
        return label;
    }
    case layout::Kind::TextBox: {
        auto *box = new QLineEdit(text, parent);
        box->setAlignment(Qt::AlignCenter);
        // QLineEdit would otherwise cut a pasted text at 32767 characters without a word.
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case layout::Kind::Button: {
        auto *button = new QPushButton(text, parent);
        // Enter on a focused button presses that button rather than «Проверить».
        button->setAutoDefault(true);
        return button;
    }
    }
    return nullptr;
}

void applyFill(QWidget *widget, const layout::Control &row)
{
    const QPalette::ColorRole role = row.kind == layout::Kind::TextBox ? QPalette::Base
                                     : row.kind == layout::Kind::Button ? QPalette::Button
                                                                        : QPalette::Window;
    if (row.fill == layout::Fill::Rgb) {
        QPalette palette = widget->palette();
        palette.setColor(role, colour(row.rgb));
        widget->setPalette(palette);
    }
}

} // namespace

MainWindow::MainWindow(Adapter &adapter, QWidget *parent)
    : QWidget(parent)
    , m_adapter(adapter)
    , m_handlers(*this, adapter)
{
    setWindowTitle(QString::fromUtf8(layout::kWindowTitle));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour(layout::kWindowColour));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(layout::pixels(layout::kClientWidthTwips), layout::pixels(layout::kClientHeightTwips));

    buildControls();
    wireEvents();
    dispatch(&drill::Handlers::Form_Load);
}

void MainWindow::buildControls()
{
    std::vector<std::pair<int, QWidget *>> focusable;
    for (const layout::Control &row : layout::controls()) {
        QWidget *widget = createControl(row, this);
        widget->setObjectName(QString::fromUtf8(row.name));
        const layout::Rect rect = row.pixelRect();
        widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
        widget->setFont(controlFont(row));
        applyFill(widget, row);
        if (row.accessibleName)
            widget->setAccessibleName(QString::fromUtf8(row.accessibleName));
        if (row.takesFocus())
            focusable.emplace_back(row.tabIndex, widget);
        else
            widget->lower(); // text boxes and buttons are drawn over the labels they overlap
        m_controls.emplace_back(row.name, widget);
    }

    std::ranges::sort(focusable, {}, &std::pair<int, QWidget *>::first);
    for (std::size_t i = 1; i < focusable.size(); ++i)
        setTabOrder(focusable[i - 1].second, focusable[i].second);
    focusable.front().second->setFocus();

    // Styles that draw buttons natively ignore the palette; Fusion honours it, so the orange
    // face of «Проверить» looks the same everywhere. Parented after the buttons, it outlives them.
    if (style()->name() != QLatin1String("fusion")) {
        QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
        fusion->setParent(this);
        button("Command1")->setStyle(fusion);
    }
    button("Command1")->setDefault(true);
}

void MainWindow::wireEvents()
{
    connect(button("Command1"), &QPushButton::clicked, this,
            [this] { dispatch(&drill::Handlers::Command1_Click); });
    connect(button("Command2"), &QPushButton::clicked, this,
            [this] { dispatch(&drill::Handlers::Command2_Click); });
}

QWidget *MainWindow::control(std::string_view name) const
{
    const auto found = std::ranges::find(m_controls, name, &std::pair<std::string_view, QWidget *>::first);
    return found == m_controls.end() ? nullptr : found->second;
}

QPushButton *MainWindow::button(std::string_view name) const
{
    return qobject_cast<QPushButton *>(control(name));
}

void MainWindow::dispatch(void (drill::Handlers::*handler)())
{
    try {
        (m_handlers.*handler)();
    } catch (const drill::RunTimeError &error) {
        m_adapter.reportError(error, this);
    } catch (const std::bad_alloc &) {
        m_adapter.reportError(drill::RunTimeError(drill::ErrorNumber::OutOfMemory), this);
    }
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere in the window presses «Проверить», as a dialog's default button does. Text
    // boxes pass Enter on to us; a focused button takes it itself.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        button("Command1")->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

std::u16string_view MainWindow::Text(std::string_view name) const
{
    QWidget *widget = control(name);
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        m_lent = box->text();
    else if (auto *label = qobject_cast<QLabel *>(widget))
        m_lent = label->text();
    else if (auto *button = qobject_cast<QPushButton *>(widget))
        m_lent = button->text();
    else
        throw drill::RunTimeError(drill::ErrorNumber::ControlAccess);
    return std::u16string_view(reinterpret_cast<const char16_t *>(m_lent.utf16()), static_cast<std::size_t>(m_lent.size()));
}

void MainWindow::SetText(std::string_view name, std::u16string_view text)
{
    const QString value = QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
    QWidget *widget = control(name);
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        box->setText(value);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(value);
    else if (auto *button = qobject_cast<QPushButton *>(widget))
        button->setText(value);
    else
        throw drill::RunTimeError(drill::ErrorNumber::ControlAccess);
}
