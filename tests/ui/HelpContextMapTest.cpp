// The help file's context map (help/context.h, compiled into KPXSETUP.chm)
// names the same context ids as the program hands to the help engine, so
// every id of the help id table reaches a topic of the help file.
//
// The map is included first and its numbers kept before the program's own
// header defines the same names.
#include "help/context.h"

#include <windows.h>

namespace {
const DWORD kHelpFileIds[] = {HIDC_LIST_LABEL, HIDC_NAME_LABEL, HIDC_SET_LABEL, HIDC_SET,
                              HIDC_VERSION,    HIDC_CLOSE,      HIDC_HELP};
} // namespace

#undef HIDC_LIST_LABEL
#undef HIDC_NAME_LABEL
#undef HIDC_SET_LABEL
#undef HIDC_SET
#undef HIDC_VERSION
#undef HIDC_CLOSE
#undef HIDC_HELP

#include "ui/Help.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

TEST(HelpContextMap, NamesTheProgramsContextIds)
{
    const std::vector<DWORD> programIds = {HIDC_LIST_LABEL, HIDC_NAME_LABEL, HIDC_SET_LABEL,
                                           HIDC_SET,        HIDC_VERSION,    HIDC_CLOSE,
                                           HIDC_HELP};
    EXPECT_EQ(programIds, std::vector<DWORD>(std::begin(kHelpFileIds), std::end(kHelpFileIds)));
}

TEST(HelpContextMap, CoversEveryIdOfTheHelpIdTable)
{
    std::set<DWORD> mapped(std::begin(kHelpFileIds), std::end(kHelpFileIds));
    for (const DWORD* p = HelpIdTable; p[0] != 0; p += 2) {
        SCOPED_TRACE(p[0]);
        EXPECT_EQ(1u, mapped.count(p[1]));
    }
}

} // namespace
