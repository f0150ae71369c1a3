#include "support/DialogTexts.h"

#include "support/Cp932.h"

const std::string& MainCaption()
{
    static const std::string caption = Cp932(u8"PLOTARA ｶﾗｰﾌﾟﾛﾌｧｲﾙ 設定ﾂｰﾙ");
    return caption;
}

const std::string& CopyErrorCaption()
{
    static const std::string caption = Cp932(u8"ｺﾋﾟｰ ｴﾗｰ");
    return caption;
}

const std::string& OverwriteCaption()
{
    static const std::string caption = Cp932(u8"ﾌｧｲﾙの上書きの確認");
    return caption;
}

const std::string& AboutCaption()
{
    static const std::string caption = Cp932(u8"ﾊﾞｰｼﾞｮﾝ情報");
    return caption;
}

std::string CannotCopyText(const std::string& fileName)
{
    return fileName + Cp932(u8" をｺﾋﾟｰできません。");
}

std::string AlreadyThereText(const std::string& fileName)
{
    return Cp932(u8"次のﾌｫﾙﾀﾞには既に '") + fileName + Cp932(u8"' ﾌｧｲﾙが存在します。");
}
