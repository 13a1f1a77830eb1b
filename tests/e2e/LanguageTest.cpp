// The program in the language it chooses for its locale: run once per
// language, with LANG set for the test and the copy it starts (Wine takes
// the display language and the ANSI code page from it), and
// RAVO_TEST_LANGUAGE naming the language whose texts must show (hex; the
// English (United States) ones when unset). Every tray tooltip, the menu,
// the panel, the notice and the About box must show that language's
// resources of Ravo.exe.
#include "E2eSupport.h"
#include "RadioModel.h"
#include "support/KeyInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using namespace e2e;

namespace {

LANGID ExpectedLanguage()
{
    const char* value = std::getenv("RAVO_TEST_LANGUAGE");
    return value != nullptr ? static_cast<LANGID>(std::strtoul(value, nullptr, 16))
                            : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

std::string Text(HWND hWnd)
{
    char text[512] = {};
    SendTimed(hWnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

// Ravo.exe's resources of one language, read as data.
class ProgramTexts {
public:
    explicit ProgramTexts(LANGID language)
        : m_language(language),
          m_hModule(::LoadLibraryExA((BinDir() + "Ravo.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE))
    {
    }
    ~ProgramTexts() { ::FreeLibrary(m_hModule); }

    // As the ANSI program shows it: in the code page of this process, which
    // is the program's.
    std::string String(UINT id) const
    {
        const WCHAR* p = static_cast<const WCHAR*>(Data(RT_STRING, id / 16 + 1));
        if (p == nullptr)
            return std::string();
        for (UINT i = 0; i < id % 16; ++i)
            p += 1 + *p;
        return Narrow(std::wstring(p + 1, *p));
    }
    // The texts of a dialog's controls, as a dialog made from the template
    // shows them, in child order; its caption first.
    std::vector<std::string> DialogTexts(UINT id) const
    {
        const HWND hDlg = ::CreateDialogIndirectParamW(
            m_hModule, static_cast<LPCDLGTEMPLATEW>(Data(RT_DIALOG, id)), nullptr, &Quiet, 0);
        std::vector<std::string> texts;
        if (hDlg == nullptr)
            return texts;
        texts.push_back(Text(hDlg));
        for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            texts.push_back(Text(hChild));
        ::DestroyWindow(hDlg);
        return texts;
    }
    // The tray menu (the caller destroys it).
    HMENU Menu() const { return ::LoadMenuIndirectW(Data(RT_MENU, 128)); }

private:
    static INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM)
    {
        return message == WM_INITDIALOG;
    }
    static std::string Narrow(const std::wstring& text)
    {
        char narrow[512] = {};
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow, sizeof(narrow), nullptr, nullptr);
        return narrow;
    }
    const void* Data(LPCSTR type, UINT id) const
    {
        const HRSRC hInfo = ::FindResourceExA(m_hModule, type, MAKEINTRESOURCEA(id), m_language);
        const HGLOBAL hData = hInfo != nullptr ? ::LoadResource(m_hModule, hInfo) : nullptr;
        return hData != nullptr ? ::LockResource(hData) : nullptr;
    }

    LANGID m_language;
    HMODULE m_hModule;
};

SIZE SizeOf(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return { rc.right - rc.left, rc.bottom - rc.top };
}

SIZE s_menuSize;

void CALLBACK MeasureMenu(HWND, UINT, UINT_PTR nId, DWORD)
{
    const std::vector<HWND> menus = MenusOf(::GetCurrentProcessId());
    if (menus.empty())
        return;
    s_menuSize = SizeOf(menus.front());
    ::KillTimer(nullptr, nId);
    ::EndMenu();
}

// The size of the window that shows hPopup as the tray menu is shown (its
// first item the default). Another process's menu cannot be read under
// Wine, but its window's size follows from its texts.
SIZE ShownSize(HMENU hPopup)
{
    s_menuSize = {};
    ::SetMenuDefaultItem(hPopup, 0, TRUE);
    const HWND hOwner = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                          nullptr, nullptr);
    ::SetTimer(nullptr, 0, 100, &MeasureMenu);
    ::TrackPopupMenu(hPopup, 0, 10, 10, 0, hOwner, nullptr);
    ::DestroyWindow(hOwner);
    return s_menuSize;
}

}  // namespace

TEST(Language, EveryTextShowsInTheChosenLanguage)
{
    const ProgramTexts expected(ExpectedLanguage());
    ASSERT_EQ(expected.String(128), "Ravo") << "no texts of language " << std::hex
                                            << ExpectedLanguage() << " in Ravo.exe";
    CSession s;
    ASSERT_TRUE(s.Start(0x1F));

    // The six tray states' tooltips.
    for (BYTE status : { 0x1F, 0x1C, 0x1E, 0x18, 0x1D, 0x14 }) {
        const UINT id = model::TrayIdFor(status);
        s.Firmware().SetStatus(status);
        ::PostMessageA(s.Wnd(), WM_STATUS_CHANGED, 0, 0);
        EXPECT_TRUE(s.Shell().WaitForIcon(s.Wnd(), id, expected.String(id))) << "tray state " << id;
    }

    // The menu: shown in a window of the size its texts take.
    const HMENU hMenu = expected.Menu();
    ASSERT_NE(hMenu, nullptr);
    const SIZE menuSize = ShownSize(::GetSubMenu(hMenu, 0));
    ::DestroyMenu(hMenu);
    ::PostMessageA(s.Wnd(), WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONUP);
    ASSERT_TRUE(WaitUntil([&] { return !MenusOf(s.Pid()).empty(); }, 5000));
    const SIZE shown = SizeOf(MenusOf(s.Pid()).front());
    EXPECT_TRUE(shown.cx == menuSize.cx && shown.cy == menuSize.cy)
        << "menu of " << shown.cx << " x " << shown.cy << ", its texts take " << menuSize.cx
        << " x " << menuSize.cy;
    PressVirtualKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return MenusOf(s.Pid()).empty(); }, 5000));

