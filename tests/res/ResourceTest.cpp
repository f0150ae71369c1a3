// The program's resources as the user meets them: every string of the string
// table in code page 932 bytes, the four dialog templates (as stored, and as
// the system builds windows from them), the version dialog's banner and the
// application manifest. This executable links the same resource script, so
// its own module holds exactly the program's resources.
#include "res/resource.h"

#include "kpx_version.h"
#include "support/Cp932.h"
#include "support/PictureSizes.h"
#include "support/TextLines.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

HINSTANCE Self()
{
    return GetModuleHandleA(nullptr);
}

// A resource's bytes inside this module; empty when it is missing.
std::string ResourceBytes(LPCSTR name, LPCSTR type)
{
    HRSRC info = FindResourceA(Self(), name, type);
    if (!info)
        return std::string();
    HGLOBAL data = LoadResource(Self(), info);
    const void* p = data ? LockResource(data) : nullptr;
    return p ? std::string(static_cast<const char*>(p), SizeofResource(Self(), info)) : std::string();
}

// ---------------------------------------------------------------------------
// String table

// Each text twice: as the UTF-8 the resource script holds (for the reader) and
// as the code page 932 bytes a Japanese system hands to the ANSI calls.
struct StringRow {
    UINT id;
    const char* utf8;
    const char* cp932;
};

