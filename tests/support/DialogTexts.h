// The captions and fixed texts of the program's dialogs, as the code page 932
// bytes a test reads back from their windows.
#pragma once

#include <string>

const std::string& MainCaption();      // "PLOTARA ｶﾗｰﾌﾟﾛﾌｧｲﾙ 設定ﾂｰﾙ"
const std::string& CopyErrorCaption(); // "ｺﾋﾟｰ ｴﾗｰ"
const std::string& OverwriteCaption(); // "ﾌｧｲﾙの上書きの確認"
const std::string& AboutCaption();     // "ﾊﾞｰｼﾞｮﾝ情報"
// The copy error dialog's message for a file name.
std::string CannotCopyText(const std::string& fileName);
// The overwrite question's line for a file name.
std::string AlreadyThereText(const std::string& fileName);
