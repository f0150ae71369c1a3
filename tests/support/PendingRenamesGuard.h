// Keeps the restart replacements a test registers for real (MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT writes PendingFileRenameOperations) from
// outliving it: the value is saved at construction and put back, or removed
// if there was none, at destruction, and the sources the test added are
// deleted.
#pragma once

#include "support/Uncopyable.h"

#include <string>
#include <vector>

class PendingRenamesGuard : Uncopyable {
public:
    PendingRenamesGuard();
    ~PendingRenamesGuard();

private:
    bool m_had = false;
    std::vector<char> m_value;
    std::vector<std::string> m_paths; // named in the list at construction
};
