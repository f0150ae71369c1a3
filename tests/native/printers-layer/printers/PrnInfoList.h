// Stand-in for the printer snapshot, so that the pure name rules build
// outside Windows: the fuzz targets never call the check against a snapshot.
#pragma once

class CPrnInfoList {
public:
    const char* GetPrinterName(unsigned) const { return nullptr; }
};
