// CCmdTarget: an object with a message map that can receive commands.
#pragma once

#include "afx/MessageMap.h"
#include "afx/Object.h"

struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    afx::MessageThunk thunk;
};

class CCmdTarget : public CObject {
public:
    static const CRuntimeClass classCCmdTarget;
    const CRuntimeClass* GetRuntimeClass() const override;

    // Runs the handler of command nID with notification code nCode from this
    // object's map chain. With pHandlerInfo, only reports the handler found.
    // TRUE when a handler was found.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const afx::MessageMap* GetThisMessageMap();
    virtual const afx::MessageMap* GetMessageMap() const;

protected:
    CCmdTarget() = default;
};
