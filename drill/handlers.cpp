#include "handlers.h"

#include "numbertext.h"
#include "runtimeerror.h"

#include <cmath>

namespace drill {

namespace {

// Division with the faults a pupil can provoke by editing the problem: a divisor of 0, 0 by 0,
// and a quotient beyond the double range.
double Quotient(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw RunTimeError(dividend == 0.0 ? ErrorNumber::InvalidOperation : ErrorNumber::DivisionByZero);
    const double q = dividend / divisor;
    if (std::isinf(q))
        throw RunTimeError(ErrorNumber::Overflow);
    return q;
}

} // namespace

void Handlers::ReseedFromClock()
{
    m_services.Reseed(m_services.TimeOfDay());
}

void Handlers::Form_Load()
{
    ReseedFromClock();
    NewProblem();
}

void Handlers::Command2_Click()
{
    ReseedFromClock();
    m_form.SetText(control::c1, NumberText(0, Separator(m_services)));
    NewProblem();
}

void Handlers::NewProblem()
{
    const Separator separator(m_services);

    // Single precision throughout, as the draw has always been: the quotient adds 2 before
    // taking the whole part, the divisor after. Both land in 2..10 even for the largest float
    // below 1, because r * 9 + 2 then rounds to just under 11, never to 11.
    const float k = std::floor(m_services.NextRandom() * 9.0f + 2.0f);
    const float d = std::floor(m_services.NextRandom() * 9.0f) + 2.0f;
    m_form.SetText(control::b1, NumberText(d, separator));

    m_form.SetText(control::b1, NumberText(ReadLenient(m_form.Text(control::b1)), separator));
    const double dividend = ReadStrict(m_form.Text(control::b1), separator) * static_cast<double>(k);
    m_form.SetText(control::a1, NumberText(dividend, separator));
}

void Handlers::Command1_Click()
{
    const Separator separator(m_services);

    const double right = ReadLenient(m_form.Text(control::e));
    const double wrong = ReadLenient(m_form.Text(control::f));
    m_form.SetText(control::c1, NumberText(ReadLenient(m_form.Text(control::c1)), separator));

    const double dividend = ReadStrict(m_form.Text(control::a1), separator);
    const double divisor = ReadStrict(m_form.Text(control::b1), separator);
    const double q = Quotient(dividend, divisor);

    if (TextEquals(q, m_form.Text(control::c1), separator))
        m_form.SetText(control::e, NumberText(right + 1, separator));
    else
        m_form.SetText(control::f, NumberText(wrong + 1, separator));
}

} // namespace drill
