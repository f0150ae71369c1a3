#include "classlib/DataExchange.h"

#include "classlib/Wnd.h"

#include <stdexcept>

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    HWND item = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    if (!item)
        throw std::logic_error("DDX_Control: the dialog has no such control");
    if (control.m_hWnd == item)
        return;
    if (control.m_hWnd)
        control.UnsubclassWindow();
    if (!control.SubclassWindow(item))
        throw std::logic_error("DDX_Control: the control is bound to another wrapper");
}
