#include "support/ScopedTimeZone.h"

#include <cstdlib>
#include <ctime>

ScopedTimeZone::ScopedTimeZone(const char* tz)
{
    const char* old = std::getenv("TZ");
    m_hadValue = old != nullptr;
    m_saved = old ? old : "";
    _putenv((std::string("TZ=") + tz).c_str());
    _tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    // "TZ=" removes the variable: the library then asks the system again.
    _putenv((std::string("TZ=") + (m_hadValue ? m_saved : "")).c_str());
    _tzset();
}
