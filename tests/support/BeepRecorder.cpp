#include "support/BeepRecorder.h"

namespace {
std::vector<UINT> g_beeps;

BOOL WINAPI FakeMessageBeep(UINT type)
{
    g_beeps.push_back(type);
    return TRUE;
}
} // namespace

BeepRecorder::BeepRecorder() : m_override(&FakeMessageBeep)
{
    g_beeps.clear();
}

BeepRecorder::~BeepRecorder()
{
    g_beeps.clear();
}

const std::vector<UINT>& BeepRecorder::beeps() const
{
    return g_beeps;
}

void BeepRecorder::clear()
{
    g_beeps.clear();
}
