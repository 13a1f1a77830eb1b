#include "app/UiLanguage.h"

#include "frame/SystemFunction.h"

namespace {

const LANGID ENGLISH_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The languages the program has texts for: the language of their resources
// and the ANSI code page that writes them.
struct Translation {
    LANGID resources;
    UINT codePage;
};
const Translation s_translations[] = {
    { MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), 1252 },
    { MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), 1252 },
    { MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), 1252 },
    { MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA), 1251 },
    { MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), 932 },
    { MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), 936 },
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
    if (primary == LANG_CHINESE && !IsSimplifiedChinese(userLanguage))
        return ENGLISH_US;
    for (const Translation& translation : s_translations) {
        if (PRIMARYLANGID(translation.resources) != primary)
            continue;
        // UTF-8 as the ANSI code page (Windows 10 and 11 offer it) writes all.
        const bool writable = ansiCodePage == translation.codePage || ansiCodePage == CP_UTF8;
        return writable ? translation.resources : ENGLISH_US;
    }
    return ENGLISH_US;
}

void UseUiLanguage(LANGID language)
{
    // Windows XP's loader goes by the thread locale; from Vista on it goes
    // by the thread's UI language, which XP cannot set (its function of
    // that name sets nothing, so it is used only where Vista's preferred
    // UI languages exist). The locale is set everywhere, as loaders that
    // know no thread UI language go by it.
    ::SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
    using SetThreadUILanguageFn = LANGID(WINAPI*)(LANGID);
    const auto setUiLanguage =
        SystemFunction<SetThreadUILanguageFn>("kernel32.dll", "SetThreadUILanguage");
    if (setUiLanguage != nullptr &&
        SystemProc("kernel32.dll", "SetThreadPreferredUILanguages") != nullptr)
        setUiLanguage(language);
}

void SelectUiLanguage()
{
    UseUiLanguage(ChooseUiLanguage(::GetUserDefaultUILanguage(), ::GetACP()));
}
