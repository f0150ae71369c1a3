// The printer-name edit: which characters each platform class refuses, typed
// and pasted, and the name limits. The edit is bound to the main dialog
// template's real edit control; typed characters go through the wrapper's
// PreTranslateMessage first, as the modal loop hands them, and pastes come
// from the real clipboard.
#include "ui/EditPrnName.h"

#include "classlib/Dialog.h"
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/BeepRecorder.h"
#include "support/ClipboardText.h"
#include "support/ScopedOsVersion.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

const OsClass kAllOsClasses[] = {OsUnknown, OsWin9x, OsNT4, Os2000,   OsXP, Os2003,
                                 OsVista,   Os2008,  Os7,   Os2008R2, Os81, Os2012R2};

const char* OsClassName(OsClass os)
{
    static const char* const names[] = {"OsUnknown", "OsWin9x", "OsNT4", "Os2000",   "OsXP", "Os2003",
                                        "OsVista",   "Os2008",  "Os7",   "Os2008R2", "Os81", "Os2012R2"};
    return names[os];
}

// --- The rules as tables ---

// Which characters each class refuses: TypedCharactersAreFilteredByPlatformClass.
TEST(EditPrnNameRuleTest, CharactersEveryPlatformClassAllows)
{
    // Control characters included, and bytes above 0x7F as a signed char
    // gives them.
    std::string allowed = std::string("aZ09 -_.()&'#$%@[]{}~/:*?\"<>|\b\t\x01") + "\x7F";
    for (int c = -128; c < 0; ++c)
        allowed += static_cast<char>(c);
    for (OsClass os : kAllOsClasses) {
        SCOPED_TRACE(OsClassName(os));
        for (char c : allowed)
            EXPECT_TRUE(IsAllowedPrinterNameChar(os, c)) << int(c);
    }
}

TEST(EditPrnNameRuleTest, NameLimitInBytesByPlatformClass)
{
    const struct {
        OsClass os;
        UINT limit;
    } cases[] = {
        {OsUnknown, 220}, {OsWin9x, 31}, {OsNT4, 259}, {Os2000, 220},   {OsXP, 220}, {Os2003, 220},
        {OsVista, 128},   {Os2008, 220}, {Os7, 256},   {Os2008R2, 220}, {Os81, 220}, {Os2012R2, 220},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrinterNameLimit(c.os), c.limit) << OsClassName(c.os);
}

// --- The edit on a real control ---

class EditHostDlg : public CDialog {
public:
    EditHostDlg() : CDialog(IDD_KPXSETUP_DIALOG) {}
    CEditPrnName m_edit;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_PRINTER_NAME, m_edit); }
};

class EditPrnNameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControlClasses();
        ASSERT_TRUE(dlg.Create());
    }

    // Hands each byte to the edit as the modal loop does: the wrapper sees
    // it first, the control only if the wrapper lets it through.
    void Type(const std::string& bytes)
    {
        for (unsigned char c : bytes) {
            MSG msg = {dlg.m_edit.m_hWnd, WM_CHAR, c, 1, 0, {0, 0}};
            if (!dlg.m_edit.PreTranslateMessage(&msg))
                DispatchMessageA(&msg);
        }
    }

    // Replaces the whole text with a paste of the clipboard text.
    void PasteOver(const std::string& clipboard)
    {
        ASSERT_TRUE(PutClipboardText(dlg.m_hWnd, clipboard));
        SendMessageA(dlg.m_edit.m_hWnd, EM_SETSEL, 0, -1);
        SendMessageA(dlg.m_edit.m_hWnd, WM_PASTE, 0, 0);
    }

    std::string Text() const { return dlg.m_edit.GetWindowText(); }

    // What the user sees after `act` on `os` with `before` in the edit: the
    // edit's text and the beeps (all of the default sound).
    using Seen = std::pair<std::string, std::vector<UINT>>;
    Seen After(OsClass os, const char* before, const std::function<void()>& act)
    {
        ScopedOsVersion platform(os);
        dlg.m_edit.SetWindowText(before);
        beeps.clear();
        act();
        return {Text(), beeps.beeps()};
    }
    static Seen Shows(const std::string& text, size_t beepCount) { return {text, std::vector<UINT>(beepCount, 0)}; }

    EditHostDlg dlg;
    BeepRecorder beeps;
};

