#include "classlib/Edit.h"

void CEdit::SetLimitText(UINT nMax)
{
    SendMessage(EM_LIMITTEXT, nMax, 0);
}
