#include "cmdline/FewNames.h"

#include "classlib/WinApp.h"
#include "res/resource.h"

std::string FewNamesAndTheRest(const std::vector<std::string>& names)
{
    std::string text;
    for (size_t i = 0; i < names.size() && i < kNamesInALine; ++i)
        text += (i == 0 ? "" : ", ") + names[i];
    if (names.size() > kNamesInALine)
        text += ", " + FormatResString(IDS_CHECK_MORE_PRINTERS, {std::to_string(names.size() - kNamesInALine)});
    return text;
}
