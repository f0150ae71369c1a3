// The printer-name rule: on every platform class the separators of printer
// lists are refused, only the few characters the spoolers reject are refused,
// and the length limit is one a spooler takes.
#include "FuzzCheck.h"
#include "printers/PrinterNameRules.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 + sizeof(int))
        return 0;
    const OsClass os = static_cast<OsClass>(data[0] % (Os2012R2 + 1));
    int ch = 0;
    std::memcpy(&ch, data + 1, sizeof(ch));

    const bool allowed = IsAllowedPrinterNameChar(os, ch);
    if (ch == '\\' || ch == ',')
        FUZZ_CHECK(!allowed);
    if (!allowed)
        FUZZ_CHECK(ch > 0 && ch < 0x80 && std::strchr("\\,=;!", ch) != nullptr);
    if (os == OsWin9x && (ch == '=' || ch == ';'))
        FUZZ_CHECK(!allowed);

    const unsigned limit = PrinterNameLimit(os);
    FUZZ_CHECK(limit >= 31 && limit <= 259);
    if (os == OsWin9x)
        FUZZ_CHECK(limit == 31);
    return 0;
}
