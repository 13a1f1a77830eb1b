#include "HostProc.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

const char PROC_ROOT[] = "Z:\\proc\\";

// /proc files report no size: read until the end.
bool ReadAll(const std::string& path, std::string& text)
{
    const HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    text.clear();
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    ::CloseHandle(hFile);
    return true;
}

std::vector<std::string> NumericEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE hFind = ::FindFirstFileA((folder + "*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (data.cFileName[0] >= '0' && data.cFileName[0] <= '9')
            names.push_back(data.cFileName);
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return names;
}

// The file name of a command line's first argument, without quotes.
std::string ProgramName(const std::string& cmdline)
{
    std::string first = cmdline.substr(0, cmdline.find('\0'));
    if (!first.empty() && first.front() == '"')
        first = first.substr(1, first.find('"', 1) - 1);
    const size_t slash = first.find_last_of("\\/");
    return slash == std::string::npos ? first : first.substr(slash + 1);
}

// State (field 3) and start time (field 22) from /proc/<pid>/stat; the name
// in field 2 may hold spaces, so fields are counted after its ')'.
bool StateAndStart(const std::string& stat, char& state, unsigned long long& start)
{
    const size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return false;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int n = 3; n <= 22 && (fields >> field); ++n) {
        if (n == 3)
            state = field[0];
        if (n == 22) {
            start = std::strtoull(field.c_str(), nullptr, 10);
            return true;
        }
    }
    return false;
}

}  // namespace

bool RunningUnderWine()
{
    return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Every process of the prefix inherits its WINEPREFIX from the host side.
DWORD FindHostPid(const std::string& exeName)
{
    char prefix[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof(prefix)) == 0)
        return 0;
    std::string entry = std::string("WINEPREFIX=") + prefix;
    entry.push_back('\0');

    DWORD found = 0;
    unsigned long long newest = 0;
    std::string text;
    for (const std::string& pid : NumericEntries(PROC_ROOT)) {
        const std::string folder = PROC_ROOT + pid + "\\";
        if (!ReadAll(folder + "cmdline", text) ||
            _stricmp(ProgramName(text).c_str(), exeName.c_str()) != 0)
            continue;
        if (!ReadAll(folder + "environ", text) ||
            ('\0' + text).find('\0' + entry) == std::string::npos)
            continue;
        char state = 0;
        unsigned long long start = 0;
        if (!ReadAll(folder + "stat", text) || !StateAndStart(text, state, start) ||
            state == 'Z' || start < newest)
            continue;
        newest = start;
        found = static_cast<DWORD>(std::strtoul(pid.c_str(), nullptr, 10));
    }
    return found;
}

// Each thread's schedstat starts with its time on a CPU, in nanoseconds.
double HostCpuMs(DWORD hostPid)
{
    const std::string taskFolder = PROC_ROOT + std::to_string(hostPid) + "\\task\\";
    const std::vector<std::string> tasks = NumericEntries(taskFolder);
    if (tasks.empty())
        return -1.0;
    double totalNs = 0.0;
    std::string text;
    for (const std::string& tid : tasks) {
        if (ReadAll(taskFolder + tid + "\\schedstat", text))
            totalNs += std::strtod(text.c_str(), nullptr);
    }
    return totalNs / 1.0e6;
}
