#pragma once

#include "form.h"
#include "services.h"

namespace drill {

// The drill itself: one routine for each wired event. The whole state lives in the texts of the
// form's boxes, so each handler reads what it needs afresh and writes its result back. A failing
// step throws RunTimeError and leaves the texts written so far in place.
class Handlers
{
public:
    Handlers(Form &form, Services &services) noexcept
        : m_form(form)
        , m_services(services)
    {
    }

    void Form_Load();      // the window opens: the first problem
    void Command1_Click(); // «Проверить»: judge the answer and count it
    void Command2_Click(); // «Следующий»: clear the answer to 0 and pose a new problem
    void NewProblem();     // draw a quotient and a divisor, write divisor and dividend

private:
    void ReseedFromClock();

    Form &m_form;
    Services &m_services;
};

} // namespace drill
