#include "support/RemoteControls.h"

#include <commctrl.h>

namespace {

// A block of memory in the process that owns a window, freed on scope exit.
class RemoteBlock {
public:
    RemoteBlock(HWND window, SIZE_T size) : m_size(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBlock()
    {
        if (m_address)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool valid() const { return m_address != nullptr; }
    char* at(SIZE_T offset) const { return static_cast<char*>(m_address) + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        return WriteProcessMemory(m_process, at(offset), data, size, nullptr) != FALSE;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const
    {
        return ReadProcessMemory(m_process, at(offset), data, size, nullptr) != FALSE;
    }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    SIZE_T m_size;
};

const SIZE_T kTextSize = 520;

std::string RemoteItemText(HWND list, RemoteBlock& block, int row, int column)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.cchTextMax = static_cast<int>(kTextSize);
    item.pszText = block.at(sizeof(LVITEMA));
    block.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.at(0)));
    char text[kTextSize] = {};
    block.Read(sizeof(LVITEMA), text, kTextSize - 1);
    return text;
}

} // namespace

std::vector<std::vector<std::string>> RemoteListRows(HWND list, int columns)
{
    std::vector<std::vector<std::string>> rows;
    RemoteBlock block(list, sizeof(LVITEMA) + kTextSize);
    if (!block.valid())
        return rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> texts;
        for (int column = 0; column < columns; ++column)
            texts.push_back(RemoteItemText(list, block, row, column));
        rows.push_back(texts);
    }
    return rows;
}

int RemoteSelectedRow(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool RemoteSelectRow(HWND list, int row)
{
    RemoteBlock block(list, sizeof(LVITEMA));
    if (!block.valid())
        return false;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    block.Write(0, &item, sizeof item);
    return SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(block.at(0))) != FALSE;
}

void RemoteClickColumn(HWND list, int column)
{
    // A click on the header control itself: the header tells the list, the
    // list tells its parent (LVN_COLUMNCLICK), all inside the other process.
    // (Wine does not carry WM_NOTIFY across processes, so the notification
    // cannot be sent from here.)
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    if (!header)
        return;
    int x = 0;
    for (int c = 0; c < column; ++c)
        x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0));
    x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2;
    LPARAM at = MAKELPARAM(x, 5);
    // Sent, not posted: the sort has run when the button-up returns.
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
}

namespace {

// One entry's text. Asked for in UTF-16 and converted here: Wine hands
// another process only the first character of CB_GETLBTEXT's 8-bit form.
std::string ComboEntry(HWND combo, int index)
{
    wchar_t wide[kTextSize] = {};
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length >= static_cast<LRESULT>(kTextSize))
        return std::string();
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
    char text[kTextSize * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
    return text;
}

} // namespace

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        entries.push_back(ComboEntry(combo, i));
    return entries;
}

std::string ComboSelection(HWND combo)
{
    int selected = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    if (selected < 0)
        return std::string();
    return ComboEntry(combo, selected);
}

bool PickComboEntry(HWND combo, const std::string& text)
{
    int index = static_cast<int>(
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    if (index < 0)
        return false;
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return true;
}

std::string PostTypedText(HWND edit, const std::string& text, DWORD timeoutMs, bool* handled)
{
    // Posted messages are handled in the order they were posted, so a posted
    // EM_SETMODIFY(FALSE) behind the characters, against a flag set before,
    // tells when the last character has been handled.
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    for (unsigned char c : text)
        PostMessageA(edit, WM_CHAR, c, 1);
    PostMessageA(edit, EM_SETMODIFY, FALSE, 0);
    DWORD start = GetTickCount();
    bool done = false;
    while (!(done = SendMessageA(edit, EM_GETMODIFY, 0, 0) == FALSE) && GetTickCount() - start < timeoutMs)
        Sleep(10);
    if (handled)
        *handled = done;
    char buffer[1024] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}
