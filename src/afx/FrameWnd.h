// CFrameWnd: a top-level frame window made from a resource id (title string
// and menu). It routes commands to its own map, then to the application.
#pragma once

#include "afx/Wnd.h"

// Frame style bit: the title shows the document name (kept for the style word).
#define FWS_ADDTOTITLE 0x00008000L
// Child id of a frame's client (pane) window.
#define AFX_IDW_PANE_FIRST 0xE900

class CFrameWnd : public CWnd {
public:
    static const CRuntimeClass classCFrameWnd;
    const CRuntimeClass* GetRuntimeClass() const override;

    // Creates the frame with the title from string nIDResource (up to the
    // first line feed) and the menu from menu nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    // A frame lives on the heap and deletes itself once its window is gone.
    void PostNcDestroy() override;
};
