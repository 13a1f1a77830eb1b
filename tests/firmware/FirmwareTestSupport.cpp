#include "FirmwareTestSupport.h"

namespace {

std::string BesideProgram(const char* file)
{
    char path[MAX_PATH];
    std::string folder(path, GetModuleFileNameA(NULL, path, sizeof(path)));
    return folder.substr(0, folder.find_last_of("\\/") + 1) + file;
}

}  // namespace

void UseTestInstance()
{
    SetEnvironmentVariableA("RAVO_OBRA_INSTANCE", "firmware-tests");
}

void* ObraExport(const char* name)
{
    static HMODULE s_hObra = LoadLibraryA(BesideProgram("OBRA.dll").c_str());
    return s_hObra ? reinterpret_cast<void*>(GetProcAddress(s_hObra, name)) : NULL;
}

BOOL CallObra(const EvaluateRequest& request)
{
    typedef BOOL(__cdecl * EvaluateFn)(EvaluateRequest);
    EvaluateFn evaluate = reinterpret_cast<EvaluateFn>(ObraExport("OBRAEvaluate"));
    return evaluate ? evaluate(request) : FALSE;
}

BOOL CallObra(BYTE function, const BYTE* input, DWORD inputLength, BYTE* output,
              DWORD outputLength)
{
    return CallObra(EvaluateRequest{ function, {}, input, inputLength, output, outputLength });
}

// Output goes through a temporary file, so a long listing cannot fill a
// pipe and stall the child.
CtlResult RunCtl(const std::string& arguments)
{
    CtlResult result = { static_cast<DWORD>(-1), "" };
    char folder[MAX_PATH], capture[MAX_PATH];
    GetTempPathA(sizeof(folder), folder);
    GetTempFileNameA(folder, "ctl", 0, capture);
    SECURITY_ATTRIBUTES inherit = { sizeof(inherit), NULL, TRUE };
    HANDLE hFile = CreateFileA(capture, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                               CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, NULL);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = hFile;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + BesideProgram("obractl.exe") + "\" " + arguments;
    if (CreateProcessA(NULL, &commandLine[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup,
                       &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &result.exitCode);
        else
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    char buffer[4096];
    DWORD got = 0;
    SetFilePointer(hFile, 0, NULL, FILE_BEGIN);
    while (ReadFile(hFile, buffer, sizeof(buffer), &got, NULL) && got > 0)
        result.output.append(buffer, got);
    CloseHandle(hFile);
    return result;
}
