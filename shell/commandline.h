#pragma once

#include <optional>
#include <span>
#include <string>

// What `zornet --help`, `--version` or a mistyped option asks for, decided before Qt starts:
// those answers need no display. Qt's own options (-platform, -style, …) and their values are let
// through for QApplication to take.
namespace commandline {

struct Answer
{
    int status; // the process's exit status
    std::string out; // for standard output, UTF-8
    std::string err; // for standard error, UTF-8
};

// nullopt when the drill should start; otherwise what to print before exiting.
[[nodiscard]] std::optional<Answer> answer(std::span<char *const> args);

// Prints the answer and gives its status.
int print(const Answer &answer);

} // namespace commandline
