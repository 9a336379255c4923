// What both windows tell of a page that failed, stopped or stopped answering, and of a
// download; the certificate question in the message dialog; and the limits on what pages
// open (tabs, and secondary windows while separate windows are preferred).

#include "WebWindowFixture.h"

#include "PageTrouble.h"

using namespace webwindowtest;
using namespace corvane;

namespace {

using PageTroubleWindowsTest = WebWindowTest;

TEST_F(PageTroubleWindowsTest, AFailedPageIsToldInBothWindowsAndTheTypedAddressStays)
{
    struct Case {
        vb::PageFailure failure;
        const char* told; // "" when nothing is told
    };
    const Case cases[] = {
        {vb::PageFailure::ServerNotFound, "Could not open http://weathertoday/: cannot find the server."},
        {vb::PageFailure::ConnectionRefused, "Could not open http://weathertoday/: the connection was refused."},
        {vb::PageFailure::NoAnswer, "Could not open http://weathertoday/: the server did not answer."},
        {vb::PageFailure::CertificateRefused, "Could not open http://weathertoday/: the certificate was not accepted."},
        {vb::PageFailure::RendererCrashed,
         "The page http://weathertoday/ stopped working: it crashed. Click Refresh to load it again."},
        {vb::PageFailure::None, ""},
    };
    frmMain& main = startMainWindowOnHomePage();
    frmWeb& w = openWindowAt(site(1));
    const QString typed = QStringLiteral("weather today");
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.failure));
        main.PageNoticeBox.hide();
        w.PageNoticeBox.hide();
        main.ComboLocation.setText(typed);
        w.ComboPopLocation[0].setText(typed);
        for (vb::ScriptedWebEngine* e : {&engineOf(main.WebBrowser[0]), &engineOf(w, 0)}) {
            e->fireBeforeNavigate2();
            EXPECT_TRUE(e->fireNavigateError(c.failure, QStringLiteral("http://weathertoday/")));
            e->fireDownloadComplete();
        }
        for (PageNotice* notice : {&main.PageNoticeBox, &w.PageNoticeBox}) {
            EXPECT_EQ(notice->isShown(), *c.told != 0);
            if (*c.told) {
                EXPECT_EQ(notice->text(), QString::fromUtf8(c.told));
            }
        }
        // Told, not asked: the focus and the typed text stay where they were.
        EXPECT_EQ(main.ComboLocation.text(), typed);
        EXPECT_EQ(w.ComboPopLocation[0].text(), typed);
        EXPECT_TRUE(shown.isEmpty());
    }
    EXPECT_EQ(main.WebBrowser[0].locationURL(), app->opt.MainBrowserHomePages[0]);
}

TEST_F(PageTroubleWindowsTest, ANoticeGoesWithTheBrowserItSpeaksOf)
{
    frmMain& main = startMainWindowOnHomePage();
    PageNotice& notice = main.PageNoticeBox;
    // A page that stops answering, and answers again.
    engineOf(main.WebBrowser[0]).firePageTrouble(vb::PageFailure::NotAnswering);
    ASSERT_TRUE(notice.isShown());
    EXPECT_EQ(notice.FramePageNotice.caption(), QStringLiteral("Page Not Answering"));
    engineOf(main.WebBrowser[0]).firePageTrouble(vb::PageFailure::None);
    EXPECT_FALSE(notice.isShown());
    // A browser not on screen tells nothing.
    app->opt.NewWindowSeparate = false;
    vb::WebBrowser* tab = engineOf(main.WebBrowser[0]).fireNewWindow2();
    ASSERT_NE(tab, nullptr);
    engineOf(*tab).completeNavigation(site(2));
    engineOf(main.WebBrowser[0]).fireNavigateError(vb::PageFailure::NoAnswer, site(3));
    EXPECT_FALSE(notice.isShown());
    // The tab's failure is told; its next navigation, or another browser shown, takes it away.
    engineOf(*tab).fireNavigateError(vb::PageFailure::NoAnswer, site(3));
    ASSERT_TRUE(notice.isShown());
    engineOf(*tab).fireBeforeNavigate2();
    EXPECT_FALSE(notice.isShown());
    engineOf(*tab).fireNavigateError(vb::PageFailure::NoAnswer, site(3));
    ASSERT_TRUE(notice.isShown());
    ASSERT_TRUE(main.CommandWebClose[0].click());
    EXPECT_FALSE(notice.isShown());
    // A click hides it.
    engineOf(main.WebBrowser[0]).fireNavigateError(vb::PageFailure::NoAnswer, site(3));
    ASSERT_TRUE(notice.isShown());
    notice.LabelHidePageNotice.click();
    EXPECT_FALSE(notice.isShown());
}