    // The panel: its hint line, the caption and the buttons' names.
    s.Firmware().SetStatus(0x1D);
    ::PostMessageA(s.Wnd(), WM_COMMAND, ID_OPTION, 0);
    HWND hDlg = WaitForDialog(s.Pid(), Osd::Selection);
    ASSERT_NE(hDlg, nullptr);
    const std::vector<std::string> panel = expected.DialogTexts(105);
    ASSERT_FALSE(panel.empty());
    const std::vector<std::string> shownTexts = ChildTexts(hDlg);
    EXPECT_NE(std::find(shownTexts.begin(), shownTexts.end(), panel[1]), shownTexts.end())
        << "the hint line " << panel[1];
    EXPECT_EQ(ControlText(hDlg, IDC_CHOICE_TEXT), expected.String(135));
    EXPECT_EQ(Text(::GetDlgItem(hDlg, IDC_BTN1)), expected.String(130));
    ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForNoDialog(s.Pid()));

    // The notice: its sentence, and its button named by it.
    s.Firmware().SetStatus(0x0D);
    ::PostMessageA(s.Wnd(), WM_COMMAND, ID_OPTION, 0);
    hDlg = WaitForDialog(s.Pid(), Osd::Notice);
    ASSERT_NE(hDlg, nullptr);
    const std::vector<std::string> notice = expected.DialogTexts(106);
    ASSERT_EQ(notice.size(), 3u);
    EXPECT_EQ(ChildTexts(hDlg).back(), notice[2]);
    EXPECT_NE(Text(::GetDlgItem(hDlg, IDC_BTN5)), "Btn5");
    ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForNoDialog(s.Pid()));

    // The About box: its title, the version line's label and the button.
    ::PostMessageA(s.Wnd(), WM_COMMAND, ID_APP_ABOUT, 0);
    hDlg = WaitForDialog(s.Pid(), Osd::About);
    ASSERT_NE(hDlg, nullptr);
    const std::vector<std::string> about = expected.DialogTexts(100);
    ASSERT_EQ(about.size(), 4u);
    EXPECT_EQ(Text(hDlg), about[0]);
    EXPECT_EQ(ControlText(hDlg, IDC_VERSION).substr(0, about[2].size()), about[2]);
    EXPECT_EQ(ControlText(hDlg, IDOK), about[3]);
    ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitForNoDialog(s.Pid()));
    EXPECT_EQ(s.Close(), 0u);
}
