// installer_probe: looks at the installed program from outside, for the
// installer tests. Prints "key=value" lines on stdout.
//
//   installer_probe running <ms>   waits until the main window answers; prints
//                                  pid=, exe= (its image), parent= (its parent
//                                  process's image file name) and obra= (the
//                                  OBRA.dll that it bound)
//   installer_probe about <ms>     opens the About box through ID_APP_ABOUT,
//                                  prints about=<text of control 1007>, and
//                                  closes it again
//   installer_probe gone <name> <ms>  waits until no process has that image
//                                  file name (case-insensitive)
//   installer_probe started <name> <ms>  waits until a process has it
//   installer_probe next <ms>      clicks through an interactive installer
//                                  or uninstaller: presses the default button
//                                  of its window (captioned with "Ravo" in any
//                                  language: Next, Install, Finish, or OK of
//                                  a message box) once per page when it is
//                                  enabled, until no such window is left;
//                                  prints clicked=<button text> for each
//                                  click, and message=<text> for a message box
//   installer_probe version <file> prints product= and version= (the
//                                  version block's ProductName, ProductVersion)
//
// Exit code 0 when done, 1 on time-out or failure (reason on stderr), 2 on
// wrong arguments.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "shared/ExternalNames.h"

namespace {

const UINT kIdAppAbout = 0xE140;
const int kIdVersion = 1007;

int Fail(const char* what)
{
    std::fprintf(stderr, "installer_probe: %s\n", what);
    return 1;
}

template <typename Fn>
bool WaitFor(Fn fn, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!fn()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

// The main window once its message loop answers.
HWND WaitForMainWindow(DWORD timeoutMs)
{
    HWND hWnd = nullptr;
    WaitFor([&] {
        hWnd = ::FindWindowA(RAVO_CLASS_NAME, nullptr);
        DWORD_PTR result = 0;
        return hWnd != nullptr &&
               ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
    }, timeoutMs);
    return hWnd;
}

std::string ModulePath(HANDLE process, HMODULE module)
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameExA(process, module, path, MAX_PATH);
    return std::string(path, length);
}

// The first process entry that matches, or false.
template <typename Match>
bool FindProcess(Match match, PROCESSENTRY32* found)
{
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    bool any = false;
    for (BOOL more = ::Process32First(snapshot, &entry); more;
         more = ::Process32Next(snapshot, &entry)) {
        any = match(entry);
        if (any)
            break;
    }
    ::CloseHandle(snapshot);
    if (any && found != nullptr)
        *found = entry;
    return any;
}

bool ProcessExists(const char* image)
{
    return FindProcess([&](const PROCESSENTRY32& e) { return ::lstrcmpiA(e.szExeFile, image) == 0; },
                       nullptr);
}

std::string ParentImage(DWORD pid)
{
    PROCESSENTRY32 child = {};
    PROCESSENTRY32 parent = {};
    if (!FindProcess([&](const PROCESSENTRY32& e) { return e.th32ProcessID == pid; }, &child) ||
        !FindProcess([&](const PROCESSENTRY32& e) {
            return e.th32ProcessID == child.th32ParentProcessID;
        }, &parent))
        return std::string();
    return parent.szExeFile;
}

int Running(DWORD timeoutMs)
{
    const HWND hWnd = WaitForMainWindow(timeoutMs);
    if (hWnd == nullptr)
        return Fail("no running copy");
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    std::printf("pid=%lu\n", pid);
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr)
        return Fail("cannot open the running copy");
    std::printf("exe=%s\n", ModulePath(process, nullptr).c_str());
    std::printf("parent=%s\n", ParentImage(pid).c_str());
    HMODULE modules[512];
    DWORD bytes = 0;
    std::string obra;
    if (::EnumProcessModules(process, modules, sizeof(modules), &bytes)) {
        const DWORD count = bytes / sizeof(HMODULE);
        for (DWORD i = 0; i < count && i < 512; ++i) {
            char name[MAX_PATH] = {};
            ::GetModuleBaseNameA(process, modules[i], name, MAX_PATH);
            if (::lstrcmpiA(name, "OBRA.dll") == 0)
                obra = ModulePath(process, modules[i]);
        }
    }
    ::CloseHandle(process);
    std::printf("obra=%s\n", obra.c_str());
    return 0;
}