TEST_F(PageTroubleWindowsTest, TheEnginesNoticesReachTheWindowOfThePage)
{
    frmMain& main = startMainWindowOnHomePage();
    frmWeb& w = openWindowAt(site(1));
    ASSERT_TRUE(engines->tellUser);
    engines->tellUser(w.window(), QStringLiteral("Download Finished"), QStringLiteral("a.txt was saved in /tmp."));
    EXPECT_TRUE(w.PageNoticeBox.isShown());
    EXPECT_FALSE(main.PageNoticeBox.isShown());
    // A page whose window went: the main window tells.
    engines->tellUser(nullptr, QStringLiteral("Download Failed"), QStringLiteral("b.txt could not be downloaded."));
    EXPECT_EQ(main.PageNoticeBox.text(), QStringLiteral("b.txt could not be downloaded."));
    EXPECT_EQ(w.PageNoticeBox.text(), QStringLiteral("a.txt was saved in /tmp."));
}

TEST_F(PageTroubleWindowsTest, ACertificateIsAskedOnceASiteAndFaultAndTheAnswerHolds)
{
    startMainWindowOnHomePage();
    QStringList bodies;
    bool sayYes = false;
    app->rt.setResponder(QStringLiteral("frmMessage"), [&](vb::Form& form) {
        auto& m = static_cast<frmMessage&>(form);
        shown << app->msg.MessageId;
        bodies << m.LabelMessage.caption();
        if (app->msg.MessageId == QLatin1String("MessageCertificateAsk")) {
            EXPECT_EQ(m.LabelMsgCancel.caption(), QStringLiteral("No"));
        }
        vb::CommandButton& pressed = sayYes || !m.CommandMsgCancel.isEnabled() ? m.CommandMsgOK : m.CommandMsgCancel;
        pressed.click();
    });
    struct Case {
        QString host;
        vb::CertificateProblem problem;
        bool overridable;
        bool sayYes;
        QString id;     // the message shown, "" for none
        bool expected;  // the answer the engine gets
    };
    const QString self = QStringLiteral("self.velmora.example");
    const Case cases[] = {
        {self, vb::CertificateProblem::UnknownIssuer, true, false, QStringLiteral("MessageCertificateAsk"), false},
        // The answer holds for the site and fault: not asked again.
        {self, vb::CertificateProblem::UnknownIssuer, true, true, QString(), false},
        {self, vb::CertificateProblem::Expired, true, true, QStringLiteral("MessageCertificateAsk"), true},
        {self, vb::CertificateProblem::Expired, true, false, QString(), true},
        {QStringLiteral("strict.velmora.example"), vb::CertificateProblem::WrongName, false, true,
         QStringLiteral("MessageCertificateRefused"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host.toStdString() + " " + std::to_string(int(c.problem)));
        shown.clear();
        bodies.clear();
        sayYes = c.sayYes;
        QList<bool> answers;
        vb::CertificateQuestion q;
        q.host = c.host;
        q.problem = c.problem;
        q.overridable = c.overridable;
        if (c.overridable)
            q.answer = [&answers](bool goOn) { answers << goOn; };
        // Asked from inside the engine's call: the dialog opens once it has returned.
        {
            vb::Runtime::EngineCallbackScope scope(app->rt, true);
            engines->askCertificate(q);
            EXPECT_TRUE(shown.isEmpty());
        }
        testsupport::waitFor([&] { return !shown.isEmpty() || !answers.isEmpty(); }, 1000);
        EXPECT_EQ(shown, c.id.isEmpty() ? QStringList() : QStringList{c.id});
        if (c.overridable) {
            EXPECT_EQ(answers, QList<bool>{c.expected});
        }
        if (!bodies.isEmpty()) {
            EXPECT_TRUE(bodies[0].startsWith(QStringLiteral("The site ") + c.host)) << bodies[0].toStdString();
        }
    }
}

TEST_F(PageTroubleWindowsTest, PagesHoldAtMost24WindowsAndTheUsersOwnDoNotCount)
{
    frmMain& main = startMainWindowOnHomePage();
    app->opt.NewWindowSeparate = true;
    // The user's own window does not count.
    openWindow();
    int opened = 0;
    for (int i = 0; i < 30; ++i)
        opened += engineOf(main.WebBrowser[0]).fireNewWindow2() ? 1 : 0;
    EXPECT_EQ(opened, MaxPageWindows);
    EXPECT_EQ(windows().size(), MaxPageWindows + 1);
    EXPECT_EQ(shown, QStringList{QStringLiteral("MessageTooManyTab")});
    // The page's window.open() is told beforehand.
    EXPECT_TRUE(engineOf(main.WebBrowser[0]).fireNewWindowCheck());
    // A window a page opened closes: room for one more.
    frmWeb* pageWindow = windows().last();
    ASSERT_TRUE(pageWindow->OpenedByPage);
    pageWindow->CommandClosePop_Click();
    testsupport::flushDeferredDeletes();
    EXPECT_EQ(app->set.PageWindowsOpen, MaxPageWindows - 1);
    EXPECT_FALSE(engineOf(main.WebBrowser[0]).fireNewWindowCheck());
    EXPECT_NE(engineOf(main.WebBrowser[0]).fireNewWindow2(), nullptr);
    EXPECT_EQ(engineOf(main.WebBrowser[0]).fireNewWindow2(), nullptr);
}

TEST_F(PageTroubleWindowsTest, WindowOpenPastTheTabLimitIsRefusedBeforeTheWindowIsMade)
{
    frmMain& main = startMainWindowOnHomePage();
    frmWeb& w = openWindowAt(site(1));
    for (int i = 1; i <= MaxTabs; ++i) {
        EXPECT_FALSE(engineOf(main.WebBrowser[0]).fireNewWindowCheck()) << i;
        vb::WebBrowser* tab = engineOf(main.WebBrowser[0]).fireNewWindow2();
        ASSERT_NE(tab, nullptr) << i;
        engineOf(*tab).completeNavigation(site(i));
        // The tab's page is on screen: the main browser is asked again from there.
        main.BrowserNew[i].setVisible(false);
        app->set.TabBrowserCurrent = false;
        app->set.MainBrowserCurrent = true;
        app->set.TabCurrentIndex = 0;
    }
    ASSERT_NO_FATAL_FAILURE(openTabs(w, frmWeb::MaxPopTabs));
    EXPECT_TRUE(shown.isEmpty());
    for (vb::ScriptedWebEngine* e : {&engineOf(main.WebBrowser[0]), &engineOf(w, 0)}) {
        EXPECT_TRUE(e->fireNewWindowCheck());
        EXPECT_EQ(e->fireNewWindow2(), nullptr);
    }
    EXPECT_EQ(shown, QStringList(2, QStringLiteral("MessageTooManyTab")));
    // While a page loads, its window.open() gets nothing either, and nobody is told.
    shown.clear();
    w.CommandPopClose_Click(1);
    engineOf(w, 0).fireBeforeNavigate2();
    EXPECT_TRUE(engineOf(w, 0).fireNewWindowCheck());
    EXPECT_TRUE(shown.isEmpty());
}

} // namespace
