#include "support/DriverRecord.h"

TextChangeResult WriteRecord(const std::string& printer, const std::string& setName, const std::string paths[4])
{
    CDriverIniWrite write;
    DWORD error = 0;
    if (!write.Prepare(
            [&](IIniValues&, std::vector<IniSectionChange>& changes) {
                changes = {{printer, std::string(), RecordEntries(setName, paths)}};
                return true;
            },
            error))
        return TextChangeFailed;
    return write.Commit(error);
}