const StringRow kStrings[] = {
    {IDS_ABOUTBOX, u8"ﾊﾞｰｼﾞｮﾝ情報(&V)...", "\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1(&V)..."},
    {IDS_VERSION_TEXT,
     u8"PLOTARA ｶﾗｰﾌﾟﾛﾌｧｲﾙ 設定ﾂｰﾙ\r\n"
     u8"Version " KPX_VERSION_TEXT "\r\n"
     u8"\r\n"
     u8"Copyright (C) 2026 KESTRO",
     "PLOTARA \xB6\xD7\xB0\xCC\xDF\xDB\xCC\xA7\xB2\xD9 \x90\xDD\x92\xE8\xC2\xB0"
     "\xD9\r\nVersion " KPX_VERSION_TEXT "\r\n\r\nCopyright (C) 2026 KESTRO"},
    {IDS_COL_PRINTER, u8"ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名", "\xCC\xDF\xD8\xDD\xC0\xB0\xC4\xDE\xD7\xB2\xCA\xDE\xB0\x96\xBC"},
    {IDS_COL_PROFILESET, u8"ﾌﾟﾛﾌｧｲﾙｾｯﾄ名", "\xCC\xDF\xDB\xCC\xA7\xB2\xD9\xBE\xAF\xC4\x96\xBC"},
    {IDS_COL_PORT, u8"ﾎﾟｰﾄ", "\xCE\xDF\xB0\xC4"},
    {IDS_DRIVER_NAME, u8"KESTRO PLOTARA", "KESTRO PLOTARA"},
    {IDS_DRIVER_NAME_COLOR, u8"KESTRO PLOTARA Color Printer", "KESTRO PLOTARA Color Printer"},
    {IDS_CAPTION_NAME_ERROR, u8"ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名の変更ｴﾗｰ",
     "\xCC\xDF\xD8\xDD\xC0\xB0\xC4\xDE\xD7\xB2\xCA\xDE\xB0\x96\xBC\x82\xCC\x95\xCF"
     "\x8D\x58\xB4\xD7\xB0"},
    {IDS_CAPTION_PRINTER, u8"ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ", "\xCC\xDF\xD8\xDD\xC0\xB0\xC4\xDE\xD7\xB2\xCA\xDE\xB0"},
    {IDS_CAPTION_PROFILE_SETTING, u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定", "\xB6\xD7\xB0\xCC\xDF\xDB\xCC\xA7\xB2\xD9\x90\xDD\x92\xE8"},
    {IDS_NO_DRIVER,
     u8"現在、このﾂｰﾙで使用可能なPLOTARAﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰがｲﾝｽﾄｰﾙ\n"
     u8"されていません。\n"
     u8"KESTRO PLOTARAまたはKESTRO PLOTARA Color Printerを\n"
     u8"ｲﾝｽﾄｰﾙして、お使いください。",
     "\x8C\xBB\x8D\xDD\x81\x41\x82\xB1\x82\xCC\xC2\xB0\xD9\x82\xC5\x8E\x67\x97\x70"
     "\x89\xC2\x94\x5C\x82\xC8PLOTARA\xCC\xDF\xD8\xDD\xC0\xB0\xC4\xDE\xD7\xB2\xCA"
     "\xDE\xB0\x82\xAA\xB2\xDD\xBD\xC4\xB0\xD9\n\x82\xB3\x82\xEA\x82\xC4\x82\xA2"
     "\x82\xDC\x82\xB9\x82\xF1\x81\x42\nKESTRO PLOTARA\x82\xDC\x82\xBD\x82\xCD"
     "KESTRO PLOTARA Color Printer\x82\xF0\n\xB2\xDD\xBD\xC4\xB0\xD9\x82\xB5\x82\xC4"
     "\x81\x41\x82\xA8\x8E\x67\x82\xA2\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42"},
    {IDS_NAME_EXISTS, u8"指定されたﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名は既に存在します。別の名前を指定してください。",
     "\x8E\x77\x92\xE8\x82\xB3\x82\xEA\x82\xBD\xCC\xDF\xD8\xDD\xC0\xB0\xC4\xDE"
     "\xD7\xB2\xCA\xDE\xB0\x96\xBC\x82\xCD\x8A\xF9\x82\xC9\x91\xB6\x8D\xDD\x82\xB5"
     "\x82\xDC\x82\xB7\x81\x42\x95\xCA\x82\xCC\x96\xBC\x91\x4F\x82\xF0\x8E\x77"
     "\x92\xE8\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42"},
    {IDS_NAME_EMPTY, u8"ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名を指定してください。",
     "\xCC\xDF\xD8\xDD\xC0\xB0\xC4\xDE\xD7\xB2\xCA\xDE\xB0\x96\xBC\x82\xF0\x8E\x77"
     "\x92\xE8\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42"},
    {IDS_CONFIRM_CHANGE,
     u8"選択されたﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰのｶﾗｰﾌﾟﾛﾌｧｲﾙを設定通りに変更します。\n"
     u8"よろしいですか？",
     "\x91\x49\x91\xF0\x82\xB3\x82\xEA\x82\xBD\xCC\xDF\xD8\xDD\xC0\xB0\xC4\xDE"
     "\xD7\xB2\xCA\xDE\xB0\x82\xCC\xB6\xD7\xB0\xCC\xDF\xDB\xCC\xA7\xB2\xD9\x82\xF0"
     "\x90\xDD\x92\xE8\x92\xCA\x82\xE8\x82\xC9\x95\xCF\x8D\x58\x82\xB5\x82\xDC"
     "\x82\xB7\x81\x42\n\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9"
     "\x81\x48"},
    {IDS_CHANGE_FAILED, u8"設定を変更できませんでした。",
     "\x90\xDD\x92\xE8\x82\xF0\x95\xCF\x8D\x58\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
     "\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42"},
    {IDS_DEFAULT_SET_NAME, u8"MODELA QX 480", "MODELA QX 480"},
    {IDS_OTHER_USER, u8"別のﾕｰｻﾞｰが使用中です。",
     "\x95\xCA\x82\xCC\xD5\xB0\xBB\xDE\xB0\x82\xAA\x8E\x67\x97\x70\x92\x86\x82\xC5"
     "\x82\xB7\x81\x42"},
    {IDS_FILE_NOT_FOUND, u8"%1ﾌｧｲﾙが見つかりません。",
     "%1\xCC\xA7\xB2\xD9\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9"
     "\x82\xF1\x81\x42"},
    {IDS_BROWSE_TITLE, u8"ﾌｧｲﾙの場所", "\xCC\xA7\xB2\xD9\x82\xCC\x8F\xEA\x8F\x8A"},
    {IDS_RENAME_NO_REASON, u8"印刷ｽﾌﾟｰﾗｰは理由を返しませんでした",
     "\x88\xF3\x8D\xFC\xBD\xCC\xDF\xB0\xD7\xB0\x82\xCD\x97\x9D\x97R\x82\xF0\x95\xD4\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x82"
     "\xC5\x82\xB5\x82\xBD"},
    {IDS_CHECK_MORE_PRINTERS, u8"ほか%1台", "\x82\xD9\x82\xA9%1\x91\xE4"},
    {IDS_APP_TITLE, u8"PLOTARA ｶﾗｰﾌﾟﾛﾌｧｲﾙ 設定ﾂｰﾙ",
     "PLOTARA \xB6\xD7\xB0\xCC\xDF\xDB\xCC\xA7\xB2\xD9 \x90\xDD\x92\xE8\xC2\xB0"
     "\xD9"},
};

TEST(ResourceStrings, ProcessRunsInCodePage932)
{
    // Every byte expectation below presumes the Japanese ANSI code page.
    EXPECT_EQ(932u, GetACP());
}

TEST(ResourceStrings, EveryStringLoadsAsItsCodePage932Bytes)
{
    for (const StringRow& row : kStrings) {
        SCOPED_TRACE(testing::Message() << "string " << row.id << " " << row.utf8);
        std::string expected = row.cp932;
        char buf[1024] = {};
        int n = LoadStringA(Self(), row.id, buf, sizeof buf);
        EXPECT_EQ(int(expected.size()), n);
        EXPECT_PRED_FORMAT2(SameBytes, expected, std::string(buf, n > 0 ? n : 0));
    }
}

TEST(ResourceStrings, SystemConversionAgreesWithTheExpectedBytes)
{
    // The byte column was produced outside Windows; the system's own table
    // must give the same bytes, or tests that write u8"..." through Cp932()
    // would expect something else than the program shows.
    for (const StringRow& row : kStrings) {
        SCOPED_TRACE(testing::Message() << "string " << row.id);
        EXPECT_PRED_FORMAT2(SameBytes, std::string(row.cp932), Cp932(row.utf8));
    }
}

TEST(ResourceStrings, TableHoldsNoOtherIds)
{
    // The block of the dialog's own texts covers 96..119, and 57344..57359;
    // an id in them that is not in the list above would be a stray text.
    // (From 120 on stand the reports of an apply and the command line's
    // texts, which their own tests read as the user sees them.)
    std::set<UINT> known;
    for (const StringRow& row : kStrings)
        known.insert(row.id);
    for (UINT id = 96; id < 120; ++id) {
        if (!known.count(id)) {
            EXPECT_EQ("", LoadResourceString(id)) << "string " << id;
        }
    }
    for (UINT id = 57345; id < 57360; ++id)
        EXPECT_EQ("", LoadResourceString(id)) << "string " << id;
}

TEST(ResourceStrings, ValuesGoOnlyIntoNumberedPlaces)
{
    // FormatResString fills %1 to %9; a printf conversion would reach the
    // user as it stands.
    const std::regex conversion("%[-+ #0-9.]*[hlL]*[sdiuxc]");
    for (UINT id = 0; id < 0x10000; ++id)
        EXPECT_FALSE(std::regex_search(LoadResourceString(id), conversion)) << "string " << id;
}

TEST(ResourceStrings, VersionTextIsFourCrLfLines)
{
    // The version dialog shows string 102 in a multi-line edit control,
    // which breaks lines only at CR LF.
    std::string text = LoadResourceString(IDS_VERSION_TEXT);
    std::vector<std::string> lines = SplitCrLfLines(text);
    ASSERT_EQ(4u, lines.size()) << text;
    EXPECT_PRED_FORMAT2(SameBytes, LoadResourceString(IDS_APP_TITLE), lines[0]);
    EXPECT_EQ(0u, lines[1].find("Version ")) << lines[1];
    EXPECT_EQ("", lines[2]);
    EXPECT_EQ(0u, lines[3].find("Copyright ")) << lines[3];
    for (const std::string& line : lines)
        EXPECT_EQ(std::string::npos, line.find_first_of("\r\n")) << "a lone CR or LF";
}

// ---------------------------------------------------------------------------
// Dialog templates as stored

// One control of a template.
struct ControlRow {
    int id;
    const char* className;
    DWORD style;
    short x, y, cx, cy;
    const char* utf8; // text; null for the picture, whose text is a resource id
    const char* cp932;
    DWORD helpId;
};

struct DialogRow {
    WORD id;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    const char* captionUtf8;
    const char* captionCp932;
    int defaultButton;
    std::vector<ControlRow> controls; // in creation (tab) order
};

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kLabel = kChild | WS_GROUP | SS_LEFT;
const DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
const DWORD kDefButton = kChild | WS_TABSTOP | BS_DEFPUSHBUTTON;
const DWORD kModal = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// Names the row in test output instead of a byte dump.
void PrintTo(const DialogRow& row, std::ostream* os)
{
    *os << "template " << row.id;
}

const DialogRow kDialogs[] = {
    {IDD_KPXSETUP_DIALOG,
     kModal | DS_CONTEXTHELP | WS_VISIBLE,
     WS_EX_APPWINDOW | WS_EX_CONTEXTHELP,
     270,
     220,
     u8"PLOTARA ｶﾗｰﾌﾟﾛﾌｧｲﾙ 設定ﾂｰﾙ",
     "PLOTARA \xB6\xD7\xB0\xCC\xDF\xDB\xCC\xA7\xB2\xD9 \x90\xDD\x92\xE8"
     "\xC2\xB0\xD9",
     IDOK,
     {
         {IDC_LIST_LABEL, "Static", kLabel, 10, 10, 222, 8, u8"現在設定されているｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄ(&L)",
          "\x8C\xBB\x8D\xDD\x90\xDD\x92\xE8\x82\xB3\x82\xEA\x82\xC4\x82\xA2"
          "\x82\xE9\xB6\xD7\xB0\xCC\xDF\xDB\xCC\xA7\xB2\xD9\xBE\xAF\xC4(&L)",
          HIDC_LIST_LABEL},
         {IDC_PRINTER_LIST, "SysListView32",
          kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTDESCENDING, 10, 24,
          250, 70, u8"List1", "List1", 0},
         {IDC_STATIC, "Button", kChild | BS_GROUPBOX, 10, 100, 250, 70, u8"", "", 0},
         {IDC_NAME_LABEL, "Static", kLabel, 20, 114, 140, 8, u8"ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名変更(&N)",
          "\xCC\xDF\xD8\xDD\xC0\xB0\xC4\xDE\xD7\xB2\xCA\xDE\xB0\x96\xBC\x95\xCF"
          "\x8D\x58(&N)",
          HIDC_NAME_LABEL},
         {IDC_PRINTER_NAME, "Edit", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 20, 126, 140, 14, u8"", "", 0},
         {IDC_SET_LABEL, "Static", kLabel, 172, 114, 80, 8, u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄ名(&P)",
          "\xB6\xD7\xB0\xCC\xDF\xDB\xCC\xA7\xB2\xD9\xBE\xAF\xC4\x96\xBC(&P)", HIDC_SET_LABEL},
         {IDC_PROFILE_SET, "ComboBox", kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_SORT, 172, 126, 80, 89,
          u8"", "", 0},
         {IDC_SET, "Button", kButton, 202, 148, 50, 14, u8"設定(&S)", "\x90\xDD\x92\xE8(&S)", HIDC_SET},
         {IDC_VERSION, "Button", kButton, 10, 190, 66, 14, u8"ﾊﾞｰｼﾞｮﾝ情報(&V)...",
          "\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1(&V)...", HIDC_VERSION},
         {IDOK, "Button", kDefButton, 148, 190, 50, 14, u8"閉じる", "\x95\xC2\x82\xB6\x82\xE9", HIDC_CLOSE},
         {ID_HELP, "Button", kButton, 210, 190, 50, 14, u8"ﾍﾙﾌﾟ(&H)", "\xCD\xD9\xCC\xDF(&H)", HIDC_HELP},
     }},
    {IDD_ABOUTBOX,
     kModal,
     0,
     256,
     224,
     u8"ﾊﾞｰｼﾞｮﾝ情報",
     "\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1",
     IDOK,
     {
         {IDC_STATIC, "Static", kChild | SS_BITMAP, 0, 0, 256, 148, nullptr, nullptr, 0},
         {IDC_VERSION_TEXT, "Edit", kChild | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 2, 152, 252, 48, u8"",
          "", 0},
         {IDOK, "Button", kDefButton, 198, 204, 56, 16, u8"OK", "OK", 0},
     }},
    {IDD_COPYERROR,
     kModal,
     0,
     275,
     140,
     u8"ｺﾋﾟｰ ｴﾗｰ",
     "\xBA\xCB\xDF\xB0 \xB4\xD7\xB0",
     IDRETRY,
     {
         // Statics that receive a file name show '&' as typed.
         {IDC_COPY_MESSAGE, "Static", kLabel | SS_NOPREFIX, 14, 17, 151, 8, u8"%s をｺﾋﾟｰできません。",
          "%s \x82\xF0\xBA\xCB\xDF\xB0\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"
          "\x81\x42",
          0},
         {IDC_COPY_HINT, "Static", kLabel, 14, 50, 194, 30,
          u8"指定した場所が正しいことを確認するか、または場所を変更して、\n"
          u8"指定したﾄﾞﾗｲﾌﾞに 'PLOTARA KPX Attach Tool kpx' を挿入して\n"
          u8"ください。",
          "\x8E\x77\x92\xE8\x82\xB5\x82\xBD\x8F\xEA\x8F\x8A\x82\xAA\x90\xB3"
          "\x82\xB5\x82\xA2\x82\xB1\x82\xC6\x82\xF0\x8A\x6D\x94\x46\x82\xB7"
          "\x82\xE9\x82\xA9\x81\x41\x82\xDC\x82\xBD\x82\xCD\x8F\xEA\x8F\x8A"
          "\x82\xF0\x95\xCF\x8D\x58\x82\xB5\x82\xC4\x81\x41\n\x8E\x77\x92\xE8"
          "\x82\xB5\x82\xBD\xC4\xDE\xD7\xB2\xCC\xDE\x82\xC9 'PLOTARA KPX At"
          "tach Tool kpx' \x82\xF0\x91\x7D\x93\xFC\x82\xB5\x82\xC4\n\x82\xAD"
          "\x82\xBE\x82\xB3\x82\xA2\x81\x42",
          0},
         {IDRETRY, "Button", kDefButton, 210, 14, 50, 14, u8"再試行(&R)", "\x8D\xC4\x8E\x8E\x8D\x73(&R)", 0},
         {IDCANCEL, "Button", kButton, 210, 34, 50, 14, u8"ｷｬﾝｾﾙ", "\xB7\xAC\xDD\xBE\xD9", 0},
         {IDC_COPY_SOURCE_LABEL, "Static", kLabel, 14, 92, 59, 8, u8"ｺﾋﾟｰ元(&C):", "\xBA\xCB\xDF\xB0\x8C\xB3(&C):", 0},
         {IDC_COPY_SOURCE, "Edit", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 14, 106, 180, 14, u8"", "", 0},
         {IDC_BROWSE, "Button", kButton, 210, 106, 50, 14, u8"参照(&B)...", "\x8E\x51\x8F\xC6(&B)...", 0},
     }},
    {IDD_OVERWRITE,
     kModal,
     0,
     255,
     162,
     u8"ﾌｧｲﾙの上書きの確認",
     "\xCC\xA7\xB2\xD9\x82\xCC\x8F\xE3\x8F\x91\x82\xAB\x82\xCC\x8A\x6D"
     "\x94\x46",
     IDYES,
     {
         {IDC_OVERWRITE_FILE, "Static", kLabel | SS_NOPREFIX, 14, 17, 170, 8,
          u8"次のﾌｫﾙﾀﾞには既に '%s' ﾌｧｲﾙが存在します。",
          "\x8E\x9F\x82\xCC\xCC\xAB\xD9\xC0\xDE\x82\xC9\x82\xCD\x8A\xF9\x82\xC9 '%s' "
          "\xCC\xA7\xB2\xD9\x82\xAA\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB7\x81"
          "B",
          0},
         {IDC_OVERWRITE_DIR, "Static", kLabel | SS_NOPREFIX | SS_PATHELLIPSIS, 14, 28, 227, 8, u8"%s", "%s", 0},
         {IDC_STATIC, "Static", kLabel, 14, 42, 170, 8, u8"現在のﾌｧｲﾙ (内容が異なります)",
          "\x8C\xBB\x8D\xDD\x82\xCC\xCC\xA7\xB2\xD9 (\x93\xE0\x97"
          "e\x82\xAA\x88\xD9\x82\xC8\x82\xE8\x82\xDC\x82\xB7)",
          0},
         {IDC_EXISTING_SIZE, "Static", kLabel, 47, 57, 150, 8, u8"%d KB", "%d KB", 0},
         {IDC_EXISTING_TIME, "Static", kLabel, 47, 69, 150, 8, u8"更新日時: %s", "\x8D\x58\x90\x56\x93\xFA\x8E\x9E: %s",
          0},
         {IDC_STATIC, "Static", kLabel, 14, 85, 170, 8, u8"に次の新しいﾌｧｲﾙを上書きしますか?",
          "\x82\xC9\x8E\x9F\x82\xCC\x90\x56\x82\xB5\x82\xA2\xCC\xA7\xB2\xD9"
          "\x82\xF0\x8F\xE3\x8F\x91\x82\xAB\x82\xB5\x82\xDC\x82\xB7\x82\xA9"
          "?",
          0},
         {IDC_NEW_SIZE, "Static", kLabel, 47, 100, 150, 8, u8"%d KB", "%d KB", 0},
         {IDC_NEW_TIME, "Static", kLabel, 47, 112, 150, 8, u8"更新日時: %s", "\x8D\x58\x90\x56\x93\xFA\x8E\x9E: %s", 0},
         {IDYES, "Button", kDefButton, 10, 137, 54, 14, u8"はい(&Y)", "\x82\xCD\x82\xA2(&Y)", 0},
         {IDC_OVERWRITE_ALL, "Button", kButton, 70, 137, 54, 14, u8"すべて上書き(&A)",
          "\x82\xB7\x82\xD7\x82\xC4\x8F\xE3\x8F\x91\x82\xAB(&A)", 0},
         {IDNO, "Button", kButton, 130, 137, 54, 14, u8"いいえ(&N)", "\x82\xA2\x82\xA2\x82\xA6(&N)", 0},
         {IDCANCEL, "Button", kButton, 190, 137, 54, 14, u8"ｷｬﾝｾﾙ", "\xB7\xAC\xDD\xBE\xD9", 0},
     }},
};

// An extended dialog template (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX
// items) read field by field; the layout is variable, so there is no struct
// to overlay.
struct StoredControl {
    DWORD helpId = 0, exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring className; // predefined classes are stored as atoms; named here
    std::wstring text;
    int textOrdinal = -1; // a resource id instead of a text (pictures)
};

struct StoredDialog {
    WORD version = 0, signature = 0;
    DWORD helpId = 0, exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring menu, className, title;
    int menuOrdinal = -1, classOrdinal = -1;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::wstring face;
    std::vector<StoredControl> controls;
};

class TemplateReader {
public:
    explicit TemplateReader(const std::string& bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }

    template <class T>
    T get()
    {
        T value{};
        if (m_pos + sizeof(T) > m_bytes.size()) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_bytes.data() + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }

    // sz_Or_Ord: 0 = none, 0xFFFF + ordinal, or a zero-terminated UTF-16 text.
    std::wstring text(int* ordinal = nullptr)
    {
        WORD first = get<WORD>();
        if (first == 0xFFFF) {
            WORD ord = get<WORD>();
            if (ordinal)
                *ordinal = ord;
            return std::wstring();
        }
        std::wstring s;
        for (WORD c = first; c != 0 && m_ok; c = get<WORD>())
            s += wchar_t(c);
        return s;
    }

    void alignDword() { m_pos = (m_pos + 3) & ~size_t(3); }

private:
    const std::string& m_bytes;
    size_t m_pos = 0;
    bool m_ok = true;
};

std::wstring PredefinedClass(int atom)
{
    switch (atom) {
    case 0x80:
        return L"Button";
    case 0x81:
        return L"Edit";
    case 0x82:
        return L"Static";
    case 0x83:
        return L"ListBox";
    case 0x84:
        return L"ScrollBar";
    case 0x85:
        return L"ComboBox";
    default:
        return L"#" + std::to_wstring(atom);
    }
}

bool ReadDialogTemplate(WORD id, StoredDialog& d)
{
    std::string bytes = ResourceBytes(MAKEINTRESOURCEA(id), RT_DIALOG);
    TemplateReader r(bytes);
    d.version = r.get<WORD>();
    d.signature = r.get<WORD>();
    d.helpId = r.get<DWORD>();
    d.exStyle = r.get<DWORD>();
    d.style = r.get<DWORD>();
    WORD count = r.get<WORD>();
    d.x = r.get<short>();
    d.y = r.get<short>();
    d.cx = r.get<short>();
    d.cy = r.get<short>();
    d.menu = r.text(&d.menuOrdinal);
    d.className = r.text(&d.classOrdinal);
    d.title = r.text();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.get<WORD>();
        d.weight = r.get<WORD>();
        d.italic = r.get<BYTE>();
        d.charset = r.get<BYTE>();
        d.face = r.text();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        r.alignDword();
        StoredControl c;
        c.helpId = r.get<DWORD>();
        c.exStyle = r.get<DWORD>();
        c.style = r.get<DWORD>();
        c.x = r.get<short>();
        c.y = r.get<short>();
        c.cx = r.get<short>();
        c.cy = r.get<short>();
        c.id = r.get<DWORD>();
        int atom = -1;
        c.className = r.text(&atom);
        if (atom >= 0)
            c.className = PredefinedClass(atom);
        c.text = r.text(&c.textOrdinal);
        WORD extra = r.get<WORD>();
        for (WORD b = 0; b < extra; ++b)
            r.get<BYTE>();
        d.controls.push_back(c);
    }
    return !bytes.empty() && r.ok();
}

