#include "ImportPatch.h"

#include <cstring>

namespace {

template <typename T>
T* AtRva(HMODULE module, DWORD rva)
{
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + rva);
}

bool NamesFunction(HMODULE module, const IMAGE_THUNK_DATA& lookup, const char* functionName)
{
    if (IMAGE_SNAP_BY_ORDINAL(lookup.u1.Ordinal))
        return false;
    const IMAGE_IMPORT_BY_NAME* byName =
        AtRva<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(lookup.u1.AddressOfData));
    return std::strcmp(reinterpret_cast<const char*>(byName->Name), functionName) == 0;
}

}  // namespace

// Walks the import descriptors; the lookup table (names) runs parallel to
// the address table (bound pointers) that calls go through.
CImportPatch::CImportPatch(const char* dllName, const char* functionName,
                           void* replacement, HMODULE module)
    : m_slots(), m_saved(), m_nSlots(0)
{
    if (module == NULL)
        module = GetModuleHandleA(NULL);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return;
    const IMAGE_NT_HEADERS* nt = AtRva<IMAGE_NT_HEADERS>(module, dos->e_lfanew);
    const DWORD importRva =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    if (importRva == 0)
        return;

    for (const IMAGE_IMPORT_DESCRIPTOR* import = AtRva<IMAGE_IMPORT_DESCRIPTOR>(module, importRva);
         import->Name != 0; ++import) {
        if (lstrcmpiA(AtRva<char>(module, import->Name), dllName) != 0 ||
            import->OriginalFirstThunk == 0)
            continue;
        const IMAGE_THUNK_DATA* lookup = AtRva<IMAGE_THUNK_DATA>(module, import->OriginalFirstThunk);
        IMAGE_THUNK_DATA* bound = AtRva<IMAGE_THUNK_DATA>(module, import->FirstThunk);
        for (; lookup->u1.AddressOfData != 0 && m_nSlots < MAX_SLOTS; ++lookup, ++bound) {
            void** slot = reinterpret_cast<void**>(&bound->u1.Function);
            void* previous = *slot;
            if (NamesFunction(module, *lookup, functionName) && PatchSlot(slot, replacement)) {
                m_slots[m_nSlots] = slot;
                m_saved[m_nSlots++] = previous;
            }
        }
    }
}

CImportPatch::~CImportPatch()
{
    for (int i = 0; i < m_nSlots; ++i)
        PatchSlot(m_slots[i], m_saved[i]);
}

BOOL CImportPatch::PatchSlot(void** slot, void* value)
{
    DWORD oldProtect = 0;
    if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &oldProtect))
        return FALSE;
    *slot = value;
    VirtualProtect(slot, sizeof(void*), oldProtect, &oldProtect);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof(void*));
    return TRUE;
}

BOOL CImportPatch::IsApplied() const
{
    return m_nSlots > 0;
}

void* CImportPatch::Original() const
{
    return m_nSlots > 0 ? m_saved[0] : NULL;
}
