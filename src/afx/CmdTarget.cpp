#include "afx/CmdTarget.h"

const CRuntimeClass CCmdTarget::classCCmdTarget = { "CCmdTarget", &CObject::classCObject };

const CRuntimeClass* CCmdTarget::GetRuntimeClass() const
{
    return &classCCmdTarget;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* /*pExtra*/,
                          AFX_CMDHANDLERINFO* /*pHandlerInfo*/)
{
    const afx::MessageEntry* entry =
        afx::FindCommandEntry(GetMessageMap(), nID, static_cast<UINT>(nCode));
    if (entry == nullptr)
        return FALSE;
    entry->thunk(this, MAKEWPARAM(nID, nCode), 0);
    return TRUE;
}

const afx::MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const afx::MessageEntry entries[] = {
        afx::EndOfMap(),
    };
    static const afx::MessageMap map = { nullptr, entries };
    return &map;
}

const afx::MessageMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}