TEST_F(EditPrnNameTest, TypedCharactersAreFilteredByPlatformClass)
{
    const struct {
        OsClass os;
        const char* typed;
        const char* shown;
        size_t beeps;
    } cases[] = {
        {OsXP, "a!b", "ab", 1},
        {Os7, "a!b", "a!b", 0},
        {OsWin9x, "a=b;c!", "abc!", 2},
        {OsXP, "x=y;z", "x=y;z", 0},
        {OsVista, "P\\Q,R", "PQR", 2},
        {Os2012R2, "P\\Q,R", "PQR", 2},
        {OsUnknown, "Plotter 3F!", "Plotter 3F!", 0},
        // Every class, typing each character that some class refuses.
        {OsUnknown, "a!=;,\\b", "a!=;b", 2},
        {OsWin9x, "a!=;,\\b", "a!b", 4},
        {OsNT4, "a!=;,\\b", "a=;b", 3},
        {Os2000, "a!=;,\\b", "a=;b", 3},
        {OsXP, "a!=;,\\b", "a=;b", 3},
        {Os2003, "a!=;,\\b", "a=;b", 3},
        {OsVista, "a!=;,\\b", "a=;b", 3},
        {Os2008, "a!=;,\\b", "a=;b", 3},
        {Os7, "a!=;,\\b", "a!=;b", 2},
        {Os2008R2, "a!=;,\\b", "a!=;b", 2},
        {Os81, "a!=;,\\b", "a!=;b", 2},
        {Os2012R2, "a!=;,\\b", "a!=;b", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(OsClassName(c.os)) + " typing " + c.typed);
        EXPECT_EQ(After(c.os, "", [&] { Type(c.typed); }), Shows(c.shown, c.beeps));
    }
}

TEST_F(EditPrnNameTest, BackspaceIsNotRefused)
{
    ScopedOsVersion xp(OsXP);
    Type("ab\b");
    EXPECT_EQ(Text(), "a");
    EXPECT_TRUE(beeps.beeps().empty());
}

TEST_F(EditPrnNameTest, TrailByteOfADoubleByteCharacterIsNeverTested)
{
    // Katakana "so" is 0x83 0x5C in code page 932: its trail byte is the
    // backslash. What the control then shows of two separate byte messages
    // is the system's business; the filter must let both through.
    for (OsClass os : kAllOsClasses) {
        SCOPED_TRACE(OsClassName(os));
        ScopedOsVersion scoped(os);
        beeps.clear();
        MSG lead = {dlg.m_edit.m_hWnd, WM_CHAR, 0x83, 1, 0, {0, 0}};
        MSG trail = {dlg.m_edit.m_hWnd, WM_CHAR, 0x5C, 1, 0, {0, 0}};
        EXPECT_FALSE(dlg.m_edit.PreTranslateMessage(&lead));
        EXPECT_FALSE(dlg.m_edit.PreTranslateMessage(&trail));
        EXPECT_TRUE(beeps.beeps().empty());

        // The character is complete: a backslash of its own is refused.
        MSG backslash = {dlg.m_edit.m_hWnd, WM_CHAR, '\\', 1, 0, {0, 0}};
        EXPECT_TRUE(dlg.m_edit.PreTranslateMessage(&backslash));
        EXPECT_EQ(beeps.beeps(), std::vector<UINT>{0});
    }
}

TEST_F(EditPrnNameTest, OtherMessagesPassUntested)
{
    ScopedOsVersion xp(OsXP);
    for (UINT message : {WM_KEYDOWN, WM_SYSCHAR, WM_DEADCHAR, WM_IME_CHAR}) {
        MSG msg = {dlg.m_edit.m_hWnd, message, '!', 1, 0, {0, 0}};
        EXPECT_FALSE(dlg.m_edit.PreTranslateMessage(&msg)) << message;
    }
    EXPECT_TRUE(beeps.beeps().empty());
}

