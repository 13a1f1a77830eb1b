// Checks the compiled user-interface resources as the program sees them: this
// test executable links the same resource object as Ravo.exe and loads every
// string, icon, menu and dialog template from its own module. The manifest
// and version block are checked in the built Ravo.exe when it is there.

#include <windows.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

HMODULE Self() { return GetModuleHandleA(nullptr); }

std::string LoadText(HMODULE module, UINT id) {
    char buffer[256] = {};
    const int n = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

bool HasString(HMODULE module, UINT id) {
    // A string table block holds 16 slots; an absent string is an empty slot.
    char buffer[8];
    return LoadStringA(module, id, buffer, sizeof buffer) > 0;
}

// ---------------------------------------------------------------------------
// Icon resources: RT_GROUP_ICON directory, then each RT_ICON image.

#pragma pack(push, 2)
struct GroupIconDir {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

struct IconImage {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool png = false;
    bool completeDib = false;  // header, colour plane and AND mask all present
    bool someTransparent = false;
    bool someOpaque = false;
};

const void* ResourceData(HMODULE module, LPCSTR name, LPCSTR type, DWORD* size) {
    HRSRC info = FindResourceA(module, name, type);
    if (!info) return nullptr;
    HGLOBAL handle = LoadResource(module, info);
    if (!handle) return nullptr;
    if (size) *size = SizeofResource(module, info);
    return LockResource(handle);
}

// Reads icon group `id` and every image it lists; false when the group or an
// image is missing or the directory is malformed.
bool ReadIconGroup(HMODULE module, UINT id, std::vector<IconImage>* images) {
    DWORD size = 0;
    const auto* dir = static_cast<const BYTE*>(
        ResourceData(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, &size));
    if (!dir || size < sizeof(GroupIconDir)) return false;
    const auto* header = reinterpret_cast<const GroupIconDir*>(dir);
    if (header->type != 1 || size < sizeof(GroupIconDir) + header->count * sizeof(GroupIconEntry))
        return false;
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(dir + sizeof(GroupIconDir));
    for (int i = 0; i < header->count; ++i) {
        const GroupIconEntry& e = entries[i];
        DWORD imageSize = 0;
        const auto* data = static_cast<const BYTE*>(
            ResourceData(module, MAKEINTRESOURCEA(e.id), MAKEINTRESOURCEA(3) /* RT_ICON */, &imageSize));
        if (!data) return false;
        IconImage image;
        image.width = e.width ? e.width : 256;
        image.height = e.height ? e.height : 256;
        image.png = imageSize >= 8 && std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0;
        if (!image.png && imageSize >= sizeof(BITMAPINFOHEADER)) {
            BITMAPINFOHEADER bih;
            std::memcpy(&bih, data, sizeof bih);
            image.bitCount = bih.biBitCount;
            const bool sameSize = bih.biWidth == image.width && bih.biHeight == 2 * image.height;
            const DWORD maskStride = (image.width + 31) / 32 * 4;
            const DWORD expected = bih.biSize + image.width * image.height * 4 + maskStride * image.height;
            image.completeDib = bih.biSize == sizeof bih && sameSize && bih.biCompression == BI_RGB &&
                                bih.biBitCount == 32 && imageSize == expected && e.bitCount == 32;
            if (image.completeDib) {
                const BYTE* pixels = data + bih.biSize;
                for (int p = 0; p < image.width * image.height; ++p) {
                    const BYTE alpha = pixels[p * 4 + 3];
                    image.someTransparent |= alpha == 0;
                    image.someOpaque |= alpha == 255;
                }
            }
        }
        images->push_back(image);
    }
    return true;
}

void ExpectTrueColourImage(const IconImage& image, int size) {
    EXPECT_EQ(image.width, size);
    EXPECT_EQ(image.height, size);
    EXPECT_FALSE(image.png) << "PNG-compressed image";
    EXPECT_EQ(image.bitCount, 32);
    EXPECT_TRUE(image.completeDib) << "not a complete 32-bit DIB with its AND mask";
    EXPECT_TRUE(image.someTransparent && image.someOpaque) << "alpha channel unused";
}

// ---------------------------------------------------------------------------
// The state table.

struct State {
    UINT id;
    const char* text;
    int iconSize;
};

const State kStates[] = {
    {IDR_OSD_BT_ON, "Bluetooth is enabled.", 64},
    {IDR_OSD_BOTH_ON, "Bluetooth and Wireless LAN are enabled.", 64},
    {IDR_OSD_BT_OFF, "Bluetooth is disabled.", 64},
    {IDR_OSD_BOTH_OFF, "Bluetooth and Wireless LAN are disabled.", 64},
    {IDR_OSD_WLAN_OFF, "Wireless LAN is disabled.", 64},
    {IDR_OSD_WLAN_ON, "Wireless LAN is enabled.", 64},
    {IDR_TRAY_BOTH_ON, "Bluetooth and Wireless LAN are enabled.", 16},
    {IDR_TRAY_BOTH_OFF, "Bluetooth and Wireless LAN are disabled.", 16},
    {IDR_TRAY_BT_ON, "Bluetooth is enabled.", 16},
    {IDR_TRAY_BT_OFF, "Bluetooth is disabled.", 16},
    {IDR_TRAY_WLAN_ON, "Wireless LAN is enabled.", 16},
    {IDR_TRAY_WLAN_OFF, "Wireless LAN is disabled.", 16},
};

TEST(StateResources, EveryStateHasItsTextAndOneTrueColourIconOfItsFamilySize) {
    for (const State& state : kStates) {
        SCOPED_TRACE(testing::Message() << "state " << state.id);
        EXPECT_EQ(LoadText(Self(), state.id), state.text);

        std::vector<IconImage> images;
        ASSERT_TRUE(ReadIconGroup(Self(), state.id, &images)) << "no readable icon group";
        ASSERT_EQ(images.size(), 1u);
        ExpectTrueColourImage(images[0], state.iconSize);
    }
}

// Each display text and its tray twin.
const UINT kTwins[][2] = {
    {IDR_OSD_BT_ON, IDR_TRAY_BT_ON},     {IDR_OSD_BOTH_ON, IDR_TRAY_BOTH_ON},
    {IDR_OSD_BT_OFF, IDR_TRAY_BT_OFF},   {IDR_OSD_BOTH_OFF, IDR_TRAY_BOTH_OFF},
    {IDR_OSD_WLAN_OFF, IDR_TRAY_WLAN_OFF}, {IDR_OSD_WLAN_ON, IDR_TRAY_WLAN_ON},
};

TEST(StateResources, EachDisplayTextHasATrayTwinWithTheSameWording) {
    for (const auto& pair : kTwins) {
        SCOPED_TRACE(testing::Message() << pair[0] << " and " << pair[1]);
        const std::string text = LoadText(Self(), pair[0]);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text, LoadText(Self(), pair[1]));
        EXPECT_EQ(text.back(), '.');
        EXPECT_LE(text.size(), 40u);
    }
}

TEST(StateResources, NumbersBetweenTheFamiliesCarryNoStringAndNoIcon) {
    for (UINT id = 129; id <= 148; ++id) {
        bool inTable = false;
        for (const State& state : kStates) inTable |= state.id == id;
        if (inTable) continue;
        SCOPED_TRACE(testing::Message() << "number " << id);
        EXPECT_FALSE(HasString(Self(), id));
        EXPECT_EQ(FindResourceA(Self(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14)), nullptr);
    }
}

TEST(StateResources, DisplayAndTrayIconsLoadAtTheirOwnDifferentSizes) {
    // The icon button loads with size 0 x 0, which keeps the resource's size.
    auto loadedSize = [](UINT id) {
        HICON icon = static_cast<HICON>(
            LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
        if (!icon) return SIZE{-1, -1};
        ICONINFO info = {};
        SIZE size = {-1, -1};
        if (GetIconInfo(icon, &info)) {
            BITMAP bm = {};
            if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm)) size = {bm.bmWidth, bm.bmHeight};
            if (info.hbmColor) DeleteObject(info.hbmColor);
            if (info.hbmMask) DeleteObject(info.hbmMask);
        }
        DestroyIcon(icon);
        return size;
    };
    const SIZE display = loadedSize(IDR_OSD_BOTH_ON);
    const SIZE tray = loadedSize(IDR_TRAY_BOTH_ON);
    EXPECT_EQ(display.cx, 64);
    EXPECT_EQ(display.cy, 64);
    EXPECT_EQ(tray.cx, 16);
    EXPECT_EQ(tray.cy, 16);

    // The tray and the window class use LoadIcon; every state icon must load that way too.
    for (const State& state : kStates)
        EXPECT_NE(LoadIconA(Self(), MAKEINTRESOURCEA(state.id)), nullptr) << "state " << state.id;
}