class ResourceTemplate : public testing::TestWithParam<DialogRow> {};

TEST_P(ResourceTemplate, IsAnExtendedTemplateWithTheDialogsFrame)
{
    const DialogRow& row = GetParam();
    StoredDialog d;
    ASSERT_TRUE(ReadDialogTemplate(row.id, d));
    EXPECT_EQ(1, d.version);
    EXPECT_EQ(0xFFFF, d.signature);
    EXPECT_EQ(row.style, d.style);
    EXPECT_EQ(row.exStyle, d.exStyle);
    EXPECT_EQ(0u, d.helpId);
    EXPECT_EQ(0, d.x);
    EXPECT_EQ(0, d.y);
    EXPECT_EQ(row.cx, d.cx);
    EXPECT_EQ(row.cy, d.cy);
    EXPECT_TRUE(d.menu.empty());
    EXPECT_EQ(-1, d.menuOrdinal);
    // No class of its own: the system's dialog class, which a second start
    // looks for.
    EXPECT_TRUE(d.className.empty());
    EXPECT_EQ(-1, d.classOrdinal);
    EXPECT_EQ(row.captionUtf8, Utf8FromUtf16(d.title));
}

TEST_P(ResourceTemplate, UsesNinePointMsPGothic)
{
    StoredDialog d;
    ASSERT_TRUE(ReadDialogTemplate(GetParam().id, d));
    EXPECT_EQ(9, d.pointSize);
    EXPECT_EQ(0, d.weight);
    EXPECT_EQ(0, d.italic);
    EXPECT_EQ(DEFAULT_CHARSET, d.charset);
    EXPECT_EQ(u8"ＭＳ Ｐゴシック", Utf8FromUtf16(d.face));
}

