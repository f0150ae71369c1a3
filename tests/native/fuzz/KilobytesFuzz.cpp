// Kilobyte rounding: half up, 0 only for an empty file, monotone in steps of
// at most one, never more than half a kilobyte off above 511 bytes.
#include "FuzzCheck.h"
#include "ui/FileInfoText.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ULONGLONG bytes = 0;
    std::memcpy(&bytes, data, size < sizeof(bytes) ? size : sizeof(bytes));

    const ULONGLONG kb = SizeInKilobytes(bytes);
    FUZZ_CHECK((kb == 0) == (bytes == 0));
    if (bytes < 1536)
        FUZZ_CHECK(kb == (bytes == 0 ? 0 : 1));
    else
        FUZZ_CHECK(kb == bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0));
    if (bytes >= 512) {
        // |kb * 1024 - bytes| <= 512 without overflow: kb * 1024 may pass 2^64.
        FUZZ_CHECK(kb == bytes / 1024 || kb == bytes / 1024 + 1);
        FUZZ_CHECK(kb == bytes / 1024 ? bytes % 1024 < 512 : bytes % 1024 >= 512);
    }
    if (bytes != ~0ULL) {
        const ULONGLONG next = SizeInKilobytes(bytes + 1);
        FUZZ_CHECK(next == kb || next == kb + 1);
    }
    return 0;
}
