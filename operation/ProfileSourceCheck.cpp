#include "operation/ProfileSourceCheck.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/ProfileFileName.h"
#include "platform/FileReadable.h"

bool MayInstallProfileFile(const std::string& path)
{
    return CheckProfileFileName(FileNamePart(path)) == ProfileNameOk && IsDiskFile(path.c_str());
}

bool SourcesClash(const std::string& a, const std::string& b)
{
    return MbCompare(a, b) != 0 && MbCompareNoCase(FileNamePart(a), FileNamePart(b)) == 0;
}
