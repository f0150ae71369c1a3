// The numbered places of string-table texts, filled in any order.
#include "classlib/TextPlaces.h"

#include <gtest/gtest.h>

namespace {

TEST(TextPlaces, NumberedPlacesTakeTheirValuesInAnyOrder)
{
    const struct {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"%1 then %2", "a then b"},
        {"%2 before %1", "b before a"},
        {"%1%1", "aa"},
        {"%3 and 100%", "%3 and 100%"}, // a place without a value, a lone percent sign
        {"\x83\x25%1", "\x83\x25"
                       "a"}, // a '%' after a lead byte is still a place: 0x25 is no trail byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillPlaces(c.pattern, {"a", "b"}), c.expected) << c.pattern;
    // A value is inserted as it is, never filled itself.
    EXPECT_EQ(FillPlaces("%1 %2", {"%2", "100%1"}), "%2 100%1");
}

} // namespace
