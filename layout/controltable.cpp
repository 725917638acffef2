#include "controltable.h"

namespace layout {

namespace {

using enum Kind;
using enum Fill;

constexpr Colour kNone{0, 0, 0};

// clang-format off
constexpr Control kControls[] = {
//   name        kind     tab text                  left   top  width height points  bold   fill          rgb                      accessible name
    {"f",        TextBox, 11, "",                   3240, 2880,  492,  492, 16.2, false, Rgb,          {255, 0, 0},             "Не верно"},
    {"Command2", Button,   8, "Следующий",          1320, 3480, 1572,  492, 12.0, false, ButtonFace,   kNone,                   "Следующий"},
    {"Command1", Button,   7, "Проверить",          1320, 1680, 1452,  492, 12.0, false, Rgb,          {255, 192, 128},         "Проверить"},
    {"e",        TextBox,  6, "",                    480, 2760,  492,  492, 16.2, false, Rgb,          {0, 128, 0},             "Верно"},
    {"c1",       TextBox,  5, "",                   2520,  840,  612,  492, 16.2, false, SystemWindow, kNone,                   "Ответ"},
    {"b1",       TextBox,  4, "",                   1440,  840,  492,  492, 16.2, false, SystemWindow, kNone,                   "Делитель"},
    {"a1",       TextBox,  1, "",                    480,  840,  492,  492, 16.2, false, SystemWindow, kNone,                   "Делимое"},
    {"Label5",   Label,   12, "Не верно",           2760, 2400, 1332,  492, 13.8, false, Window,       kNone,                   nullptr},
    {"Label2",   Label,   10, "Верно",               240, 2400,  972,  492, 13.8, false, Window,       kNone,                   nullptr},
    {"Label13",  Label,    9, "Авторы: команда «Зорнет»",
                                                     120, 4320, 3372,  372, 10.2, false, Window,       kNone,                   nullptr},
    {"Label4",   Label,    3, "=",                  2040,  840,  372,  492, 16.2, true,  Window,       kNone,                   nullptr},
    {"Label3",   Label,    2, ":",                   960,  840,  492,  492, 16.2, true,  Window,       kNone,                   nullptr},
    {"Label1",   Label,    0, " Выполните зорнет",   600,  240, 3132,  492, 13.8, false, Window,       kNone,                   nullptr},
};
// clang-format on

} // namespace

std::span<const Control> controls()
{
    return kControls;
}

} // namespace layout