// ---------------------------------------------------------------------------
// The program's own identifier.

TEST(ProgramResources, NameAndApplicationTitle) {
    EXPECT_EQ(LoadText(Self(), IDR_MAINFRAME), "Ravo");
    EXPECT_EQ(LoadText(Self(), AFX_IDS_APP_TITLE), "Ravo");
}

TEST(ProgramResources, ApplicationIconHasFiveTrueColourSizes) {
    std::vector<IconImage> images;
    ASSERT_TRUE(ReadIconGroup(Self(), IDR_MAINFRAME, &images));
    const int sizes[] = {16, 24, 32, 48, 64};
    ASSERT_EQ(images.size(), 5u);
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "image " << i);
        ExpectTrueColourImage(images[i], sizes[i]);
    }
    EXPECT_NE(LoadIconA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);
}

TEST(ProgramResources, TrayMenuHasOnePopupWithOptionAboutSeparatorExit) {
    HMENU menu = LoadMenuA(Self(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    char text[64] = {};
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Menu");

    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 4);

    struct Item {
        const char* text;
        UINT id;
    };
    const Item items[] = {{"&Option", ID_OPTION}, {"&About Ravo...", ID_APP_ABOUT}, {nullptr, 0}, {"E&xit", ID_APP_EXIT}};
    for (int pos = 0; pos < 4; ++pos) {
        SCOPED_TRACE(testing::Message() << "position " << pos);
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoA(popup, pos, TRUE, &info));
        EXPECT_EQ(info.hSubMenu, nullptr);
        if (!items[pos].text) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_FALSE(info.fType & MFT_SEPARATOR);
        EXPECT_EQ(info.fState & (MFS_DISABLED | MFS_GRAYED), 0u);
        EXPECT_EQ(info.wID, items[pos].id);
        char itemText[64] = {};
        GetMenuStringA(popup, pos, itemText, sizeof itemText, MF_BYPOSITION);
        EXPECT_STREQ(itemText, items[pos].text);
    }
    EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_OPTION));
    DestroyMenu(menu);
}

