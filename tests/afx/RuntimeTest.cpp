// The runtime's promises: allocation alignment, the last-error value across
// the per-thread lookup, guarded static initialisers, CString's length.
#include "afx/Afx.h"
#include "afx/ThreadSlot.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace {

bool Aligned(const void* p)
{
    return reinterpret_cast<uintptr_t>(p) % __STDCPP_DEFAULT_NEW_ALIGNMENT__ == 0;
}

int (*s_initialiser)() = nullptr;

int InitialisedOnce()
{
    static const int value = s_initialiser();
    return value;
}

LONG WINAPI ExitWithExceptionCode(EXCEPTION_POINTERS* info)
{
    ::ExitProcess(info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

TEST(Runtime, EveryFormOfNewIsAlignedForAnyFundamentalType)
{
    // Kept until the end, so that the heap hands out fresh addresses.
    std::vector<char*> singles, arrays, quietSingles, quietArrays;
    std::string misaligned;
    for (size_t size = 1; size <= 48; ++size) {
        singles.push_back(new char);
        arrays.push_back(new char[size]);
        quietSingles.push_back(new (std::nothrow) char);
        quietArrays.push_back(new (std::nothrow) char[size]);
        const char* forms[] = { "new", "new[]", "nothrow new", "nothrow new[]" };
        const char* blocks[] = { singles.back(), arrays.back(), quietSingles.back(), quietArrays.back() };
        for (int i = 0; i < 4; ++i) {
            if (!Aligned(blocks[i]))
                misaligned += std::string(" ") + forms[i] + "(" + std::to_string(size) + ")";
        }
    }
    EXPECT_EQ(misaligned, "");
    for (size_t i = 0; i < singles.size(); ++i) {
        delete singles[i];
        delete[] arrays[i];
        operator delete(quietSingles[i], std::nothrow);
        operator delete[](quietArrays[i], std::nothrow);
    }
}

TEST(Runtime, ThreadSlotLookupKeepsTheLastError)
{
    static CThreadSlot slot;
    int value = 0;
    slot.Set(&value);
    ::SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(slot.Get(), &value);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// A static whose initialiser needs itself would wait for its own thread.
TEST(Runtime, StaticInitialiserThatReentersItselfEndsTheProcessAtOnce)
{
    EXPECT_EXIT(
        {
            ::SetUnhandledExceptionFilter(&ExitWithExceptionCode);
            s_initialiser = &InitialisedOnce;
            InitialisedOnce();
        },
        ::testing::ExitedWithCode(static_cast<int>(0xC0000194)), "");
}

TEST(Runtime, FormattedStringKeepsItsLengthWhenTheTextIsCut)
{
    const std::string longText(2000, 'x');
    CString text;
    text.Format("%s", longText.c_str());
    EXPECT_EQ(text.GetLength(), ::lstrlenA(text));
    EXPECT_GE(text.GetLength(), 1000);
}
