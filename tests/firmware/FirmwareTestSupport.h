// Shared by the firmware tests: the test program's own register instance,
// OBRA.dll loaded from beside the program, and obractl runs.
#pragma once

#include <windows.h>

#include <string>

#include "firmware/RadioStatus.h"

// Makes this process and its children use the register instance
// "firmware-tests", apart from the one other programs use.
void UseTestInstance();

// OBRA.dll's export by name, or null; the library is loaded from the
// program's folder.
void* ObraExport(const char* name);
// Calls OBRAEvaluate; FALSE when it is missing.
BOOL CallObra(const EvaluateRequest& request);
BOOL CallObra(BYTE function, const BYTE* input, DWORD inputLength, BYTE* output,
              DWORD outputLength);

struct CtlResult {
    DWORD exitCode;
    std::string output;  // stdout and stderr together
};

// Runs obractl.exe from the program's folder and waits for it.
CtlResult RunCtl(const std::string& arguments);
