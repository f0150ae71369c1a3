#include "support/MessageBoxRecorder.h"

#include "classlib/Win32Api.h"

namespace {
MessageBoxRecorder* g_active = nullptr;
std::vector<RecordedBox> g_boxes;
int g_answer = IDOK;

int WINAPI FakeMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    RecordedBox box{owner, text ? text : "", caption ? caption : "", type};
    g_boxes.push_back(box);
    if (g_active && g_active->m_onShow)
        g_active->m_onShow(box);
    return g_answer;
}
} // namespace

MessageBoxRecorder::MessageBoxRecorder(int answer) : m_saved(Win32().MessageBoxA)
{
    g_active = this;
    g_boxes.clear();
    g_answer = answer;
    Win32().MessageBoxA = &FakeMessageBoxA;
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    Win32().MessageBoxA = m_saved;
    g_active = nullptr;
}

const std::vector<RecordedBox>& MessageBoxRecorder::boxes() const
{
    return g_boxes;
}
