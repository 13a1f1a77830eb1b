#include "afx/Event.h"

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCSTR lpszName,
               LPSECURITY_ATTRIBUTES lpsaAttribute)
{
    m_hObject = ::CreateEventA(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName);
}
