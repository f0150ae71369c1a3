// The version resource as the executable's properties show it, read back
// from this test executable (which links the same resource script) through
// the system's version calls: the fixed version numbers, the Japanese string
// block and its translation entry, and texts that agree with the version
// dialog's lines.
#include "kpx_version.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/TextLines.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// version.dll is loaded at run time: the test programs link no import
// library for it.
class VersionInfo {
public:
    VersionInfo()
    {
        m_library = LoadLibraryA("version.dll");
        if (!m_library)
            return;
        auto size = reinterpret_cast<decltype(&::GetFileVersionInfoSizeA)>(
            GetProcAddress(m_library, "GetFileVersionInfoSizeA"));
        auto read =
            reinterpret_cast<decltype(&::GetFileVersionInfoA)>(GetProcAddress(m_library, "GetFileVersionInfoA"));
        m_query = reinterpret_cast<decltype(&::VerQueryValueA)>(GetProcAddress(m_library, "VerQueryValueA"));
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        DWORD handle = 0;
        DWORD bytes = size ? size(self, &handle) : 0;
        if (bytes == 0 || !read || !m_query)
            return;
        m_block.resize(bytes);
        if (!read(self, 0, bytes, m_block.data()))
            m_block.clear();
    }
    ~VersionInfo()
    {
        if (m_library)
            FreeLibrary(m_library);
    }
    VersionInfo(const VersionInfo&) = delete;
    VersionInfo& operator=(const VersionInfo&) = delete;

    bool IsValid() const { return !m_block.empty(); }

    // The value at a sub-block path, or null with size 0.
    const void* Query(const char* path, UINT* size)
    {
        void* value = nullptr;
        *size = 0;
        if (!IsValid() || !m_query(m_block.data(), path, &value, size))
            return nullptr;
        return value;
    }

    // The value at a sub-block path as a T; false unless it is exactly a T.
    template <class T>
    bool Read(const char* path, T& value)
    {
        UINT size = 0;
        const void* found = Query(path, &size);
        if (!found || size != sizeof(T))
            return false;
        memcpy(&value, found, sizeof(T));
        return true;
    }

    // A string of the Japanese block, as ANSI bytes; "<missing>" when absent.
    std::string String(const char* name)
    {
        std::string path = std::string("\\StringFileInfo\\041103A4\\") + name;
        UINT size = 0;
        const char* value = static_cast<const char*>(Query(path.c_str(), &size));
        return value ? std::string(value) : std::string("<missing>");
    }

private:
    HMODULE m_library = nullptr;
    decltype(&::VerQueryValueA) m_query = nullptr;
    std::vector<char> m_block;
};

std::vector<std::string> VersionDialogLines()
{
    return SplitCrLfLines(LoadResourceString(IDS_VERSION_TEXT));
}

TEST(VersionResource, FixedPartNamesVersionOneOfAnApplication)
{
    VS_FIXEDFILEINFO fixed = {};
    ASSERT_TRUE(VersionInfo().Read("\\", fixed));
    EXPECT_EQ(0xFEEF04BDu, fixed.dwSignature);
    EXPECT_EQ(MAKELONG(0, 1), fixed.dwFileVersionMS);
    EXPECT_EQ(0u, fixed.dwFileVersionLS);
    EXPECT_EQ(MAKELONG(0, 1), fixed.dwProductVersionMS);
    EXPECT_EQ(0u, fixed.dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed.dwFileType);
    EXPECT_EQ(0u, fixed.dwFileFlags);
}

TEST(VersionResource, TranslationIsJapaneseInCodePage932)
{
    WORD pair[2] = {};
    ASSERT_TRUE(VersionInfo().Read("\\VarFileInfo\\Translation", pair));
    EXPECT_EQ(0x0411, pair[0]);
    EXPECT_EQ(932, pair[1]);
}

TEST(VersionResource, StringsIdentifyTheProgram)
{
    VersionInfo info;
    ASSERT_TRUE(info.IsValid());
    const std::string title = Cp932(u8"PLOTARA ｶﾗｰﾌﾟﾛﾌｧｲﾙ 設定ﾂｰﾙ");
    EXPECT_PRED_FORMAT2(SameBytes, title, info.String("FileDescription"));
    EXPECT_PRED_FORMAT2(SameBytes, title, info.String("ProductName"));
    EXPECT_EQ("KPXSETUP.EXE", info.String("OriginalFilename"));
    EXPECT_EQ("KPXSETUP", info.String("InternalName"));
    EXPECT_EQ("KESTRO", info.String("CompanyName"));
    EXPECT_EQ(KPX_VERSION_TEXT, info.String("FileVersion"));
    EXPECT_EQ(KPX_VERSION_TEXT, info.String("ProductVersion"));
}

TEST(VersionResource, AgreesWithTheVersionDialog)
{
    VersionInfo info;
    ASSERT_TRUE(info.IsValid());
    std::vector<std::string> lines = VersionDialogLines();
    ASSERT_EQ(4u, lines.size());
    EXPECT_PRED_FORMAT2(SameBytes, lines[0], info.String("ProductName"));
    EXPECT_EQ(lines[1], "Version " + info.String("FileVersion"));
    EXPECT_EQ(lines[3], info.String("LegalCopyright"));
    EXPECT_PRED_FORMAT2(SameBytes, LoadResourceString(IDS_APP_TITLE), info.String("ProductName"));
}

} // namespace
