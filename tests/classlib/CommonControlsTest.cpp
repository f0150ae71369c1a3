// Registering the common controls: InitCommonControlsEx where comctl32 has
// it (4.70 and later), else InitCommonControls, all that the comctl32 of 95
// and NT 4.0 offers.
#include "classlib/WinApp.h"
#include "support/ApiOverride.h"

#include <gtest/gtest.h>

namespace {

TEST(CommonControls, TheOldRegistrationOnlyWhereTheNewOneIsMissing)
{
    for (bool hasEx : {true, false}) {
        int lookups = 0;
        int oldCalls = 0;
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup([&](HMODULE module, LPCSTR name) -> FARPROC {
            if (HIWORD(name) && lstrcmpA(name, "InitCommonControlsEx") == 0 && (++lookups, !hasEx))
                return nullptr;
            return ::GetProcAddress(module, name);
        });
        ScopedApiOverride<&Win32Api::InitCommonControls> old([&]() {
            ++oldCalls;
            ::InitCommonControls();
        });

        InitCommonControlClasses();
        EXPECT_EQ(1, lookups) << hasEx;
        EXPECT_EQ(hasEx ? 0 : 1, oldCalls) << hasEx;
    }
}

} // namespace
