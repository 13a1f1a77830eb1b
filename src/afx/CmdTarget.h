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
    // object's map chain. TRUE when a handler was found. pExtra and
    // pHandlerInfo are passed along the routing but not used.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const afx::MessageMap* GetThisMessageMap();
    virtual const afx::MessageMap* GetMessageMap() const;

protected:
    CCmdTarget() = default;
};
