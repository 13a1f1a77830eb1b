// Modal dialogs: nested loop, control subclassing, owner drawing, keys.
#include "afx/Afx.h"
#include "AfxTestRes.h"

#include <gtest/gtest.h>

namespace {

class OwnerDrawButton : public CButton {
public:
    int preSubclassed = 0;
    int drawn = 0;

protected:
    void PreSubclassWindow() override
    {
        ++preSubclassed;
        const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
        SendMessage(BM_SETSTYLE, (style & 0xFF) | BS_OWNERDRAW, TRUE);
        CButton::PreSubclassWindow();
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        if (lpDrawItemStruct->hwndItem == m_hWnd)
            ++drawn;
    }
};

// A window elsewhere in the thread that counts posted messages.
class Listener : public CWnd {
public:
    static const afx::MessageMap* GetThisMessageMap()
    {
        static const afx::MessageEntry entries[] = {
            afx::OnMessage<&Listener::OnPing>(WM_APP + 9),
            afx::EndOfMap(),
        };
        static const afx::MessageMap map = { &CWnd::GetThisMessageMap, entries };
        return &map;
    }
    const afx::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    LRESULT OnPing(WPARAM, LPARAM) { ++pings; return 0; }
    int pings = 0;
};

enum class Plan { TimerEnds, EscapeKey };

class TestDialog : public CDialog {
public:
    TestDialog(Plan plan, Listener* listener) : CDialog(IDD_TEST_DIALOG), m_plan(plan), m_listener(listener) {}

    static const afx::MessageMap* GetThisMessageMap()
    {
        static const afx::MessageEntry entries[] = {
            afx::OnMessage<&TestDialog::OnTimer>(WM_TIMER),
            afx::EndOfMap(),
        };
        static const afx::MessageMap map = { &CDialog::GetThisMessageMap, entries };
        return &map;
    }
    const afx::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    OwnerDrawButton m_button;
    int pingsSeenByTimer = -1;
    bool cancelled = false;
    RECT windowRect = {};

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_TEST_BUTTON, m_button);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_plan == Plan::TimerEnds) {
            m_listener->PostMessage(WM_APP + 9);
            SetTimer(1, 50, nullptr);
        } else {
            ::SetFocus(::GetDlgItem(m_hWnd, IDC_TEST_EDIT));
            ::PostMessageA(::GetDlgItem(m_hWnd, IDC_TEST_EDIT), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            SetTimer(2, 3000, nullptr);  // safety net
        }
        return FALSE;
    }
    void OnCancel() override
    {
        cancelled = true;
        CDialog::OnCancel();
    }
    void OnTimer(UINT_PTR id)
    {
        KillTimer(id);
        ::GetWindowRect(m_hWnd, &windowRect);
        pingsSeenByTimer = m_listener->pings;
        EndDialog(static_cast<int>(100 + id));
    }

private:
    Plan m_plan;
    Listener* m_listener;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_listener.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    }
    void TearDown() override { m_listener.DestroyWindow(); }
    Listener m_listener;
};

}  // namespace

TEST_F(DialogTest, NestedLoopDeliversOtherWindowsMessagesAndTimers)
{
    TestDialog dialog(Plan::TimerEnds, &m_listener);
    EXPECT_EQ(dialog.DoModal(), 101);
    EXPECT_EQ(dialog.pingsSeenByTimer, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_button.m_hWnd, nullptr);  // detached when the dialog went away
}

TEST_F(DialogTest, ControlIsSubclassedOnceAndDrawsItself)
{
    TestDialog dialog(Plan::TimerEnds, &m_listener);
    dialog.DoModal();
    EXPECT_EQ(dialog.m_button.preSubclassed, 1);
    EXPECT_GE(dialog.m_button.drawn, 1);
}

TEST_F(DialogTest, EscapeGivesCancel)
{
    TestDialog dialog(Plan::EscapeKey, &m_listener);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.cancelled);
}

TEST_F(DialogTest, DialogWithHiddenOwnerIsCentredInTheWorkArea)
{
    TestDialog dialog(Plan::TimerEnds, &m_listener);
    dialog.DoModal();
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT& rc = dialog.windowRect;
    EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

TEST(Dialog, MissingTemplateFailsWithoutRunning)
{
    CDialog dialog(9999);
    EXPECT_EQ(dialog.DoModal(), -1);
}
