#include "runtimeerror.h"

namespace drill {

const char *describe(ErrorNumber number) noexcept
{
    switch (number) {
    case ErrorNumber::InvalidOperation:
        return "Недопустимая операция: ноль делится на ноль";
    case ErrorNumber::Overflow:
        return "Переполнение: число слишком велико";
    case ErrorNumber::OutOfMemory:
        return "Недостаточно памяти";
    case ErrorNumber::DivisionByZero:
        return "Деление на ноль";
    case ErrorNumber::TypeMismatch:
        return "Несоответствие типа: в поле должно быть число";
    case ErrorNumber::ControlAccess:
        return "Нет доступа к полю окна";
    }
    return "Неизвестная ошибка";
}

RunTimeError::RunTimeError(ErrorNumber number)
    : std::runtime_error(describe(number))
    , m_number(number)
{
}

} // namespace drill
