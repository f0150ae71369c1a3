#include "ui/FileInfoText.h"

ULONGLONG SizeInKilobytes(ULONGLONG bytes)
{
    ULONGLONG whole = bytes / 1024;
    ULONGLONG rest = bytes % 1024;
    if (whole == 0 && rest != 0)
        return 1;
    return rest >= 512 ? whole + 1 : whole;
}
