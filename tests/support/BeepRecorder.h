// Stands in for MessageBeep while it lives and counts the beeps, so a test
// can hear that a character or a paste was refused.
#pragma once

#include "support/ApiOverride.h"
#include "support/Uncopyable.h"

#include <vector>

class BeepRecorder : Uncopyable {
public:
    BeepRecorder();
    ~BeepRecorder();

    // The sound type of every beep asked for since the object was made.
    const std::vector<UINT>& beeps() const;
    void clear();

private:
    ScopedApiOverride<&Win32Api::MessageBeep> m_override;
};
