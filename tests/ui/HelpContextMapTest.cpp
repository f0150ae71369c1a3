// The help file's context map (help/context.h, compiled into KPXSETUP.chm,
// and the program's own definition of the ids) covers every id the program
// hands to the help engine, so every control reaches a topic of the help
// file.
#include "help/context.h"
#include "ui/Help.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(HelpContextMap, CoversEveryIdOfTheHelpIdTable)
{
    const std::set<DWORD> mapped = {HIDC_LIST_LABEL, HIDC_NAME_LABEL, HIDC_SET_LABEL, HIDC_SET,
                                    HIDC_VERSION,    HIDC_CLOSE,      HIDC_HELP};
    for (const DWORD* p = HelpIdTable; p[0] != 0; p += 2) {
        SCOPED_TRACE(p[0]);
        EXPECT_EQ(1u, mapped.count(p[1]));
    }
}

} // namespace
