#include "support/HelpProbe.h"

BEGIN_MESSAGE_MAP(HelpCountingOwner, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

BOOL HelpCountingOwner::OnHelpInfo(HELPINFO*)
{
    ++helpCount;
    return TRUE;
}

LRESULT SendHelp(HWND dialog, int ctrlId)
{
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = ctrlId;
    info.hItemHandle = GetDlgItem(dialog, ctrlId);
    GetCursorPos(&info.MousePos);
    return SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

F1Outcome PressF1(UINT ownerTemplate, int ctrlId, const std::function<std::unique_ptr<CDialog>(CWnd* owner)>& make)
{
    F1Outcome outcome;
    HelpCountingOwner owner(ownerTemplate);
    if (!owner.Create())
        return outcome;
    std::unique_ptr<CDialog> dlg = make(&owner); // ends before its owner
    if (!dlg->Create(&owner))
        return outcome;
    outcome.created = true;
    outcome.answer = SendHelp(dlg->m_hWnd, ctrlId);
    outcome.reachedOwner = owner.helpCount;
    outcome.stillOpen = IsWindow(dlg->m_hWnd) != FALSE;
    outcome.modalResult = dlg->GetModalResult();
    return outcome;
}

::testing::AssertionResult HandledInPlace(const F1Outcome& f1)
{
    if (f1.created && f1.answer == TRUE && f1.reachedOwner == 0 && f1.stillOpen && f1.modalResult == -1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "created " << f1.created << ", answer " << f1.answer
                                         << ", reached the owner " << f1.reachedOwner << " times, still open "
                                         << f1.stillOpen << ", modal result " << f1.modalResult;
}