struct DialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindAboutBox(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    // Shown only once its initialisation has set the text.
    if (pid == search->pid && std::strcmp(className, "#32770") == 0 &&
        ::GetDlgItem(hWnd, kIdVersion) != nullptr && ::IsWindowVisible(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

int About(DWORD timeoutMs)
{
    const HWND hWnd = WaitForMainWindow(timeoutMs);
    if (hWnd == nullptr)
        return Fail("no running copy");
    DialogSearch search = {0, nullptr};
    ::GetWindowThreadProcessId(hWnd, &search.pid);
    ::PostMessageA(hWnd, WM_COMMAND, kIdAppAbout, 0);
    if (!WaitFor([&] {
            ::EnumWindows(FindAboutBox, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        }, timeoutMs))
        return Fail("no About box");
    // Cross-process: WM_GETTEXT, not GetWindowText.
    char text[256] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(::GetDlgItem(search.found, kIdVersion), WM_GETTEXT, sizeof(text),
                          reinterpret_cast<LPARAM>(text), SMTO_NORMAL, timeoutMs, &copied);
    std::printf("about=%s\n", text);
    ::PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    if (!WaitFor([&] { return !::IsWindow(search.found); }, timeoutMs))
        return Fail("the About box did not close");
    return 0;
}

int Gone(const char* image, DWORD timeoutMs)
{
    if (!WaitFor([&] { return !ProcessExists(image); }, timeoutMs))
        return Fail("the process is still running");
    return 0;
}

int Started(const char* image, DWORD timeoutMs)
{
    if (!WaitFor([&] { return ProcessExists(image); }, timeoutMs))
        return Fail("no such process");
    return 0;
}

// The image file name of the process that made hWnd ("" if unknown).
std::string ImageOf(HWND hWnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    PROCESSENTRY32 entry = {};
    return FindProcess([&](const PROCESSENTRY32& e) { return e.th32ProcessID == pid; }, &entry)
               ? entry.szExeFile
               : "";
}

BOOL CALLBACK FindSetupWindow(HWND hWnd, LPARAM lParam)
{
    char className[16] = {};
    char title[128] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    ::GetWindowTextA(hWnd, title, sizeof(title));
    // The wizard's caption names the program in every language ("Ravo
    // Setup", "Installation von Ravo"), as do its message boxes'.
    // The program's own About box names it too.
    if (std::strcmp(className, "#32770") == 0 && std::strstr(title, "Ravo") != nullptr &&
        ::IsWindowVisible(hWnd) && ::lstrcmpiA(ImageOf(hWnd).c_str(), "Ravo.exe") != 0) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND SetupWindow()
{
    HWND hWnd = nullptr;
    ::EnumWindows(FindSetupWindow, reinterpret_cast<LPARAM>(&hWnd));
    return hWnd;
}

// The button's label without its mnemonic ampersand.
std::string ButtonLabel(HWND button)
{
    char text[64] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(button, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, 1000, &copied);
    std::string label;
    for (const char* c = text; *c != '\0'; ++c)
        if (*c != '&')
            label += *c;
    return label;
}

// Clicks each page once: a page that is busy after its click (the Finish
// page waits for the program's start) must not be clicked again. A page
// is the window, its inner page dialog and its button's label.
int Next(DWORD timeoutMs)
{
    if (!WaitFor([] { return SetupWindow() != nullptr; }, timeoutMs))
        return Fail("no setup window");
    const DWORD start = ::GetTickCount();
    std::string lastPage;
    for (HWND hWnd = SetupWindow(); hWnd != nullptr; hWnd = SetupWindow()) {
        const HWND button = ::GetDlgItem(hWnd, IDOK);
        const std::string label = button != nullptr ? ButtonLabel(button) : std::string();
        if (::GetTickCount() - start >= timeoutMs) {
            std::fprintf(stderr, "installer_probe: the setup window is still open at \"%s\"%s\n",
                         label.c_str(),
                         ProcessExists("ShellStart.exe") ? ", ShellStart.exe running" : "");
            return 1;
        }
        char page[96];
        std::snprintf(page, sizeof(page), "%p/%p/%s", static_cast<void*>(hWnd),
                      static_cast<void*>(::FindWindowExA(hWnd, nullptr, "#32770", nullptr)),
                      label.c_str());
        const bool clickable = button != nullptr && ::IsWindowVisible(button) &&
                               ::IsWindowEnabled(button);
        if (!clickable || page == lastPage) {
            ::Sleep(100);
            continue;
        }
        // A message box's text is its static control 0xFFFF.
        if (const HWND text = ::GetDlgItem(hWnd, 0xFFFF)) {
            char message[1024] = {};
            ::SendMessageTimeoutA(text, WM_GETTEXT, sizeof(message),
                                  reinterpret_cast<LPARAM>(message), SMTO_NORMAL, 1000, nullptr);
            for (char& c : message)
                c = c == '\r' || c == '\n' ? ' ' : c;
            std::printf("message=%s\n", message);
        }
        std::printf("clicked=%s\n", label.c_str());
        std::fflush(stdout);
        ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        lastPage = page;
    }
    return 0;
}

// A string of the version block, in its first language.
std::string VersionString(const std::string& block, const char* name)
{
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return std::string();
    char path[128];
    std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                  translation->codePage, name);
    char* value = nullptr;
    if (!::VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&value), &length) ||
        value == nullptr)
        return std::string();
    return std::string(value);
}

int Version(const char* file)
{
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(file, &handle);
    if (size == 0)
        return Fail("no version block");
    std::string block(size, '\0');
    if (!::GetFileVersionInfoA(file, 0, size, block.data()))
        return Fail("cannot read the version block");
    std::printf("product=%s\n", VersionString(block, "ProductName").c_str());
    std::printf("version=%s\n", VersionString(block, "ProductVersion").c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int result = 2;
    if (argc == 3 && std::strcmp(argv[1], "running") == 0)
        result = Running(std::strtoul(argv[2], nullptr, 10));
    else if (argc == 3 && std::strcmp(argv[1], "about") == 0)
        result = About(std::strtoul(argv[2], nullptr, 10));
    else if (argc == 4 && std::strcmp(argv[1], "gone") == 0)
        result = Gone(argv[2], std::strtoul(argv[3], nullptr, 10));
    else if (argc == 4 && std::strcmp(argv[1], "started") == 0)
        result = Started(argv[2], std::strtoul(argv[3], nullptr, 10));
    else if (argc == 3 && std::strcmp(argv[1], "next") == 0)
        result = Next(std::strtoul(argv[2], nullptr, 10));
    else if (argc == 3 && std::strcmp(argv[1], "version") == 0)
        result = Version(argv[2]);
    else
        std::fprintf(stderr, "usage: installer_probe running|about|next <ms> | "
                             "gone|started <name> <ms> | version <file>\n");
    std::fflush(stdout);
    return result;
}
