#include "commandline.h"

#include "appinfo.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace commandline {

namespace {

using namespace std::string_view_literals;

// The options QApplication and its platform plugins take out of the command line themselves.
// Qt accepts each with one dash or two.
constexpr std::array kQtOptionsWithValue = {
    "platform"sv, "platformpluginpath"sv, "platformtheme"sv, "plugin"sv, "qwindowgeometry"sv,
    "geometry"sv, "qwindowtitle"sv, "title"sv, "qwindowicon"sv, "icon"sv, "session"sv,
    "style"sv, "stylesheet"sv, "qmljsdebugger"sv, "display"sv, "name"sv, "visual"sv,
};
constexpr std::array kQtFlags = {
    "reverse"sv, "testability"sv, "widgetcount"sv, "qdevel"sv, "qdebug"sv, "nograb"sv, "dograb"sv,
};

bool contains(std::span<const std::string_view> names, std::string_view name)
{
    return std::ranges::find(names, name) != names.end();
}

std::string program()
{
    return appinfo::kName;
}

std::string usage()
{
    return "Использование: " + program() + " [ПАРАМЕТР]\n"
           "Тренажёр деления целых чисел: " + appinfo::kDisplayName + ".\n"
           "\n"
           "  -h, --help       показать эту справку и выйти\n"
           "  -v, --version    показать версию и выйти\n"
           "\n"
           "Действуют и стандартные параметры Qt, например -platform и -style.\n";
}

Answer mistake(const std::string &what)
{
    return {2, {}, program() + ": " + what + "\nПодробнее: " + program() + " --help\n"};
}

} // namespace

std::optional<Answer> answer(std::span<char *const> args)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "-h" || arg == "--help" || arg == "-?")
            return Answer{0, usage(), {}};
        if (arg == "-v" || arg == "--version")
            return Answer{0, std::string(appinfo::kDisplayName) + " " + appinfo::kVersion + "\n", {}};
        if (!arg.starts_with('-') || arg.size() < 2)
            return mistake("лишний аргумент «" + std::string(arg) + "»: программа не открывает файлов");

        std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
        if (contains(kQtFlags, name))
            continue;
        if (const auto equals = name.find('='); equals != std::string_view::npos) {
            if (contains(kQtOptionsWithValue, name.substr(0, equals)))
                continue;
        } else if (contains(kQtOptionsWithValue, name)) {
            ++i; // its value, whatever it looks like
            continue;
        }
        return mistake("неизвестный параметр «" + std::string(arg) + "»");
    }
    return std::nullopt;
}

int print(const Answer &answer)
{
    std::fputs(answer.out.c_str(), stdout);
    std::fputs(answer.err.c_str(), stderr);
    return answer.status;
}

} // namespace commandline