// ---------------------------------------------------------------------------
// Dialog templates, read field by field from DLGTEMPLATE / DLGTEMPLATEEX.

struct Control {
    int id;
    std::string cls;   // lower case; predefined-class ordinals are given their names
    std::string text;  // an ordinal (resource id) is written "#<number>"
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

struct Dialog {
    bool extended = false;
    DWORD style = 0, exStyle = 0, helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string menu, cls, title;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::string face;
    std::vector<Control> controls;
};

class TemplateReader {
  public:
    explicit TemplateReader(const BYTE* base) : base_(base), p_(base) {}
    WORD Word() { WORD v; std::memcpy(&v, p_, 2); p_ += 2; return v; }
    DWORD Dword() { DWORD v; std::memcpy(&v, p_, 4); p_ += 4; return v; }
    BYTE Byte() { return *p_++; }
    short Short() { return static_cast<short>(Word()); }
    void AlignDword() { p_ = base_ + ((p_ - base_ + 3) & ~3); }
    void Skip(size_t n) { p_ += n; }
    // In UTF-8, as this file writes every language's texts.
    std::string String() {
        std::wstring w;
        for (WORD c; (c = Word()) != 0;) w += static_cast<wchar_t>(c);
        char s[512] = {};
        WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s, sizeof s, nullptr, nullptr);
        return s;
    }
    // sz_Or_Ord: empty (0), ordinal (0xFFFF, value) or a string.
    std::string NameOrOrdinal() {
        WORD first;
        std::memcpy(&first, p_, 2);
        if (first == 0xFFFF) {
            Skip(2);
            return "#" + std::to_string(Word());
        }
        return String();
    }

  private:
    const BYTE* base_;
    const BYTE* p_;
};

std::string ClassName(const std::string& raw) {
    static const char* const predefined[] = {"button", "edit", "static", "listbox", "scrollbar", "combobox"};
    if (raw.size() > 1 && raw[0] == '#') {
        const int ordinal = std::stoi(raw.substr(1));
        if (ordinal >= 0x80 && ordinal <= 0x85) return predefined[ordinal - 0x80];
        return raw;
    }
    std::string lower = raw;
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The template of one language, by default the one the thread's language finds.
const BYTE* DialogTemplate(UINT id, LANGID language = 0, HMODULE module = Self()) {
    if (language == 0)
        return static_cast<const BYTE*>(ResourceData(module, MAKEINTRESOURCEA(id), RT_DIALOG, nullptr));
    HRSRC info = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), language);
    HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
    return handle ? static_cast<const BYTE*>(LockResource(handle)) : nullptr;
}