TEST_P(ResourceTemplate, HoldsEachControlInOrder)
{
    const DialogRow& row = GetParam();
    StoredDialog d;
    ASSERT_TRUE(ReadDialogTemplate(row.id, d));
    ASSERT_EQ(row.controls.size(), d.controls.size());
    for (size_t i = 0; i < d.controls.size(); ++i) {
        const ControlRow& want = row.controls[i];
        const StoredControl& got = d.controls[i];
        SCOPED_TRACE(testing::Message() << "control #" << i << " id " << want.id);
        EXPECT_EQ(DWORD(want.id), got.id);
        // Class names compare without regard to case (the compiler may
        // store them upper-cased or as the predefined atoms).
        EXPECT_EQ(0, lstrcmpiA(want.className, Utf8FromUtf16(got.className).c_str())) << Utf8FromUtf16(got.className);
        EXPECT_EQ(want.style, got.style) << std::hex << (want.style ^ got.style);
        EXPECT_EQ(0u, got.exStyle);
        EXPECT_EQ(want.x, got.x);
        EXPECT_EQ(want.y, got.y);
        EXPECT_EQ(want.cx, got.cx);
        EXPECT_EQ(want.cy, got.cy);
        if (want.utf8) {
            EXPECT_EQ(-1, got.textOrdinal);
            EXPECT_EQ(want.utf8, Utf8FromUtf16(got.text));
        } else {
            EXPECT_EQ(IDB_ABOUT, got.textOrdinal) << "the picture names bitmap 130";
        }
        EXPECT_EQ(want.helpId, got.helpId);
    }
}

