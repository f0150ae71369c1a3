// Stands in for MessageBoxA while it lives: records every box the code asks
// for (owner, text, caption, type) and answers with a chosen button, so a test
// can assert what the user would have been shown without a window appearing.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedBox>& boxes() const;
    // Called inside the fake, while the "box" is up; lets a test check what
    // holds during that time (a mutex, the Set button ...).
    void onShow(void (*callback)(const RecordedBox&)) { m_onShow = callback; }

    void (*m_onShow)(const RecordedBox&) = nullptr;

private:
    decltype(&::MessageBoxA) m_saved;
};
