// Message maps: each class lists the messages and commands it handles in a
// constant table that links to its base class's table. An entry holds a
// thunk generated from the handler's member-function pointer; the thunk
// unpacks wParam/lParam into the handler's parameters, so the tables are
// type-checked by the compiler instead of by casts.
//
//   class CMyWnd : public CWnd {
//   public:
//       AFX_DECLARE_MESSAGE_MAP(CWnd)
//       ...
//   };
//
//   const afx::MessageEntry* CMyWnd::MessageEntries()
//   {
//       static const afx::MessageEntry entries[] = {
//           afx::OnMessage<&CMyWnd::OnTimer>(WM_TIMER),
//           afx::OnCommand<&CMyWnd::OnExit>(ID_APP_EXIT),
//           afx::OnControl<&CMyWnd::OnClicked>(BN_CLICKED, IDC_BTN1),
//           afx::EndOfMap(),
//       };
//       return entries;
//   }
//
// The table is defined inside a member function so that it may name the
// class's protected and private handlers. A class that handles nothing of
// its own declares no map and uses its base class's.
#pragma once

#include <windows.h>

class CCmdTarget;
class CWnd;
CWnd* AfxWndFromHandle(HWND hWnd);

namespace afx {

using MessageThunk = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
    UINT message;   // window message; WM_COMMAND for commands and control notifications
    UINT code;      // notification code of a WM_COMMAND entry (0 for menu commands)
    UINT firstId;   // command or control id range of a WM_COMMAND entry
    UINT lastId;
    MessageThunk thunk;  // null ends the table
};

struct MessageMap {
    const MessageMap* (*getBase)();  // the base class's map; null at the root
    const MessageEntry* entries;
};

// Handler shapes. Private messages and notifications: (WPARAM, LPARAM) -> LRESULT.
template <class T> LRESULT Crack(LRESULT (T::*pfn)(WPARAM, LPARAM), CCmdTarget* t, WPARAM w, LPARAM l)
{
    return (static_cast<T*>(t)->*pfn)(w, l);
}
// Commands, notifications, WM_CLOSE, WM_PAINT: no parameters.
template <class T> LRESULT Crack(void (T::*pfn)(), CCmdTarget* t, WPARAM, LPARAM)
{
    (static_cast<T*>(t)->*pfn)();
    return 0;
}
// WM_CREATE: the creation parameters; the result decides whether creation goes on.
template <class T> LRESULT Crack(int (T::*pfn)(LPCREATESTRUCTA), CCmdTarget* t, WPARAM, LPARAM l)
{
    return (static_cast<T*>(t)->*pfn)(reinterpret_cast<LPCREATESTRUCTA>(l));
}
// WM_TIMER: the timer id.
template <class T> LRESULT Crack(void (T::*pfn)(UINT_PTR), CCmdTarget* t, WPARAM w, LPARAM)
{
    (static_cast<T*>(t)->*pfn)(static_cast<UINT_PTR>(w));
    return 0;
}
// WM_SETFOCUS: the window that lost the focus.
template <class T> LRESULT Crack(void (T::*pfn)(CWnd*), CCmdTarget* t, WPARAM w, LPARAM)
{
    (static_cast<T*>(t)->*pfn)(AfxWndFromHandle(reinterpret_cast<HWND>(w)));
    return 0;
}

template <auto Handler>
LRESULT Thunk(CCmdTarget* target, WPARAM wParam, LPARAM lParam)
{
    return Crack(Handler, target, wParam, lParam);
}

// A window message.
template <auto Handler>
constexpr MessageEntry OnMessage(UINT message)
{
    return { message, 0, 0, 0, &Thunk<Handler> };
}

// A menu or accelerator command (WM_COMMAND, code 0).
template <auto Handler>
constexpr MessageEntry OnCommand(UINT id)
{
    return { WM_COMMAND, 0, id, id, &Thunk<Handler> };
}

// A control notification (WM_COMMAND with a notification code) from one control.
template <auto Handler>
constexpr MessageEntry OnControl(UINT code, UINT id)
{
    return { WM_COMMAND, code, id, id, &Thunk<Handler> };
}

constexpr MessageEntry EndOfMap()
{
    return { 0, 0, 0, 0, nullptr };
}

// Finds the first entry for a window message (not WM_COMMAND) along the chain.
const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message);
// Finds the first WM_COMMAND entry for a command or notification along the chain.
const MessageEntry* FindCommandEntry(const MessageMap* map, UINT id, UINT code);

}  // namespace afx

// Declares the message map of a class derived from Base, in its class body
// (where it is public): MessageEntries(), which the class defines with its
// table, GetThisMessageMap(), which links that table to Base's map, and the
// GetMessageMap() override that returns it.
#define AFX_DECLARE_MESSAGE_MAP(Base)                                                \
    static const afx::MessageEntry* MessageEntries();                                \
    static const afx::MessageMap* GetThisMessageMap()                                \
    {                                                                                \
        static const afx::MessageMap map = { &Base::GetThisMessageMap, MessageEntries() }; \
        return &map;                                                                 \
    }                                                                                \
    const afx::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
