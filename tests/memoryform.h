#pragma once

#include "form.h"
#include "runtimeerror.h"
#include "services.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

// The five boxes as plain strings, with a log of every access so that a test can see the order
// of a handler's steps.
class MemoryForm : public drill::Form
{
public:
    std::map<std::string, std::u16string, std::less<>> texts{
        {"a1", u""}, {"b1", u""}, {"c1", u""}, {"e", u""}, {"f", u""}};
    mutable std::vector<std::string> log;

private:
    // One lookup for both the const and the writable box.
    template <class Self>
    static auto &box(Self &self, std::string_view control)
    {
        const auto found = self.texts.find(control);
        if (found == self.texts.end())
            throw drill::RunTimeError(drill::ErrorNumber::ControlAccess);
        return found->second;
    }

public:
    std::u16string_view Text(std::string_view control) const override
    {
        log.push_back("get " + std::string(control));
        return box(*this, control);
    }
    void SetText(std::string_view control, std::u16string_view text) override
    {
        log.push_back("put " + std::string(control));
        box(*this, control) = text;
    }
};

// A clock that stands still and a generator that replays the given numbers.
class ScriptedServices : public drill::Services
{
public:
    std::deque<float> randoms;
    std::vector<float> seeds;
    float clock = 36000.5f;
    std::u16string separator = u",";
    mutable int separatorAsked = 0;

    float TimeOfDay() override { return clock; }
    void Reseed(float seed) override { seeds.push_back(seed); }
    float NextRandom() override
    {
        const float r = randoms.front();
        randoms.pop_front();
        return r;
    }
    std::u16string DecimalSeparator() const override
    {
        ++separatorAsked;
        return separator;
    }
};