bool ReadDialog(UINT id, Dialog* d, LANGID language = 0, HMODULE module = Self()) {
    const BYTE* data = DialogTemplate(id, language, module);
    if (!data) return false;
    TemplateReader r(data);
    WORD count = 0;
    d->extended = data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    if (d->extended) {
        r.Skip(4);
        d->helpId = r.Dword();
        d->exStyle = r.Dword();
        d->style = r.Dword();
    } else {
        d->style = r.Dword();
        d->exStyle = r.Dword();
    }
    count = r.Word();
    d->x = r.Short();
    d->y = r.Short();
    d->cx = r.Short();
    d->cy = r.Short();
    d->menu = r.NameOrOrdinal();
    d->cls = r.NameOrOrdinal();
    d->title = r.String();
    if (d->style & DS_SETFONT) {
        d->pointSize = r.Word();
        if (d->extended) {
            d->weight = r.Word();
            d->italic = r.Byte();
            d->charset = r.Byte();
        }
        d->face = r.String();
    }
    for (int i = 0; i < count; ++i) {
        r.AlignDword();
        Control c = {};
        if (d->extended) {
            r.Dword();  // help id
            c.exStyle = r.Dword();
            c.style = r.Dword();
        } else {
            c.style = r.Dword();
            c.exStyle = r.Dword();
        }
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        c.id = d->extended ? static_cast<int>(r.Dword()) : r.Short();
        c.cls = ClassName(r.NameOrOrdinal());
        c.text = r.NameOrOrdinal();
        const WORD extra = r.Word();
        r.Skip(extra);
        d->controls.push_back(c);
    }
    return true;
}

void ExpectControls(const Dialog& d, const std::vector<Control>& expected) {
    ASSERT_EQ(d.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Control& a = d.controls[i];
        const Control& e = expected[i];
        SCOPED_TRACE(testing::Message() << "control #" << i + 1 << " (id " << e.id << ")");
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(a.cls, e.cls);
        EXPECT_EQ(a.text, e.text);
        EXPECT_EQ(a.style, e.style) << std::hex << "0x" << a.style << " != 0x" << e.style;
        EXPECT_EQ(a.exStyle, e.exStyle) << std::hex << "0x" << a.exStyle << " != 0x" << e.exStyle;
        EXPECT_EQ(a.x, e.x);
        EXPECT_EQ(a.y, e.y);
        EXPECT_EQ(a.cx, e.cx);
        EXPECT_EQ(a.cy, e.cy);
    }
}

bool IsEnglishUs(UINT id) {
    return FindResourceExA(Self(), RT_DIALOG, MAKEINTRESOURCEA(id),
                           MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) != nullptr;
}

TEST(DialogTemplates, AboutBox) {
    Dialog d;
    ASSERT_TRUE(ReadDialog(IDD_ABOUTBOX, &d));
    EXPECT_FALSE(d.extended);
    EXPECT_EQ(d.style, 0x80C800C0u);  // WS_POPUP|WS_CAPTION|WS_SYSMENU|DS_MODALFRAME|DS_SETFONT
    EXPECT_EQ(d.exStyle, 0u);
    EXPECT_EQ(d.cx, 214);
    EXPECT_EQ(d.cy, 61);
    EXPECT_EQ(d.menu, "");
    EXPECT_EQ(d.cls, "");
    EXPECT_EQ(d.title, "About Ravo");
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(d.face, "MS Sans Serif");
    ExpectControls(d, {
        {-1, "static", "#128", 0x50000003, 0, 14, 11, 20, 20},
        {IDC_VERSION, "static", "Ravo Ver ", 0x50020000, 0, 43, 16, 162, 9},
        {IDOK, "button", "OK", 0x50030001, 0, 84, 40, 50, 14},
    });
}

