#pragma once

#include "adapter.h"

#include <QString>

#include <deque>
#include <vector>

// The real adapter with a scripted generator and a report that is recorded instead of shown,
// so that no modal box blocks a test.
class ScriptedAdapter : public Adapter
{
public:
    struct Report
    {
        int number;
        QString description;
    };

    std::deque<float> randoms; // when empty, the real generator answers
    std::vector<Report> reports;
    bool showReports = false; // true: the real modal box as well, for a test that closes it

    float NextRandom() override
    {
        if (randoms.empty())
            return Adapter::NextRandom();
        const float r = randoms.front();
        randoms.pop_front();
        return r;
    }

    void reportError(const drill::RunTimeError &error, QWidget *window) override
    {
        reports.push_back({static_cast<int>(error.number()), QString::fromUtf8(error.description())});
        if (showReports)
            Adapter::reportError(error, window);
    }
};
