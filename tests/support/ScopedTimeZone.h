// Sets the run-time library's local time zone (the TZ variable, "JST-9")
// for the lifetime of the object and puts the previous setting back, so a
// test can tell local time from UTC on a machine that runs in UTC.
#pragma once

#include "support/Uncopyable.h"

#include <string>

class ScopedTimeZone : Uncopyable {
public:
    explicit ScopedTimeZone(const char* tz);
    ~ScopedTimeZone();

private:
    bool m_hadValue;
    std::string m_saved;
};