// ---------------------------------------------------------------------------
// Dialogs as the system builds them

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A modeless instance of a template, destroyed with the test.
class LiveDialog {
public:
    explicit LiveDialog(WORD id)
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        m_hwnd = CreateDialogParamA(Self(), MAKEINTRESOURCEA(id), nullptr, QuietDialogProc, 0);
    }
    ~LiveDialog()
    {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
    }
    LiveDialog(const LiveDialog&) = delete;
    LiveDialog& operator=(const LiveDialog&) = delete;

    HWND hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

std::string WindowText(HWND hwnd)
{
    char buf[1024] = {};
    int n = GetWindowTextA(hwnd, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

std::string ClassName(HWND hwnd)
{
    char buf[256] = {};
    GetClassNameA(hwnd, buf, sizeof buf);
    return buf;
}

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND h = GetWindow(dialog, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children;
}

class ResourceDialog : public testing::TestWithParam<DialogRow> {};

TEST_P(ResourceDialog, CaptionIsCodePage932Text)
{
    const DialogRow& row = GetParam();
    LiveDialog dlg(row.id);
    ASSERT_TRUE(dlg.hwnd());
    EXPECT_PRED_FORMAT2(SameBytes, std::string(row.captionCp932), WindowText(dlg.hwnd()));
}

// The help ids are checked in the stored template only: Wine does not hand
// them on to the controls it creates (Windows does).
TEST_P(ResourceDialog, ControlsHaveTheirIdsClassesAndTexts)
{
    const DialogRow& row = GetParam();
    LiveDialog dlg(row.id);
    ASSERT_TRUE(dlg.hwnd());
    std::vector<HWND> children = Children(dlg.hwnd());
    ASSERT_EQ(row.controls.size(), children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const ControlRow& want = row.controls[i];
        HWND h = children[i];
        SCOPED_TRACE(testing::Message() << "control #" << i << " id " << want.id);
        EXPECT_EQ(want.id, GetDlgCtrlID(h));
        if (want.id != IDC_STATIC) {
            EXPECT_EQ(h, GetDlgItem(dlg.hwnd(), want.id));
        }
        EXPECT_EQ(0, lstrcmpiA(want.className, ClassName(h).c_str())) << ClassName(h);
        if (want.cp932) {
            EXPECT_PRED_FORMAT2(SameBytes, std::string(want.cp932), WindowText(h));
        }
        const DWORD kept = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP;
        EXPECT_EQ(want.style & kept, DWORD(GetWindowLongA(h, GWL_STYLE)) & kept);
    }
}

TEST_P(ResourceDialog, DefaultButtonIsTheSpecifiedOne)
{
    const DialogRow& row = GetParam();
    LiveDialog dlg(row.id);
    ASSERT_TRUE(dlg.hwnd());
    LRESULT def = SendMessageA(dlg.hwnd(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(DC_HASDEFID, HIWORD(def));
    EXPECT_EQ(row.defaultButton, LOWORD(def));
    HWND button = GetDlgItem(dlg.hwnd(), row.defaultButton);
    ASSERT_TRUE(button);
    EXPECT_EQ(DWORD(BS_DEFPUSHBUTTON), DWORD(GetWindowLongA(button, GWL_STYLE)) & BS_TYPEMASK);
}

TEST_P(ResourceDialog, TabKeyVisitsTheTabStopsInOrder)
{
    const DialogRow& row = GetParam();
    LiveDialog dlg(row.id);
    ASSERT_TRUE(dlg.hwnd());
    std::vector<int> expected;
    for (const ControlRow& c : row.controls)
        if (c.style & WS_TABSTOP)
            expected.push_back(c.id);
    ASSERT_FALSE(expected.empty());

    // The dialog's own tab walk, from the first stop round to it again.
    std::vector<int> visited;
    HWND first = GetNextDlgTabItem(dlg.hwnd(), nullptr, FALSE);
    HWND h = first;
    do {
        visited.push_back(GetDlgCtrlID(h));
        h = GetNextDlgTabItem(dlg.hwnd(), h, FALSE);
    } while (h && h != first && visited.size() <= row.controls.size());
    EXPECT_EQ(expected, visited);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ResourceTemplate, testing::ValuesIn(kDialogs),
                         [](const testing::TestParamInfo<DialogRow>& info) {
                             return "Template" + std::to_string(info.param.id);
                         });
INSTANTIATE_TEST_SUITE_P(Dialogs, ResourceDialog, testing::ValuesIn(kDialogs),
                         [](const testing::TestParamInfo<DialogRow>& info) {
                             return "Template" + std::to_string(info.param.id);
                         });

TEST(ResourceMainDialog, ListIsASingleSelectionReportSortedDescending)
{
    LiveDialog dlg(IDD_KPXSETUP_DIALOG);
    HWND list = GetDlgItem(dlg.hwnd(), IDC_PRINTER_LIST);
    ASSERT_TRUE(list);
    DWORD style = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(DWORD(LVS_REPORT), style & LVS_TYPEMASK);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(style & LVS_SORTDESCENDING);
    EXPECT_FALSE(style & LVS_SORTASCENDING);
}

TEST(ResourceMainDialog, SetDropDownIsASortedListWithoutEditing)
{
    LiveDialog dlg(IDD_KPXSETUP_DIALOG);
    HWND combo = GetDlgItem(dlg.hwnd(), IDC_PROFILE_SET);
    ASSERT_TRUE(combo);
    DWORD style = GetWindowLongA(combo, GWL_STYLE);
    EXPECT_EQ(DWORD(CBS_DROPDOWNLIST), style & 3);
    EXPECT_TRUE(style & CBS_SORT);
    // Entries come out in the control's order, not the order of insertion.
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Poster"));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Photo"));
    char first[32] = {};
    SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ("Photo", first);
}

TEST(ResourceMainDialog, UsesTheTemplateFontAndContextHelp)
{
    LiveDialog dlg(IDD_KPXSETUP_DIALOG);
    ASSERT_TRUE(dlg.hwnd());
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dlg.hwnd(), WM_GETFONT, 0, 0));
    ASSERT_TRUE(font);
    LOGFONTA lf = {};
    ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"ＭＳ Ｐゴシック"), std::string(lf.lfFaceName));
    EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
    EXPECT_TRUE(GetWindowLongA(dlg.hwnd(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_TRUE(GetWindowLongA(dlg.hwnd(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(IsWindowVisible(dlg.hwnd())) << "the template itself is visible";
}

TEST(ResourceMainDialog, TitleIsTheApplicationTitle)
{
    // A second start finds the running copy by the dialog class and this
    // title, so the two texts must be the same bytes.
    LiveDialog dlg(IDD_KPXSETUP_DIALOG);
    ASSERT_TRUE(dlg.hwnd());
    EXPECT_PRED_FORMAT2(SameBytes, LoadResourceString(IDS_APP_TITLE), WindowText(dlg.hwnd()));
    EXPECT_EQ(dlg.hwnd(), FindWindowA(MAKEINTATOM(0x8002), WindowText(dlg.hwnd()).c_str()));
}

TEST(ResourceCopyErrorDialog, HintIsThreeLinesSeparatedByLineFeeds)
{
    LiveDialog dlg(IDD_COPYERROR);
    std::string hint = WindowText(GetDlgItem(dlg.hwnd(), IDC_COPY_HINT));
    EXPECT_EQ(std::string::npos, hint.find('\r'));
    size_t first = hint.find('\n');
    ASSERT_NE(std::string::npos, first);
    size_t second = hint.find('\n', first + 1);
    ASSERT_NE(std::string::npos, second);
    EXPECT_EQ(std::string::npos, hint.find('\n', second + 1));
}

TEST(ResourceAboutDialog, PictureShowsTheBanner)
{
    LiveDialog dlg(IDD_ABOUTBOX);
    ASSERT_TRUE(dlg.hwnd());
    // The static sized itself to the picture.
    EXPECT_EQ((std::vector<int>{448, 224, 448, 224}), PictureSizes(Children(dlg.hwnd()).at(0)));
}

TEST(ResourceAboutDialog, VersionEditShowsTheVersionTextLineByLine)
{
    LiveDialog dlg(IDD_ABOUTBOX);
    HWND edit = GetDlgItem(dlg.hwnd(), IDC_VERSION_TEXT);
    ASSERT_TRUE(edit);
    std::string text = LoadResourceString(IDS_VERSION_TEXT);
    SetWindowTextA(edit, text.c_str());
    EXPECT_EQ(4, SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
    EXPECT_PRED_FORMAT2(SameBytes, text, WindowText(edit));
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
}

// ---------------------------------------------------------------------------
// Bitmap 130

TEST(ResourceAboutBitmap, Is448By224With256Colours)
{
    std::string bytes = ResourceBytes(MAKEINTRESOURCEA(IDB_ABOUT), RT_BITMAP);
    ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, bytes.data(), sizeof bih);
    EXPECT_EQ(sizeof bih, bih.biSize);
    EXPECT_EQ(448, bih.biWidth);
    EXPECT_EQ(224, bih.biHeight);
    EXPECT_EQ(1, bih.biPlanes);
    EXPECT_EQ(8, bih.biBitCount);
    EXPECT_EQ(DWORD(BI_RGB), bih.biCompression);
    DWORD colours = bih.biClrUsed ? bih.biClrUsed : 256;
    EXPECT_EQ(256u, colours);
    size_t pixels = bih.biSize + colours * sizeof(RGBQUAD);
    ASSERT_EQ(pixels + 448 * 224, bytes.size());

    // Artwork, not a flat fill: many palette entries are in use.
    std::set<unsigned char> used(bytes.begin() + pixels, bytes.end());
    EXPECT_GE(used.size(), 16u);
}

TEST(ResourceAboutBitmap, LoadsAsABitmap)
{
    HBITMAP bitmap = LoadBitmapA(Self(), MAKEINTRESOURCEA(IDB_ABOUT));
    ASSERT_TRUE(bitmap);
    BITMAP bm = {};
    GetObjectA(bitmap, sizeof bm, &bm);
    DeleteObject(bitmap);
    EXPECT_EQ(448, bm.bmWidth);
    EXPECT_EQ(224, bm.bmHeight);
}

// ---------------------------------------------------------------------------
// Manifest

// The value of one attribute of the n-th element of that name in the XML
// text; a marker in parentheses when the element or attribute is missing.
std::string Attribute(const std::string& xml, const std::string& element, const char* name, int nth = 0)
{
    size_t pos = 0;
    for (int i = 0; i <= nth; ++i) {
        pos = xml.find("<" + element, pos);
        if (pos == std::string::npos)
            return "(no element)";
        pos += element.size() + 1;
    }
    size_t end = xml.find('>', pos);
    std::string tag = xml.substr(pos, end - pos);
    std::string key = std::string(" ") + name + "=\"";
    size_t at = tag.find(key);
    if (at == std::string::npos)
        return "(no attribute)";
    at += key.size();
    return tag.substr(at, tag.find('"', at) - at);
}

// The values of several attributes of the first such element, in order.
std::vector<std::string> Attributes(const std::string& xml, const std::string& element,
                                    std::initializer_list<const char*> names)
{
    std::vector<std::string> values;
    for (const char* name : names)
        values.push_back(Attribute(xml, element, name));
    return values;
}

TEST(ResourceManifest, IsResourceOneOfTypeManifest)
{
    std::string xml = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_FALSE(xml.empty());
    EXPECT_NE(std::string::npos, xml.find("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\""));
}

TEST(ResourceManifest, NamesTheProgramAsA32BitAssembly)
{
    std::string xml = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    EXPECT_EQ((std::vector<std::string>{"win32", "x86", "KESTRO.PLOTARA.KPXSetup", "1.0.0.0"}),
              Attributes(xml, "assemblyIdentity", {"type", "processorArchitecture", "name", "version"}));
}

TEST(ResourceManifest, DependsOnCommonControlsSix)
{
    std::string xml = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    size_t dependency = xml.find("<dependentAssembly>");
    ASSERT_NE(std::string::npos, dependency);
    std::string dep = xml.substr(dependency);
    EXPECT_EQ((std::vector<std::string>{"Microsoft.Windows.Common-Controls", "6.0.0.0", "win32", "x86",
                                        "6595b64144ccf1df", "*"}),
              Attributes(dep, "assemblyIdentity",
                         {"name", "version", "type", "processorArchitecture", "publicKeyToken", "language"}));
}

TEST(ResourceManifest, AsksForAdministratorRights)
{
    std::string xml = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    EXPECT_EQ("urn:schemas-microsoft-com:asm.v3", Attribute(xml, "trustInfo", "xmlns"));
    EXPECT_EQ("requireAdministrator", Attribute(xml, "requestedExecutionLevel", "level"));
    EXPECT_EQ("false", Attribute(xml, "requestedExecutionLevel", "uiAccess"));
}

TEST(ResourceManifest, ActivatesCommonControlsSix)
{
    // The system reads the manifest when the process starts: the common
    // controls library this process uses is the side-by-side version 6.
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    ASSERT_TRUE(comctl);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(comctl, path, sizeof path);
    std::string lower = path;
    CharLowerA(&lower[0]);
    EXPECT_NE(std::string::npos, lower.find("\\winsxs\\x86_microsoft.windows.common-controls_"
                                            "6595b64144ccf1df_6.0."))
        << path;
}

TEST(ResourceManifest, ListsNoSupportedOperatingSystems)
{
    // Without such a list Windows 8 and later report 6.2, which the version
    // classification relies on.
    std::string xml = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_FALSE(xml.empty());
    EXPECT_EQ(std::string::npos, xml.find("compatibility"));
    EXPECT_EQ(std::string::npos, xml.find("supportedOS"));
}

} // namespace
