// Native stand-in for the version query the printer-name edit's instance
// members make. The fuzz targets never call it: they pass the class.
#include "platform/OsClass.h"

#include <cstdlib>

OsClass GetOsClass()
{
    std::abort();
}
