// Application, frame, threads and command line.
#include "afx/Afx.h"
#include "AfxTestRes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_trail;

class TestApp : public CWinApp {
public:
    static const afx::MessageMap* GetThisMessageMap()
    {
        static const afx::MessageEntry entries[] = {
            afx::OnCommand<&TestApp::OnAppCommand>(ID_TEST_APP_CMD),
            afx::OnCommand<&TestApp::OnShared>(ID_TEST_SHARED),
            afx::EndOfMap(),
        };
        static const afx::MessageMap map = { &CWinApp::GetThisMessageMap, entries };
        return &map;
    }
    const afx::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnAppCommand() { g_trail.push_back("app"); }
    void OnShared() { g_trail.push_back("app-shared"); }
};

class TestView : public CWnd {
public:
    static const afx::MessageMap* GetThisMessageMap()
    {
        static const afx::MessageEntry entries[] = {
            afx::OnCommand<&TestView::OnViewCommand>(ID_TEST_VIEW_CMD),
            afx::EndOfMap(),
        };
        static const afx::MessageMap map = { &CWnd::GetThisMessageMap, entries };
        return &map;
    }
    const afx::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnViewCommand() { g_trail.push_back("view"); }
};

class TestFrame : public CFrameWnd {
public:
    static int s_destroyed;
    static bool s_sawCreate;
    static bool s_keptWhileHandling;

    ~TestFrame() override { ++s_destroyed; }

    static const afx::MessageMap* GetThisMessageMap()
    {
        static const afx::MessageEntry entries[] = {
            afx::OnMessage<&TestFrame::OnCreate>(WM_CREATE),
            afx::OnCommand<&TestFrame::OnFrameCommand>(ID_TEST_FRAME_CMD),
            afx::OnCommand<&TestFrame::OnShared>(ID_TEST_SHARED),
            afx::OnCommand<&TestFrame::OnDestroyCommand>(ID_TEST_DESTROY),
            afx::EndOfMap(),
        };
        static const afx::MessageMap map = { &CFrameWnd::GetThisMessageMap, entries };
        return &map;
    }
    const afx::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // The view first, then the frame's own map, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (m_view.OnCmdMsg(nID, nCode, pExtra, pInfo))
            return TRUE;
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }

    int OnCreate(LPCREATESTRUCTA cs)
    {
        s_sawCreate = m_hWnd != nullptr;
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        return m_view.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{}, this, 0xE900) ? 0 : -1;
    }
    void OnFrameCommand() { g_trail.push_back("frame"); }
    void OnShared() { g_trail.push_back("frame-shared"); }
    // Destroys the window from inside a handler, the way a shut-down from a
    // nested loop does: the object must still be there afterwards.
    void OnDestroyCommand()
    {
        DestroyWindow();
        s_keptWhileHandling = s_destroyed == 0 && m_hWnd == nullptr && m_view.m_hWnd == nullptr;
    }

    TestView m_view;
};
int TestFrame::s_destroyed = 0;
bool TestFrame::s_sawCreate = false;
bool TestFrame::s_keptWhileHandling = false;

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_trail.clear();
        TestFrame::s_destroyed = 0;
        TestFrame::s_sawCreate = false;
        TestFrame::s_keptWhileHandling = false;
        afx::SetCurrentThread(&m_app);
    }
    void TearDown() override { afx::SetCurrentThread(nullptr); }

    TestApp m_app;
};

}  // namespace

TEST_F(AppTest, FrameTakesTitleAndMenuFromItsResourceAndSeesItsCreateMessage)
{
    auto* frame = new TestFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW));
    EXPECT_TRUE(TestFrame::s_sawCreate);
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Test Frame");
    EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_TRUE(frame->GetRuntimeClass()->IsDerivedFrom(&CWnd::classCWnd));
    EXPECT_STREQ(frame->GetRuntimeClass()->m_lpszClassName, "CFrameWnd");
    frame->DestroyWindow();
    EXPECT_EQ(TestFrame::s_destroyed, 1);
}