// Both on-screen display panels: extended template in US English at (0, 0),
// captionless, sunken client edge, no menu or class, 8-point MS Sans Serif.
void ExpectPanel(UINT id, DWORD style, short cx, short cy, Dialog* d) {
    ASSERT_TRUE(ReadDialog(id, d));
    EXPECT_TRUE(IsEnglishUs(id));
    EXPECT_TRUE(d->extended);
    EXPECT_EQ(d->style, style);
    EXPECT_EQ(d->exStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(d->helpId, 0u);
    EXPECT_EQ(d->x, 0);
    EXPECT_EQ(d->y, 0);
    EXPECT_EQ(d->cx, cx);
    EXPECT_EQ(d->cy, cy);
    EXPECT_EQ(d->menu, "");
    EXPECT_EQ(d->cls, "");
    EXPECT_EQ(d->title, "");
    EXPECT_EQ(d->pointSize, 8);
    EXPECT_EQ(d->weight, 0);
    EXPECT_EQ(d->italic, 0);
    EXPECT_EQ(d->charset, DEFAULT_CHARSET);
    EXPECT_EQ(d->face, "MS Sans Serif");
}

TEST(DialogTemplates, RadioSelectionPanel) {
    Dialog d;
    // WS_POPUP|WS_THICKFRAME|DS_SETFOREGROUND|DS_SETFONT
    ASSERT_NO_FATAL_FAILURE(ExpectPanel(IDD_RADIO_SELECT, 0x80040240, 202, 107, &d));
    ExpectControls(d, {
        {-1, "static", "  Press Left/ Right to select and Enter to apply. ", 0x5002020C, 0, 7, 89, 190, 13},
        {IDC_BTN2, "button", "Btn2", 0x50010000, 0, 56, 12, 45, 47},
        {IDC_CHOICE_TEXT, "static", "......", 0x50020200, 0, 13, 69, 173, 12},
        {IDC_BTN3, "button", "Btn3", 0x50010000, 0, 104, 12, 45, 47},
        {IDC_BTN4, "button", "Btn4", 0x50010000, 0, 152, 12, 45, 47},
        {IDC_BTN1, "button", "Btn1", 0x50010000, 0, 8, 12, 45, 47},
        {-1, "static", "", 0x50000007, WS_EX_STATICEDGE, 6, 66, 191, 18},
    });
}

TEST(DialogTemplates, SwitchOffNotice) {
    Dialog d;
    // WS_POPUP|WS_THICKFRAME|DS_SETFONT
    ASSERT_NO_FATAL_FAILURE(ExpectPanel(IDD_SWITCH_OFF, 0x80040040, 134, 95, &d));
    ExpectControls(d, {
        {IDC_BTN5, "button", "Btn5", 0x50010000, 0, 46, 11, 42, 43},
        {-1, "static", "  Wireless switch is disabled.\n  Please turn on the wireless switch.", 0x5002000C,
         WS_EX_CLIENTEDGE, 7, 66, 120, 20},
    });
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The dialog manager accepts every template and finds what it refers to in
// this module (the About box's icon); nothing is shown, no template is visible.
TEST(DialogTemplates, DialogManagerCreatesEveryTemplate) {
    HWND about = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr, QuietDialogProc, 0);
    ASSERT_NE(about, nullptr);
    char text[64] = {};
    GetDlgItemTextA(about, IDC_VERSION, text, sizeof text);
    EXPECT_STREQ(text, "Ravo Ver ");
    HWND icon = GetWindow(about, GW_CHILD);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0) << "the About box found no icon 128";
    EXPECT_FALSE(IsWindowVisible(about));
    DestroyWindow(about);

    HWND panel = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_RADIO_SELECT), nullptr, QuietDialogProc, 0);
    ASSERT_NE(panel, nullptr);
    for (int id : {IDC_BTN1, IDC_BTN2, IDC_BTN3, IDC_BTN4, IDC_CHOICE_TEXT})
        EXPECT_NE(GetDlgItem(panel, id), nullptr) << "control " << id;
    EXPECT_EQ(GetWindowTextLengthA(panel), 0);
    DestroyWindow(panel);

    HWND notice = CreateDialogParamA(Self(), MAKEINTRESOURCEA(IDD_SWITCH_OFF), nullptr, QuietDialogProc, 0);
    ASSERT_NE(notice, nullptr);
    EXPECT_NE(GetDlgItem(notice, IDC_BTN5), nullptr);
    DestroyWindow(notice);
}

// ---------------------------------------------------------------------------
// Translations: the same resources in each language beside English (United
// States), each language with one tag, which the program's choice of
// language names for every variant; only texts and dialog fonts differ.

