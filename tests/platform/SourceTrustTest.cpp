// Which access lists let others than administrators change a source: the
// rule over descriptors written in the system's own notation (SDDL) and
// turned into the bytes the system gives.
#include "platform/SourceTrust.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<BYTE> Descriptor(const char* sddl)
{
    PSECURITY_DESCRIPTOR made = nullptr;
    ULONG size = 0;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &made, &size))
        return {};
    std::vector<BYTE> bytes(static_cast<BYTE*>(made), static_cast<BYTE*>(made) + size);
    LocalFree(made);
    return bytes;
}

struct AccessRow {
    const char* sddl;
    WriterGroup file, folder; // who may change a file, a folder, of that list
};

const AccessRow kRows[] = {
    // Administrators and the system write, users read: a share's usual list.
    {"D:(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", WritersNone, WritersNone},
    // What Wine reports for mode 755 and 777.
    {"D:(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;WD)", WritersNone, WritersNone},
    {"D:(A;OICI;FA;;;SY)(A;OICI;0x1301ff;;;WD)", WritersEveryone, WritersEveryone},
    // Each write-type right alone, to each group.
    {"D:(A;;0x2;;;BU)", WritersUsers, WritersUsers},                           // FILE_WRITE_DATA, FILE_ADD_FILE
    {"D:(A;;0x4;;;AU)", WritersAuthenticatedUsers, WritersAuthenticatedUsers}, // FILE_APPEND_DATA
    {"D:(A;;0x40000;;;IU)", WritersInteractive, WritersInteractive},           // WRITE_DAC
    {"D:(A;;0x80000;;;WD)", WritersEveryone, WritersEveryone},                 // WRITE_OWNER
    {"D:(A;;0x10000;;;BU)", WritersUsers, WritersUsers},                       // DELETE
    {"D:(A;;GW;;;AU)", WritersAuthenticatedUsers, WritersAuthenticatedUsers},
    {"D:(A;;GA;;;IU)", WritersInteractive, WritersInteractive},
    {"D:(A;;0x40;;;BU)", WritersNone, WritersUsers}, // FILE_DELETE_CHILD: a folder's only
    // Reading, running, attributes and extended attributes change nothing
    // of what is installed.
    {"D:(A;;0x1201b9;;;BU)", WritersNone, WritersNone},
    // Inherit-only entries pass to the contents, not to the object itself.
    {"D:(A;OICIIO;FA;;;BU)", WritersNone, WritersNone},
    {"D:(A;OICI;FA;;;BU)", WritersUsers, WritersUsers},
    // Other accounts, and denials, are not the groups looked for.
    {"D:(A;;FA;;;BA)(A;;FA;;;S-1-5-21-1-2-3-1001)(A;;FA;;;BG)(A;;FA;;;S-1-5-32-546)", WritersNone, WritersNone},
    {"D:(D;;FA;;;WD)", WritersNone, WritersNone},
    // The first group found counts.
    {"D:(A;;0x1200a9;;;WD)(A;;FA;;;AU)(A;;FA;;;BU)", WritersAuthenticatedUsers, WritersAuthenticatedUsers},
    // No list restricts nothing; an empty one grants nothing.
    {"O:BA", WritersEveryone, WritersEveryone},
    {"D:", WritersNone, WritersNone},
};

TEST(SourceTrust, EachWriteRightOfEachGroupOfOthersRefusesAndNothingElseDoes)
{
    for (const AccessRow& row : kRows) {
        SCOPED_TRACE(row.sddl);
        const std::vector<BYTE> bytes = Descriptor(row.sddl);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(GroupThatMayWrite(bytes.data(), bytes.size(), false), row.file);
        EXPECT_EQ(GroupThatMayWrite(bytes.data(), bytes.size(), true), row.folder);
    }
    // A NULL list restricts nothing either (made here from its parts: Wine
    // turns "D:NO_ACCESS_CONTROL" into an empty list).
    SECURITY_DESCRIPTOR absolute;
    ASSERT_TRUE(InitializeSecurityDescriptor(&absolute, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&absolute, TRUE, nullptr, FALSE));
    DWORD size = 0;
    MakeSelfRelativeSD(&absolute, nullptr, &size);
    std::vector<BYTE> nullList(size);
    ASSERT_TRUE(MakeSelfRelativeSD(&absolute, nullList.data(), &size));
    EXPECT_EQ(GroupThatMayWrite(nullList.data(), nullList.size(), false), WritersEveryone);
    EXPECT_EQ(GroupThatMayWrite(nullList.data(), nullList.size(), true), WritersEveryone);

    // Cut short, a descriptor tells nothing, and is not taken as safe.
    const std::vector<BYTE> bytes = Descriptor("D:(A;;FA;;;BA)(A;;FA;;;WD)");
    EXPECT_EQ(GroupThatMayWrite(bytes.data(), bytes.size() - 4, false), WritersUntold);
    EXPECT_EQ(GroupThatMayWrite(bytes.data(), 12, false), WritersUntold);
}

} // namespace
