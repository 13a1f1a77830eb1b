// Replaces an imported function for the lifetime of the object by rewriting
// the import address table of one module (by default the running program),
// so calls that the module makes through its imports reach a test's
// recorder. The original pointers are put back on destruction.
//
// Compilers treat an import's address as constant within a function, so a
// call from the function that applies or removes the patch may still use
// the address loaded before; make the patched calls from other functions
// (the code under test usually does).
#pragma once

#include <windows.h>

class CImportPatch {
public:
    // dllName is compared without regard to case ("kernel32.dll" matches
    // "KERNEL32.dll"); functionName must match exactly. Every table entry of
    // that import is patched. Imports by ordinal are not matched.
    CImportPatch(const char* dllName, const char* functionName, void* replacement,
                 HMODULE module = NULL);
    ~CImportPatch();

    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    // TRUE when at least one entry was patched.
    BOOL IsApplied() const;
    // The function the entries held before, for calling through.
    void* Original() const;

    template <typename Fn>
    Fn OriginalAs() const
    {
        return reinterpret_cast<Fn>(Original());
    }

private:
    static const int MAX_SLOTS = 8;

    BOOL PatchSlot(void** slot, void* value);

    void** m_slots[MAX_SLOTS];
    void* m_saved[MAX_SLOTS];
    int m_nSlots;
};
