// The help file the build ships: KPXSETUP.chm beside the built KPXSETUP.EXE,
// named after it, a compiled HTML Help file holding the overview, the two
// settings-file topics, the command line's topic and one topic per control
// of the main dialog.
#include "support/TempDir.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>
#include <htmlhelp.h>
#include <objidl.h>

#include <string>

namespace {

// The storage interface of the system's help file reader (itss.dll), which
// opens a compiled help file's inner files, decompressed.
struct IITStorage : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};
const GUID kClsidITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const GUID kIidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const GUID kIidClassFactory = {0x00000001, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The inner file of the help file at path (folder, then name), as bytes;
// empty when the file has none.
std::string InnerFile(const std::string& helpFile, const wchar_t* folder, const wchar_t* name)
{
    HMODULE itss = LoadLibraryA("itss.dll");
    auto getClass =
        itss ? reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(GetProcAddress(itss, "DllGetClassObject"))
             : nullptr;
    IClassFactory* factory = nullptr;
    IITStorage* reader = nullptr;
    if (!getClass || FAILED(getClass(kClsidITStorage, kIidClassFactory, reinterpret_cast<void**>(&factory))))
        return std::string();
    factory->CreateInstance(nullptr, kIidITStorage, reinterpret_cast<void**>(&reader));
    factory->Release();
    if (!reader)
        return std::string();
    const std::wstring path(helpFile.begin(), helpFile.end());
    IStorage *root = nullptr, *inner = nullptr;
    IStream* stream = nullptr;
    std::string bytes;
    if (SUCCEEDED(
            reader->StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &root))) {
        IStorage* from = root;
        if (folder && SUCCEEDED(root->OpenStorage(folder, nullptr, STGM_READ, nullptr, 0, &inner)))
            from = inner;
        if ((!folder || inner) && SUCCEEDED(from->OpenStream(name, nullptr, STGM_READ, 0, &stream))) {
            char buffer[4096];
            ULONG read = 0;
            while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0)
                bytes.append(buffer, read);
            stream->Release();
        }
        if (inner)
            inner->Release();
        root->Release();
    }
    reader->Release();
    return bytes;
}

// A keyword as the binary index stores it: UTF-16.
std::string Utf16Bytes(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

TEST(HelpFile, IsACompiledHelpFileBesideTheExecutable)
{
    std::string path = BuiltHelpFilePath();
    ASSERT_FALSE(path.empty()) << "KPX_EXE is not set";
    std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 4u) << path;
    EXPECT_EQ("ITSF", bytes.substr(0, 4));
}

TEST(HelpFile, HoldsEveryTopic)
{
    // The file's directory is stored uncompressed, so each page's name is
    // found among its bytes.
    std::string bytes = ReadFileBytes(BuiltHelpFilePath());
    const char* topics[] = {
        "/index.htm",     "/setup.htm",    "/toolini.htm",        "/driverini.htm", "/controls.htm",
        "/ctl_list.htm",  "/ctl_name.htm", "/ctl_profileset.htm", "/ctl_set.htm",   "/ctl_version.htm",
        "/ctl_close.htm", "/ctl_help.htm", "/cmdline.htm",        "/toc.hhc",       "/#IVB",
    };
    for (const char* topic : topics)
        EXPECT_NE(std::string::npos, bytes.find(topic)) << topic;
}

// HTML Help of the test prefix, asked for each topic by its context id as a
// help engine would ask for it (the main dialog's controls, then the usage
// box's command-line topic), and for the command-line page by its name as
// the usage box opens it; the help windows are closed again.
TEST(HelpFile, EveryContextIdOfTheMainDialogAndTheCommandLineReachesATopic)
{
    // Kept loaded to the end of the process, as the program keeps it.
    HMODULE control = LoadLibraryA("hhctrl.ocx");
    ASSERT_NE(nullptr, control);
    auto htmlHelp =
        reinterpret_cast<HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR)>(GetProcAddress(control, MAKEINTRESOURCEA(14)));
    ASSERT_NE(nullptr, htmlHelp);
    std::string path = BuiltHelpFilePath();

    for (DWORD id = 20000; id <= 20007; ++id) {
        SCOPED_TRACE(id);
        EXPECT_NE(nullptr, htmlHelp(nullptr, path.c_str(), HH_HELP_CONTEXT, id));
    }
    EXPECT_EQ(nullptr, htmlHelp(nullptr, path.c_str(), HH_HELP_CONTEXT, 20008));
    EXPECT_NE(nullptr, htmlHelp(nullptr, (path + "::/cmdline.htm").c_str(), HH_DISPLAY_TOPIC, 0));
    htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

// The index holds a keyword for every switch, exit code, message and
// control (a sample of each is looked up in the compiled keyword tree), and
// full-text search has its word index.
TEST(HelpFile, HasAnIndexOfKeywordsAndFullTextSearch)
{
    const std::string path = BuiltHelpFilePath();
    const std::string keywords = InnerFile(path, L"$WWKeywordLinks", L"BTree");
    ASSERT_FALSE(keywords.empty()) << "no keyword index";
    for (const wchar_t* keyword :
         {L"/skip", L"/printer:*", L"/csv", L"\u7d42\u4e86\uff7a\uff70\uff84\uff9e 3010",
          L"\u5225\u306e\uff95\uff70\uff7b\uff9e\uff70\u304c\u4f7f\u7528\u4e2d\u3067\u3059", L"\u9589\u3058\u308b"}) {
        EXPECT_NE(keywords.find(Utf16Bytes(keyword)), std::string::npos) << Utf16Bytes(keyword).size();
    }
    EXPECT_EQ(keywords.find(Utf16Bytes(L"/nothing")), std::string::npos);
    EXPECT_GT(InnerFile(path, nullptr, L"$FIftiMain").size(), 1000u) << "no full-text search index";
}

} // namespace
