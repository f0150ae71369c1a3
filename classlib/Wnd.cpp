#include "classlib/Wnd.h"

#include "classlib/ExceptionReport.h"
#include "classlib/WaitCursor.h"
#include "classlib/Win32Api.h"
#include "classlib/WinApp.h"

#include <vector>

namespace {

// The window property that names a window's permanent wrapper. One name for
// controls and dialogs alike, so the modal loop finds either.
const char kWrapperProp[] = "KPXSetup.CWnd";

} // namespace

CWnd::~CWnd()
{
    // Members of a dialog die before the dialog's window: the control must
    // not keep calling into a wrapper that no longer exists.
    if (m_pfnSuper)
        UnsubclassWindow();
    else
        DetachPermanent();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kWrapperProp)) : nullptr;
}

bool CWnd::AttachPermanent(HWND hWnd)
{
    if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd))
        return false;
    if (!::SetPropA(hWnd, kWrapperProp, this))
        return false;
    m_hWnd = hWnd;
    return true;
}

void CWnd::DetachPermanent()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        ::RemovePropA(m_hWnd, kWrapperProp);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd || !AttachPermanent(hWnd))
        return FALSE;
    // The ANSI setter: our procedure then receives 8-bit text and characters
    // (code page bytes in WM_CHAR), as the rest of the program expects.
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (!m_pfnSuper) {
        DetachPermanent();
        return FALSE;
    }
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd && m_pfnSuper) {
        // Only when nobody has subclassed the window after us: otherwise
        // putting our predecessor back would cut the later one out.
        if (::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc))
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    DetachPermanent();
    return hWnd;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* self = FromHandlePermanent(hWnd);
    if (!self || !self->m_pfnSuper)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    LRESULT result = 0;
    // No C++ exception may unwind through the system's message dispatch.
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        AfxReportCurrentException(::GetParent(hWnd));
    }
    if (message == WM_NCDESTROY)
        self->UnsubclassWindow();
    return result;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    UINT code = 0;
    UINT id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (!header)
            return false;
        code = header->code;
        id = static_cast<UINT>(header->idFrom);
    }
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->handler; ++entry) {
            if (entry->message == message && entry->code == code && entry->id == id) {
                result = 0;
                entry->handler(*this, wParam, lParam, result);
                return true;
            }
        }
    }
    return false;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

std::string CWnd::GetWindowText() const
{
    return WindowTextOf(m_hWnd);
}

std::string CWnd::WindowTextOf(HWND hWnd)
{
    int length = ::GetWindowTextLengthA(hWnd);
    if (length <= 0)
        return std::string();
    // The length may overstate (it can count a conversion's worst case);
    // what the copy returns is the text.
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(hWnd, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void CWnd::SetWindowText(const char* text)
{
    ::SetWindowTextA(m_hWnd, text ? text : "");
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

HMENU CWnd::GetSystemMenu(BOOL bRevert) const
{
    return ::GetSystemMenu(m_hWnd, bRevert);
}

void CWnd::GetClientRect(RECT* rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(RECT* rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const
{
    std::string title;
    if (!caption) {
        CWinApp* app = AfxGetApp();
        title = app ? app->m_strAppName : std::string();
        caption = title.c_str();
    }
    return Win32().MessageBoxA(m_hWnd, text ? text : "", caption, type);
}

void CWnd::BeginWaitCursor()
{
    CWaitCursor::Begin();
}

void CWnd::EndWaitCursor()
{
    CWaitCursor::End();
}
