// The paste check reads text that another program put on the clipboard: it
// must not take the text's terminator on trust.
#include "platform/OsClass.h"
#include "support/ScopedOsVersion.h"
#include "ui/EditPrnName.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Puts a block of exactly these bytes, without a terminator, on the clipboard.
bool PutUnterminatedText(const std::string& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block)
        return false;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!put)
        GlobalFree(block);
    return put;
}

TEST(ClipboardScan, TextWithoutTerminatorIsJudgedByTheBlockAlone)
{
    ScopedOsVersion version(Os7);
    CEditPrnName edit; // no window: the check opens the clipboard for no owner
    // The whole block is allowed text: accepted, whatever lies behind it.
    ASSERT_TRUE(PutUnterminatedText(std::string(4096, 'a')));
    EXPECT_TRUE(edit.CheckClipboardText());
    // A refused character inside such a block is seen.
    ASSERT_TRUE(PutUnterminatedText("\\" + std::string(4095, 'a')));
    EXPECT_FALSE(edit.CheckClipboardText());
}

} // namespace
