// The web shell, in three files, as the Qt shell is the desktop's:
//   webshell.cpp  (this file) gives the drill's handlers the page's text boxes as their form and
//                 the browser's clock and language as their services, and catches their errors;
//   library.js    the browser's side of the extern functions declared below, one each;
//   page.js       wires the page's buttons and keys to the three entry points at the end.
// The page itself, its controls placed from the window's one description, is written at build
// time by pagegen.cpp and makepage.py.

#include "generator.h"
#include "handlers.h"
#include "runtimeerror.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

extern "C" {
// The whole text of the page's control `name` as UTF-16 in a buffer from malloc, which the caller
// frees, in *text; its length in *length. Returns one of TextRead.
int js_text(const char *name, char16_t **text, std::size_t *length);
// Replaces the whole text of the control `name`; false when the page has no such control.
bool js_set_text(const char *name, const char16_t *text, std::size_t length);
// Seconds since the local midnight, with a fraction.
double js_time_of_day();
// 32 bits from the browser's cryptographic generator.
std::uint32_t js_random_word();
// The decimal separator of the browser's language, as UTF-16 units in `out`; returns how many.
std::size_t js_decimal_separator(char16_t *out, std::size_t capacity);
// Shows a run-time error in the page's modal dialog; the page stays as it is.
void js_report_error(int number, const char *description);
}

namespace {

enum TextRead : int { Read = 0, NoSuchControl = 1, NoMemory = 2 };

struct FreeBuffer
{
    void operator()(char16_t *buffer) const noexcept { std::free(buffer); }
};

class PageForm final : public drill::Form
{
public:
    std::u16string_view Text(std::string_view control) const override
    {
        char16_t *text = nullptr;
        std::size_t length = 0;
        m_lent.reset();
        switch (js_text(std::string(control).c_str(), &text, &length)) {
        case Read:
            m_lent.reset(text);
            return {text, length};
        case NoMemory:
            throw std::bad_alloc();
        default:
            throw drill::RunTimeError(drill::ErrorNumber::ControlAccess);
        }
    }

    void SetText(std::string_view control, std::u16string_view text) override
    {
        if (!js_set_text(std::string(control).c_str(), text.data(), text.size()))
            throw drill::RunTimeError(drill::ErrorNumber::ControlAccess);
    }

private:
    // The text that Text() lends, held until the next call.
    mutable std::unique_ptr<char16_t, FreeBuffer> m_lent;
};

class PageServices final : public drill::Services
{
public:
    float TimeOfDay() override { return static_cast<float>(js_time_of_day()); }
    void Reseed(float seed) override { m_generator.reseed(seed); }
    float NextRandom() override { return m_generator.next(); }

    std::u16string DecimalSeparator() const override
    {
        char16_t separator[8];
        return std::u16string(separator, js_decimal_separator(separator, std::size(separator)));
    }

private:
    // The clock reseeds before every problem; this only keeps two pupils who open the page in the
    // same tick from being posed the same problems.
    drill::Generator m_generator{static_cast<std::uint64_t>(js_random_word()) << 32 | js_random_word()};
};

PageForm form;
PageServices services;
drill::Handlers handlers(form, services);

// The one place where a handler's error is caught: it is shown, and the lesson goes on. The
// handler is a template argument, called directly: WebKit's WebAssembly interpreter (WebKitGTK
// 2.50) lets a catch miss an exception thrown through a call by pointer in its try block.
template <void (drill::Handlers::*handler)()>
void dispatch()
{
    try {
        (handlers.*handler)();
    } catch (const drill::RunTimeError &error) {
        js_report_error(static_cast<int>(error.number()), error.description());
    } catch (const std::bad_alloc &) {
        const drill::RunTimeError error(drill::ErrorNumber::OutOfMemory);
        js_report_error(static_cast<int>(error.number()), error.description());
    }
}

} // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void zornet_load() { dispatch<&drill::Handlers::Form_Load>(); }
EMSCRIPTEN_KEEPALIVE void zornet_check() { dispatch<&drill::Handlers::Command1_Click>(); }
EMSCRIPTEN_KEEPALIVE void zornet_next() { dispatch<&drill::Handlers::Command2_Click>(); }
}
