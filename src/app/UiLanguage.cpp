#include "app/UiLanguage.h"

namespace {

const LANGID ENGLISH_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The languages the program has texts for, and the ANSI code page that
// writes each.
struct Translation {
    WORD primaryLanguage;
    UINT codePage;
};
const Translation s_translations[] = {
    { LANG_GERMAN, 1252 },  { LANG_FRENCH, 1252 },   { LANG_SPANISH, 1252 },
    { LANG_RUSSIAN, 1251 }, { LANG_JAPANESE, 932 }, { LANG_CHINESE, 936 },
};

// Chinese in the simplified script: neutral (zh-Hans), China, Singapore.
bool IsSimplifiedChinese(LANGID language)
{
    const WORD sub = SUBLANGID(language);
    return sub == SUBLANG_NEUTRAL || sub == SUBLANG_CHINESE_SIMPLIFIED ||
           sub == SUBLANG_CHINESE_SINGAPORE;
}

}  // namespace

LANGID ChooseUiLanguage(LANGID userLanguage, UINT ansiCodePage)
{
    const WORD primary = PRIMARYLANGID(userLanguage);
    for (const Translation& translation : s_translations) {
        if (translation.primaryLanguage != primary)
            continue;
        if (primary == LANG_CHINESE && !IsSimplifiedChinese(userLanguage))
            break;
        return translation.codePage == ansiCodePage ? userLanguage : ENGLISH_US;
    }
    return ENGLISH_US;
}

void UseUiLanguage(LANGID language)
{
    // Windows XP's loader goes by the thread locale (a neutral language has
    // no locale of its own: its default sublanguage stands for it).
    LANGID locale = language;
    if (SUBLANGID(locale) == SUBLANG_NEUTRAL)
        locale = MAKELANGID(PRIMARYLANGID(locale),
                            PRIMARYLANGID(locale) == LANG_CHINESE ? SUBLANG_CHINESE_SIMPLIFIED
                                                                  : SUBLANG_DEFAULT);
    ::SetThreadLocale(MAKELCID(locale, SORT_DEFAULT));

    // From Vista on it goes by the thread's UI languages. XP has a function
    // of that name that sets nothing, so it is used only where Vista's
    // preferred-language functions exist.
    const HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
    using SetThreadUILanguageFn = LANGID(WINAPI*)(LANGID);
    const auto setUiLanguage = reinterpret_cast<SetThreadUILanguageFn>(
        reinterpret_cast<void*>(::GetProcAddress(hKernel, "SetThreadUILanguage")));
    if (setUiLanguage != nullptr &&
        ::GetProcAddress(hKernel, "SetThreadPreferredUILanguages") != nullptr)
        setUiLanguage(language);
}

void SelectUiLanguage()
{
    UseUiLanguage(ChooseUiLanguage(::GetUserDefaultUILanguage(), ::GetACP()));
}
