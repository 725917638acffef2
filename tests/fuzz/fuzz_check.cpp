// A whole «Проверить» on an in-memory form whose five boxes hold whatever the fuzzer types.
#include "../memoryform.h"
#include "fuzzinput.h"
#include "handlers.h"
#include "numbertext.h"

#include <algorithm>
#include <cstdlib>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// The tally after a count: one step up from its lenient reading.
std::u16string nextTally(const std::u16string &tally)
{
    return drill::NumberText(drill::ReadLenient(tally) + 1, u",");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The byte 0xff splits the input into the texts of a1, b1, c1, e and f.
    MemoryForm form;
    const char *const names[] = {"a1", "b1", "c1", "e", "f"};
    std::size_t start = 0;
    for (const char *name : names) {
        std::size_t end = start;
        while (end < size && data[end] != 0xff)
            ++end;
        form.texts[name] = fuzzText(data + start, end - start);
        start = end < size ? end + 1 : size;
    }
    const MemoryForm before = form;

    ScriptedServices services;
    bool raised = false;
    try {
        drill::Handlers(form, services).Command1_Click();
    } catch (const drill::RunTimeError &) {
        raised = true;
    }

    // A huge tally plus one writes the same text again, so count the writes, not the changes.
    const auto writes = [&](const char *entry) { return std::count(form.log.begin(), form.log.end(), entry); };
    require(form.texts["a1"] == before.texts.at("a1"));
    require(form.texts["b1"] == before.texts.at("b1"));
    if (raised) {
        require(writes("put e") + writes("put f") == 0);
        require(form.texts["e"] == before.texts.at("e"));
        require(form.texts["f"] == before.texts.at("f"));
    } else {
        require(writes("put e") + writes("put f") == 1);
        require(form.texts["e"] == (writes("put e") ? nextTally(before.texts.at("e")) : before.texts.at("e")));
        require(form.texts["f"] == (writes("put f") ? nextTally(before.texts.at("f")) : before.texts.at("f")));
        require(form.texts["c1"] == drill::NumberText(drill::ReadLenient(before.texts.at("c1")), u","));
    }
    return 0;
}