struct Translation {
    LANGID language;
    WORD pointSize;
    const char* face;
    BYTE charset;
    const char* about[3];  // caption, version label, button
    const char* hint;
    const char* notice;
};
const Translation kTranslations[] = {
    {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), 8, "MS Sans Serif", DEFAULT_CHARSET,
     {"Info über Ravo", "Ravo Version ", "OK"}, "  Links/Rechts: wählen, Eingabetaste: übernehmen.",
     "  Der Funkschalter ist aus.\n  Bitte schalten Sie ihn ein."},
    {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), 8, "MS Sans Serif", DEFAULT_CHARSET,
     {"À propos de Ravo", "Ravo version ", "OK"}, "  Gauche/Droite : choisir, Entrée : valider.",
     "  Commutateur sans fil désactivé.\n  Veuillez l'activer."},
    {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), 8, "MS Sans Serif", DEFAULT_CHARSET,
     {"Acerca de Ravo", "Ravo versión ", "Aceptar"}, "  Izquierda/Derecha: elegir, Entrar: aplicar.",
     "  Interruptor inalámbrico apagado.\n  Actívelo, por favor."},
    {MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA), 8, "MS Sans Serif", DEFAULT_CHARSET,
     {"О программе Ravo", "Ravo, версия ", "ОК"}, "  Влево/Вправо: выбрать, Ввод: применить.",
     "  Переключатель беспроводной\n  связи выключен. Включите его."},
    {MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), 9, "MS UI Gothic", SHIFTJIS_CHARSET,
     {"Ravo のバージョン情報", "Ravo バージョン ", "OK"}, "  ←/→ で選択、Enter で適用します。",
     "  無線スイッチがオフです。\n  オンにしてください。"},
    {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), 9, "SimSun", GB2312_CHARSET,
     {"关于 Ravo", "Ravo 版本 ", "确定"}, "  按 ←/→ 键选择，按 Enter 键应用。",
     "  无线开关已关闭。\n  请打开无线开关。"},
};
const LANGID kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// String id in one language's string table, as stored (UTF-16).
std::wstring StringIn(LANGID language, UINT id) {
    HRSRC info = FindResourceExA(Self(), RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language);
    HGLOBAL handle = info ? LoadResource(Self(), info) : nullptr;
    const auto* p = handle ? static_cast<const WCHAR*>(LockResource(handle)) : nullptr;
    if (!p) return std::wstring();
    for (UINT i = 0; i < id % 16; ++i) p += 1 + *p;
    return std::wstring(p + 1, *p);
}

// The English controls of a dialog, with the texts language t shows in it.
std::vector<Control> TranslatedControls(UINT id, std::vector<Control> c, const Translation& t) {
    if (id == IDD_ABOUTBOX) c[1].text = t.about[1], c[2].text = t.about[2];
    else c[id == IDD_RADIO_SELECT ? 0 : 1].text = id == IDD_RADIO_SELECT ? t.hint : t.notice;
    return c;
}

// Every language has every string, dialog and the menu, with the program's
// name kept, the sentences' twins alike, the dialogs' controls where the
// English ones are, the language's own texts and caption in them (none left
// in English), its script's dialog font, and menu mnemonics that work.
TEST(Translations, EveryLanguageHasEveryTextInTheSameLayout) {
    Dialog english[3];
    const UINT dialogs[] = {IDD_ABOUTBOX, IDD_RADIO_SELECT, IDD_SWITCH_OFF};
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(ReadDialog(dialogs[i], &english[i], kEnglishUs));
    for (const Translation& t : kTranslations) {
        SCOPED_TRACE(testing::Message() << "language 0x" << std::hex << t.language);
        EXPECT_EQ(StringIn(t.language, IDR_MAINFRAME), L"Ravo");
        EXPECT_EQ(StringIn(t.language, AFX_IDS_APP_TITLE), L"Ravo");
        for (const auto& pair : kTwins) {
            const std::wstring text = StringIn(t.language, pair[0]);
            EXPECT_FALSE(text.empty()) << pair[0];
            EXPECT_NE(text, StringIn(kEnglishUs, pair[0])) << pair[0] << " is not translated";
            EXPECT_EQ(text.find(L'&'), std::wstring::npos) << pair[0];
            EXPECT_EQ(StringIn(t.language, pair[1]), text) << pair[0] << " and its tray twin";
        }
        for (int i = 0; i < 3; ++i) {
            Dialog d;
            ASSERT_TRUE(ReadDialog(dialogs[i], &d, t.language)) << dialogs[i];
            EXPECT_EQ(d.style, english[i].style);
            EXPECT_EQ(d.cx, english[i].cx);
            EXPECT_EQ(d.cy, english[i].cy);
            EXPECT_EQ(d.pointSize, t.pointSize);
            EXPECT_EQ(d.face, t.face);
            if (d.extended) {
                EXPECT_EQ(d.charset, t.charset);
            }
            EXPECT_EQ(d.title, dialogs[i] == IDD_ABOUTBOX ? t.about[0] : "");
            ExpectControls(d, TranslatedControls(dialogs[i], english[i].controls, t));
        }
        HRSRC info = FindResourceExA(Self(), RT_MENU, MAKEINTRESOURCEA(IDR_MAINFRAME), t.language);
        ASSERT_NE(info, nullptr);
        HMENU menu = LoadMenuIndirectW(LockResource(LoadResource(Self(), info)));
        HMENU popup = GetSubMenu(menu, 0);
        ASSERT_EQ(GetMenuItemCount(popup), 4);
        std::wstring mnemonics;
        for (int pos : {0, 1, 3}) {
            wchar_t text[64] = {};
            GetMenuStringW(popup, pos, text, 64, MF_BYPOSITION);
            const wchar_t* amp = wcschr(text, L'&');
            ASSERT_TRUE(amp && amp[1]) << "item " << pos << " has no mnemonic";
            const auto key = static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(  // folded in any script
                CharLowerW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(amp[1])))));
            EXPECT_EQ(mnemonics.find(key), std::wstring::npos) << "item " << pos;
            mnemonics += key;
        }
        EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_OPTION));
        EXPECT_EQ(GetMenuItemID(popup, 1), static_cast<UINT>(ID_APP_ABOUT));
        EXPECT_EQ(GetMenuItemID(popup, 3), static_cast<UINT>(ID_APP_EXIT));
        DestroyMenu(menu);
    }
}

