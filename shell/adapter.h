#pragma once

#include "generator.h"
#include "runtimeerror.h"
#include "services.h"

#include <QTranslator>

class QWidget;

// The platform as the drill needs it: the clock, the generator, the regional decimal separator,
// and the report of a run-time error. Tests derive from it to script the clock and the
// generator and to record reports instead of showing a modal box.
class Adapter : public drill::Services
{
public:
    Adapter();

    [[nodiscard]] float TimeOfDay() override;
    void Reseed(float seed) override;
    [[nodiscard]] float NextRandom() override;
    [[nodiscard]] std::u16string DecimalSeparator() const override;

    // Shows the error in a modal box over `window`; the lesson goes on once it is closed.
    virtual void reportError(const drill::RunTimeError &error, QWidget *window);

private:
    drill::Generator m_generator;
    QTranslator m_qtTranslations;
};
