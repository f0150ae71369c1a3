// Makes GetOsClass() report a chosen platform class for the lifetime of the
// object, by answering the version query through the seam with a version
// record of that class.
//   ScopedOsVersion version(OsWin9x);
#pragma once

#include "platform/OsClass.h"
#include "support/ApiOverride.h"
#include "support/Uncopyable.h"

class ScopedOsVersion : Uncopyable {
public:
    explicit ScopedOsVersion(OsClass os);

private:
    ScopedApiOverride<&Win32Api::GetVersionExA> m_override;
};