TEST_F(AppTest, CommandsGoToViewThenFrameThenApplication)
{
    auto* frame = new TestFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW));
    frame->SendMessage(WM_COMMAND, ID_TEST_VIEW_CMD, 0);
    frame->SendMessage(WM_COMMAND, ID_TEST_FRAME_CMD, 0);
    frame->SendMessage(WM_COMMAND, ID_TEST_APP_CMD, 0);
    frame->SendMessage(WM_COMMAND, ID_TEST_SHARED, 0);  // the frame wins over the app
    frame->SendMessage(WM_COMMAND, 12345, 0);            // nobody: default processing
    EXPECT_EQ(g_trail, (std::vector<std::string>{ "view", "frame", "app", "frame-shared" }));
    frame->DestroyWindow();
}

TEST_F(AppTest, DestroyingTheMainWindowEndsTheLoopAndDeletesTheFrameOnce)
{
    auto* frame = new TestFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW));
    m_app.m_pMainWnd = frame;
    frame->PostMessage(WM_COMMAND, ID_TEST_FRAME_CMD, 0);
    ::PostMessageA(frame->m_hWnd, WM_CLOSE, 0, 0);  // default frame handling destroys it
    EXPECT_EQ(m_app.Run(), 0);
    EXPECT_EQ(g_trail, std::vector<std::string>{ "frame" });
    EXPECT_EQ(TestFrame::s_destroyed, 1);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
}

TEST_F(AppTest, FrameDestroyedInsideItsOwnHandlerIsDeletedWhenTheHandlerReturns)
{
    auto* frame = new TestFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW));
    m_app.m_pMainWnd = frame;
    const HWND hWnd = frame->m_hWnd;
    ::SendMessageA(hWnd, WM_COMMAND, ID_TEST_DESTROY, 0);
    EXPECT_TRUE(TestFrame::s_keptWhileHandling);
    EXPECT_EQ(TestFrame::s_destroyed, 1);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(m_app.Run(), 0);  // the loop ends once the handler has returned
}

TEST_F(AppTest, FailedCreationDeletesTheFrameAndReportsFailure)
{
    class FailingFrame : public TestFrame {
    public:
        BOOL PreCreateWindow(CREATESTRUCTA& cs) override
        {
            cs.lpszClass = "NoSuchWindowClass";
            return TRUE;
        }
    };
    auto* frame = new FailingFrame;
    EXPECT_FALSE(frame->LoadFrame(IDR_TEST_FRAME, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(TestFrame::s_destroyed, 1);
}

TEST(WinThread, SuspendedThreadRunsAfterResumeAndKeepsItsObject)
{
    static std::atomic<int> ran{ 0 };
    auto proc = [](LPVOID param) -> UINT {
        ran = *static_cast<int*>(param);
        return 7;
    };
    int value = 42;
    CWinThread* thread = AfxBeginThread(proc, &value, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    ::Sleep(50);
    EXPECT_EQ(ran.load(), 0);
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(ran.load(), 42);
    delete thread;
}

namespace {

CCommandLineInfo Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "Ravo.exe");
    const int savedArgc = __argc;
    char** savedArgv = __argv;
    __argc = static_cast<int>(args.size());
    __argv = const_cast<char**>(args.data());
    CWinApp app;
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    __argc = savedArgc;
    __argv = savedArgv;
    return info;
}

}  // namespace

TEST(CommandLine, FileNameIsTheFirstArgumentThatIsNotASwitch)
{
    EXPECT_STREQ(Parse({}).m_strFileName, "");
    EXPECT_STREQ(Parse({ "Close" }).m_strFileName, "Close");
    EXPECT_STREQ(Parse({ "Close", "other" }).m_strFileName, "Close");
    EXPECT_STREQ(Parse({ "/Close", "-x", "next" }).m_strFileName, "next");
    EXPECT_STREQ(Parse({ "-Close" }).m_strFileName, "");
    EXPECT_STREQ(Parse({ "close" }).m_strFileName, "close");  // case kept
    EXPECT_STREQ(Parse({ "a b", "Close" }).m_strFileName, "a b");
}