TEST_F(EditPrnNameTest, PasteIsAllOrNothing)
{
    // The clipboard texts each platform takes whole, and those it refuses.
    const struct {
        OsClass os;
        std::vector<const char*> accepted;
        std::vector<const char*> refused;
    } platforms[] = {
        {Os7, {"New Plotter", "Plotter!"}, {"New,Plotter", ",", "Plotter\\"}},
        {OsWin9x, {"Plotter!"}, {"a=b", "a;b"}},
        // Every 0x5C here is the trail byte of "so" or of "hyo" (0x95 0x5C).
        {OsXP, {"a=b;c", "\x83\x5C\x83\x74\x83\x67 \x95\x5C", ""}, {"Plotter!", "\x83\x5C\\"}},
    };
    struct Case {
        OsClass os;
        const char* clipboard;
        bool accepted;
    };
    std::vector<Case> cases;
    for (const auto& p : platforms) {
        for (const char* text : p.accepted)
            cases.push_back({p.os, text, true});
        for (const char* text : p.refused)
            cases.push_back({p.os, text, false});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(OsClassName(c.os)) + " pasting " + c.clipboard);
        EXPECT_EQ(After(c.os, "Old Plotter", [&] { PasteOver(c.clipboard); }),
                  c.accepted ? Shows(c.clipboard, 0) : Shows("Old Plotter", 1));
    }
}

TEST_F(EditPrnNameTest, ClipboardHeldElsewhereLetsThePasteThrough)
{
    ScopedOsVersion os(Os7);
    ASSERT_TRUE(PutClipboardText(dlg.m_hWnd, "a,b"));
    std::atomic<int> state{0}; // 1: clipboard open, 2: may close it
    std::thread holder([&state] {
        // Wine's clipboard manager may hold the clipboard for a moment after
        // a change, while it hands the text to the display.
        bool opened = false;
        for (int tries = 0; tries < 200 && !(opened = OpenClipboard(nullptr) != FALSE); ++tries)
            Sleep(10);
        if (opened) {
            state = 1;
            while (state != 2)
                Sleep(5);
            CloseClipboard();
        } else {
            state = -1;
        }
    });
    while (state == 0)
        Sleep(5);
    if (state != 1) {
        holder.join();
        FAIL() << "a second thread could not open the clipboard";
    }

    EXPECT_TRUE(dlg.m_edit.CheckClipboardText());
    SendMessageA(dlg.m_edit.m_hWnd, WM_PASTE, 0, 0);
    EXPECT_TRUE(beeps.beeps().empty());
    state = 2;
    holder.join();

    // Once the clipboard is free the same text is refused.
    EXPECT_FALSE(dlg.m_edit.CheckClipboardText());
}

TEST_F(EditPrnNameTest, NoTextOnTheClipboardIsLetThrough)
{
    ASSERT_TRUE(OpenClipboard(dlg.m_hWnd));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_TRUE(dlg.m_edit.CheckClipboardText());
}

TEST_F(EditPrnNameTest, LimitCutsWhatIsPastedNotWhatTheProgramSets)
{
    // 31 bytes on Windows 9x: a 40-byte paste keeps its first 31.
    dlg.m_edit.SetLimitText(PrinterNameLimit(OsWin9x));
    PasteOver(std::string(40, 'x'));
    EXPECT_EQ(Text(), std::string(31, 'x'));

    // (Windows' ANSI edit counts a double-byte character as two; Wine's
    // counts it as one, so that half of the rule cannot be seen here.)

    // Text the program sets is not cut.
    dlg.m_edit.SetWindowText(std::string(40, 'y'));
    EXPECT_EQ(Text().size(), 40u);
}

// --- Through the modal loop ---

class TypingHostDlg : public EditHostDlg {
public:
    std::string typed;
    std::string textAtClose;

    BOOL OnInitDialog() override
    {
        EditHostDlg::OnInitDialog();
        for (unsigned char c : typed)
            PostMessageA(m_edit.m_hWnd, WM_CHAR, c, 1);
        PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }

protected:
    void OnOK() override
    {
        textAtClose = m_edit.GetWindowText();
        EditHostDlg::OnOK();
    }
};

TEST(EditPrnNameModalTest, ModalLoopFiltersTypedCharacters)
{
    InitCommonControlClasses();
    ScopedOsVersion xp(OsXP);
    BeepRecorder beeps;
    TypingHostDlg dlg;
    dlg.typed = "P!l,o\\t";
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.textAtClose, "Plot");
    EXPECT_EQ(beeps.beeps().size(), 3u);
}

} // namespace