// The extent of text in a control, drawn as the control draws it with the
// dialog's font, against the control's client area.
void ExpectFits(HWND control, const std::wstring& text, bool singleLine, const char* what) {
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT extent = {0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_NOPREFIX | (singleLine ? DT_SINGLELINE : 0));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    EXPECT_LE(extent.right, client.right) << what << " is too wide";
    EXPECT_LE(extent.bottom, client.bottom) << what << " is too high";
}

HWND CreateDialogIn(UINT id, LANGID language) {
    return CreateDialogIndirectParamW(Self(), reinterpret_cast<LPCDLGTEMPLATEW>(DialogTemplate(id, language)),
                                      nullptr, QuietDialogProc, 0);
}

// Every text fits its control at the dialog's own font, in every language:
// the hint line on one line, each sentence in the caption line, the
// notice's two lines in their frame, the About box's label with a version
// of 19 characters; and the panel's icon buttons fit it.
TEST(Translations, EveryTextFitsItsControl) {
    std::vector<LANGID> languages = {kEnglishUs};
    for (const Translation& t : kTranslations) languages.push_back(t.language);
    for (LANGID language : languages) {
        SCOPED_TRACE(testing::Message() << "language 0x" << std::hex << language);
        HWND panel = CreateDialogIn(IDD_RADIO_SELECT, language);
        ASSERT_NE(panel, nullptr);
        HWND hint = GetWindow(panel, GW_CHILD);
        wchar_t text[256] = {};
        GetWindowTextW(hint, text, 256);
        ExpectFits(hint, text, true, "the hint line");
        for (const State& state : kStates)
            ExpectFits(GetDlgItem(panel, IDC_CHOICE_TEXT), StringIn(language, state.id), true, "a sentence");
        // The four icon buttons, made 72 pixels square, lie inside and apart.
        RECT client, placed[4], overlap;
        GetClientRect(panel, &client);
        for (int i = 0; i < 4; ++i) {
            GetWindowRect(GetDlgItem(panel, IDC_BTN1 + i), &placed[i]);
            MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&placed[i]), 2);
            placed[i] = {placed[i].left, placed[i].top, placed[i].left + 72, placed[i].top + 72};
            EXPECT_TRUE(IntersectRect(&overlap, &placed[i], &client) && EqualRect(&overlap, &placed[i])) << i;
            for (int j = 0; j < i; ++j) EXPECT_FALSE(IntersectRect(&overlap, &placed[i], &placed[j])) << i << j;
        }
        DestroyWindow(panel);

        HWND notice = CreateDialogIn(IDD_SWITCH_OFF, language);
        ASSERT_NE(notice, nullptr);
        HWND sentence = GetWindow(GetDlgItem(notice, IDC_BTN5), GW_HWNDNEXT);
        GetWindowTextW(sentence, text, 256);
        ExpectFits(sentence, text, false, "the notice");
        DestroyWindow(notice);

        HWND about = CreateDialogIn(IDD_ABOUTBOX, language);
        ASSERT_NE(about, nullptr);
        GetDlgItemTextW(about, IDC_VERSION, text, 256);
        ExpectFits(GetDlgItem(about, IDC_VERSION), std::wstring(text) + L"0000.0000.0000.0000", true,
                   "the version line");
        GetDlgItemTextW(about, IDOK, text, 256);
        ExpectFits(GetDlgItem(about, IDOK), text, true, "the OK button");
        DestroyWindow(about);
    }
}

// ---------------------------------------------------------------------------
// The built program: its manifest and version block (App.rc) and the user
// interface resources linked into it.

#ifndef RAVO_EXPECTED_VERSION
#define RAVO_EXPECTED_VERSION "1.0.0"
#endif

