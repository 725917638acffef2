#pragma once

#include "form.h"
#include "handlers.h"

#include <QString>
#include <QWidget>

#include <string_view>
#include <utility>
#include <vector>

class Adapter;
class QPushButton;

// The drill's only window. It builds its controls from the layout table, hands their texts to
// the handlers by name, and is the one place where a handler's run-time error is caught and
// reported, so that an error never closes the window or loses the tallies.
class MainWindow : public QWidget, private drill::Form
{
    Q_OBJECT

public:
    explicit MainWindow(Adapter &adapter, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    [[nodiscard]] std::u16string_view Text(std::string_view control) const override;
    void SetText(std::string_view control, std::u16string_view text) override;

    void buildControls();
    void wireEvents();
    [[nodiscard]] QWidget *control(std::string_view name) const;
    [[nodiscard]] QPushButton *button(std::string_view name) const;
    void dispatch(void (drill::Handlers::*handler)());

    Adapter &m_adapter;
    drill::Handlers m_handlers;
    std::vector<std::pair<std::string_view, QWidget *>> m_controls;
    mutable QString m_lent; // keeps the text that Text() lends alive; sharing it copies nothing
};
