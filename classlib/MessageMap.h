// Message maps: one static table per window class, from a message (and for
// WM_COMMAND and WM_NOTIFY the control id and notification code) to a member
// handler. A class's table chains to its base class's, so a derived class
// only lists what it handles itself and the base's entries still apply.
//
//   // in the class:   DECLARE_MESSAGE_MAP()
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_BN_CLICKED(IDC_SET, &CMyDlg::OnSet)
//       ON_NOTIFY(LVN_ITEMCHANGED, IDC_PRINTER_LIST, &CMyDlg::OnItemChanged)
//       ON_WM_DESTROY()
//   END_MESSAGE_MAP()
//
// Each entry macro makes a small captureless function that casts the window
// object back to the class named in BEGIN_MESSAGE_MAP and calls the handler,
// so handlers keep their natural signatures and need not be virtual.
#pragma once

#include <windows.h>

class CWnd;

// Calls one handler. `result` starts as 0; it is what the sender of the
// message receives (for a dialog, through DWLP_MSGRESULT).
using MessageHandler = void (*)(CWnd& self, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct MessageMapEntry {
    UINT message; // WM_COMMAND, WM_NOTIFY or a window message; 0 ends the table
    UINT code;    // WM_COMMAND's high word or NMHDR::code; 0 for window messages
    UINT id;      // WM_COMMAND's low word or NMHDR::idFrom; 0 for window messages
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)(); // the base class's table; null for CWnd's
    const MessageMapEntry* entries;
};

// In the class declaration. Leaves the declaration in the protected section.
#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const MessageMap* GetThisMessageMap();                                                                      \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const MessageMap* theClass::GetMessageMap() const                                                                  \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const MessageMap* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        using TheBaseClass = baseClass;                                                                                \
        static const MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, nullptr                                                                                               \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                                         \
    return &map;                                                                                                       \
    }

// Control notifications sent as WM_COMMAND: handler is void fn().
#define ON_CONTROL(code, id, memberFxn)                                                                                \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(LOWORD(id)),                                               \
     [](CWnd& w, WPARAM, LPARAM, LRESULT&) { (static_cast<ThisClass&>(w).*(memberFxn))(); }},
#define ON_COMMAND(id, memberFxn)       ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn)    ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)     ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// Notifications sent as WM_NOTIFY: handler is void fn(NMHDR*, LRESULT* result).
#define ON_NOTIFY(code, id, memberFxn)                                                                                 \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), [](CWnd& w, WPARAM, LPARAM l, LRESULT& r) {            \
         (static_cast<ThisClass&>(w).*(memberFxn))(reinterpret_cast<NMHDR*>(l), &r);                                   \
     }},

// Window messages, handled by members of fixed names and signatures.
#define ON_WM_SYSCOMMAND()                                                                                             \
    {WM_SYSCOMMAND, 0, 0, [](CWnd& w, WPARAM wp, LPARAM lp, LRESULT&) {                                                \
         static_cast<ThisClass&>(w).OnSysCommand(static_cast<UINT>(wp), lp);                                           \
     }},
#define ON_WM_TIMER()                                                                                                  \
    {WM_TIMER, 0, 0,                                                                                                   \
     [](CWnd& w, WPARAM wp, LPARAM, LRESULT&) { static_cast<ThisClass&>(w).OnTimer(static_cast<UINT_PTR>(wp)); }},
#define ON_WM_DESTROY()                                                                                                \
    {WM_DESTROY, 0, 0, [](CWnd& w, WPARAM, LPARAM, LRESULT&) { static_cast<ThisClass&>(w).OnDestroy(); }},
#define ON_WM_HELPINFO()                                                                                               \
    {WM_HELP, 0, 0, [](CWnd& w, WPARAM, LPARAM lp, LRESULT& r) {                                                       \
         r = static_cast<ThisClass&>(w).OnHelpInfo(reinterpret_cast<HELPINFO*>(lp));                                   \
     }},