class BuiltProgram : public testing::Test {
  protected:
    void SetUp() override {
#ifdef RAVO_SHIPPED_PROGRAM
        path_ = RAVO_SHIPPED_PROGRAM;
#else
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string dir(path);
        dir = dir.substr(0, dir.find_last_of("\\/") + 1);
        path_ = dir + "Ravo.exe";
#endif
        if (GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << path_ << " is not built";
        module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    std::string path_;
    HMODULE module_ = nullptr;
};

TEST_F(BuiltProgram, ManifestAsksForUiAccessNamesNoDependencyAndTheSupportedWindows) {
    DWORD size = 0;
    const auto* data = static_cast<const char*>(
        ResourceData(module_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */, &size));
    ASSERT_NE(data, nullptr) << "no manifest resource 1";
    const std::string manifest(data, size);
    auto has = [&](const char* s) { return manifest.find(s) != std::string::npos; };
    EXPECT_TRUE(has("<assemblyIdentity version=\"1.0.0.1\" processorArchitecture=\"X86\" name=\"Ravo\" type=\"win32\""));
    EXPECT_TRUE(has("<description>Ravo.exe</description>"));
    EXPECT_TRUE(has("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">"));
#ifdef RAVO_DEV_MANIFEST
    EXPECT_TRUE(has("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>")) << manifest;
#else
    EXPECT_TRUE(has("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"true\"/>")) << manifest;
#endif
    EXPECT_FALSE(has("<dependency")) << "the classic common controls are wanted";
    for (const char* os : { "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" })
        EXPECT_TRUE(has((std::string("<supportedOS Id=\"") + os + "\"/>").c_str())) << os;
}

// What ships is a 32-bit program for x86 (the platform's library is 32-bit),
// whichever build the tests themselves are.
TEST_F(BuiltProgram, IsA32BitX86Program) {
#if defined(_WIN64) && !defined(RAVO_SHIPPED_PROGRAM)
    GTEST_SKIP() << "an x86_64 build given no RAVO_SHIPPED_BIN_DIR checks its own Ravo.exe";
#endif
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module_) & ~ULONG_PTR(3));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
}

TEST_F(BuiltProgram, VersionBlockNamesTheProduct) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path_.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path_.c_str(), 0, size, block.data()));
    auto value = [&](const char* name) {
        char* text = nullptr;
        UINT length = 0;
        const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
        if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) || !text)
            return std::string();
        return std::string(text);
    };
    EXPECT_EQ(value("ProductName"), "Ravo");
    EXPECT_EQ(value("OriginalFilename"), "Ravo.exe");
    EXPECT_EQ(value("FileVersion"), RAVO_EXPECTED_VERSION);
    EXPECT_EQ(value("ProductVersion"), RAVO_EXPECTED_VERSION);
}

// Each language's caption and notice as written: a resource compiler that
// read the UTF-8 files in another code page would garble them.
void ExpectLanguagesAsWritten(HMODULE module) {
    for (const Translation& t : kTranslations) {
        Dialog about, notice;
        ASSERT_TRUE(ReadDialog(IDD_ABOUTBOX, &about, t.language, module) &&
                    ReadDialog(IDD_SWITCH_OFF, &notice, t.language, module));
        EXPECT_EQ(about.title, t.about[0]);
        EXPECT_EQ(notice.controls.back().text, t.notice);
    }
}

TEST_F(BuiltProgram, CarriesEveryLanguagesTextsAsWritten) {
    ExpectLanguagesAsWritten(module_);
#ifdef RAVO_CLANG_PROGRAM
    HMODULE clang = LoadLibraryExA(RAVO_CLANG_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!clang) GTEST_SKIP() << RAVO_CLANG_PROGRAM << " is not built (scripts/test builds it)";
    ExpectLanguagesAsWritten(clang);
    FreeLibrary(clang);
#endif
}

TEST_F(BuiltProgram, CarriesTheUserInterfaceResources) {
    EXPECT_EQ(LoadText(module_, IDR_MAINFRAME), "Ravo");
    EXPECT_EQ(LoadText(module_, IDR_TRAY_BOTH_ON), "Bluetooth and Wireless LAN are enabled.");
    std::vector<IconImage> images;
    EXPECT_TRUE(ReadIconGroup(module_, IDR_MAINFRAME, &images));
    EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(IDR_MAINFRAME), RT_MENU), nullptr);
    for (UINT id : {IDD_ABOUTBOX, IDD_RADIO_SELECT, IDD_SWITCH_OFF})
        EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(id), RT_DIALOG), nullptr) << "dialog " << id;
}

}  // namespace
