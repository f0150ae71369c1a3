#include "report/RenameReason.h"

#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "res/resource.h"

std::string WithRenameReason(const std::string& text, DWORD error)
{
    const std::string reason = SystemMessage(error);
    return text + ": " + (reason.empty() ? LoadResString(IDS_RENAME_NO_REASON) : reason);
}
