// Stands in for MessageBoxA while it lives: records every box the code asks
// for (owner, text, caption, type) and answers with a chosen button, so a test
// can assert what the user would have been shown without a window appearing.
#pragma once

#include "support/ApiOverride.h"
#include "support/Uncopyable.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

class MessageBoxRecorder : Uncopyable {
public:
    explicit MessageBoxRecorder(int answer = IDOK);

    const std::vector<RecordedBox>& boxes() const { return m_boxes; }
    // Called inside the stand-in, while the "box" is up; lets a test check
    // what holds during that time (a mutex, the Set button ...).
    void onShow(std::function<void(const RecordedBox&)> callback) { m_onShow = std::move(callback); }

private:
    int m_answer;
    std::vector<RecordedBox> m_boxes;
    std::function<void(const RecordedBox&)> m_onShow;
    ScopedApiOverride<&Win32Api::MessageBoxA> m_override;
};
