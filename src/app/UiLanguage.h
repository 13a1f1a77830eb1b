// The language of the program's texts. Every text is a resource, tagged by
// language (English (United States), and the languages in res/lang, each
// with one tag); the resource loader of Windows picks them by the thread's
// language, which the program sets at start-up to the exact tag it chooses
// here, so that every loader from XP on finds them.
#pragma once

#include <windows.h>

// The tag of the texts for the user's display language where the program
// has them (for any variant: de-AT and de-CH get German, es-MX Spanish;
// Chinese in its simplified script only) and the system's ANSI code page
// can write them, which is what an ANSI program shows text in; English
// (United States) otherwise, rather than question marks.
LANGID ChooseUiLanguage(LANGID userLanguage, UINT ansiCodePage);

// Makes this thread's resource lookups (strings, menus, dialog templates)
// use language: its UI language on Windows Vista and later, its locale on
// Windows XP, whose loader goes by the thread locale.
void UseUiLanguage(LANGID language);

// Chooses the language for the user's display language and the system's
// code page, and makes this thread use it.
void SelectUiLanguage();
