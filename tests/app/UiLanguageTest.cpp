// Which language the program's texts are shown in, for the user's display
// language and the system's ANSI code page.
#include "app/UiLanguage.h"

#include <gtest/gtest.h>

TEST(UiLanguage, TheUsersLanguageWhereTheCodePageWritesItElseEnglish)
{
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    // The texts' tags: German (Germany), French (France), Spanish (Spain),
    // Russian, Japanese, Chinese (China).
    struct Case { LANGID user; UINT codePage; LANGID shown; } cases[] = {
        { 0x0407, 1252, 0x0407 },  // German
        { 0x0C07, 1252, 0x0407 },  // German (Austria): every variant
        { 0x0807, 1252, 0x0407 },  // German (Switzerland)
        { 0x080A, 1252, 0x0C0A },  // Spanish (Mexico)
        { 0x0C0C, 1252, 0x040C },  // French (Canada)
        { 0x0419, 1251, 0x0419 },  // Russian
        { 0x0411, 932, 0x0411 },   // Japanese
        { 0x0804, 936, 0x0804 },   // Chinese (China)
        { 0x1004, 936, 0x0804 },   // Chinese (Singapore)
        { 0x0419, CP_UTF8, 0x0419 },  // UTF-8 as the ANSI code page writes all
        { 0x0411, 1252, english },  // Japanese that the code page cannot write
        { 0x0419, 1252, english },
        { 0x0407, 1251, english },
        { 0x0404, 950, english },  // Traditional Chinese: no texts for it
        { 0x0C04, 950, english },
        { 0x0415, 1250, english },  // Polish: no texts for it
        { 0x0409, 1252, english },
        { 0x0809, 1252, english },  // English (United Kingdom): the English texts
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseUiLanguage(c.user, c.codePage), c.shown)
            << std::hex << c.user << " with code page " << std::dec << c.codePage;
}
