// Pages that try to trap the user, read the user's files or eat what the user types, each
// in a fresh main window on the real engine, driven with real keys and clicks. Each row
// checks what the user sees; then every row checks that the program still answers: no
// dialog of a page is left open, and an address the user types into the location box on
// screen loads.
//
// The table is hostilePages at the end of this file: a row is a name and what the user
// does with the page; pages come from the loopback server (sitePage) or a local folder.

#include "MainWindowFixture.h"

#include "ControlButton.h"
#include "EngineSupport.h"
#include "LoopbackServer.h"
#include "UserInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace corvane;
using namespace Qt::StringLiterals;
using testsupport::runScript;
using testsupport::waitFor;

namespace {

using Reply = testsupport::LoopbackServer::Reply;

// What the local pages must never read, and where they report what they got.
const QByteArray Secret = "corvane-secret-marker";

QByteArray onLoad(const QByteArray& script)
{
    return "<script>onload = function () { setTimeout(function () {" + script + "}, 0); };</script>";
}

// /alert-loop.html raises 300 alerts and then asks for /done; /confirm-loop.html 100 confirms
// and prompts each, then tells how many were answered; /refresh.html loads itself again at
// once, for ever; the rest are small pages.
std::optional<Reply> sitePage(const QByteArray& target)
{
    const QByteArray path = target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?'));
    Reply r;
    r.body = "<html><body>page " + path + "</body></html>";
    if (path == "/alert-loop.html") {
        r.body += onLoad("var i = 0; for (; i < 300; i++) alert('again ' + i); fetch('/done?n=' + i);");
    } else if (path == "/confirm-loop.html") {
        r.body += onLoad("var r = []; for (var i = 0; i < 100; i++) { r.push(confirm('sure ' + i));"
                         " r.push(prompt('name ' + i, 'given')); }"
                         "fetch('/done?answered=' + r.filter(function (x) { return x !== false && x !== null; }).length"
                         " + '&n=' + r.length);");
    } else if (path == "/refresh.html") {
        r.body = "<html><head><meta http-equiv='refresh' content='0'></head><body>again and again</body></html>";
    } else if (path == "/favicon.ico") {
        r.status = "404 Not Found";
        r.body.clear();
    }
    return r;
}

class HostilePagesTest;

struct HostilePage {
    const char* name;
    void (*visit)(HostilePagesTest& t);
};

class HostilePagesTest : public mainwindowtest::MainWindowFixture, public ::testing::WithParamInterface<HostilePage> {
public:
    using MainWindowFixture::app;
    using MainWindowFixture::f;
    using MainWindowFixture::homes;
    using MainWindowFixture::s;

    HostilePagesTest()
    {
        app->rt.setWebEngine(testsupport::headlessEngine(url(u"/search.html"_s), testsupport::profileStorageFor(u"hostile-"_s)));
        for (int i = 0; i <= 5; ++i)
            homes[i] = url(u"/home%1.html"_s.arg(i + 1));
    }

    QString url(const QString& path) const { return server.url(path); }
    int requests(const QString& path) const { return int(server.requests().count(path)); }
    // The requests whose target begins with prefix.
    QStringList requestsTo(const QString& prefix) const
    {
        QStringList found;
        for (const QString& target : server.requests())
            if (target.startsWith(prefix))
                found << target;
        return found;
    }

    // Start-up with the window active, main browser 1 on its home page.
    void start()
    {
        startMainWindow(0);
        ASSERT_TRUE(testsupport::activateWindowOf(f().window()));
        ASSERT_TRUE(settled(homes[0]));
    }

    bool settled(const QString& address)
    {
        return waitFor([&] {
            const vb::WebBrowser* b = current();
            return b && b->locationURL() == address && !s().PopupGuard && s().LoadingBrowserIndex == -1
                && s().TabLoadingIndex == -1;
        });
    }

    vb::WebBrowser* current() const
    {
        return s().TabBrowserCurrent ? f().BrowserNew.find(s().TabCurrentIndex) : f().WebBrowser.find(s().MainBrowserIndex);
    }

    // The location box on screen, as the user sees it.
    vb::ComboBox& locationBox() const
    {
        if (s().FullWindowMode && s().BarIndex == 1)
            return f().ComboComLocation;
        return s().TabBrowserCurrent ? f().ComboWebLocation[s().TabCurrentIndex] : f().ComboLocation;
    }

    // The user clicks into the location box on screen, types an address and presses Enter.
    void enterAddress(const QString& address)
    {
        // The window takes the keys again once a dialog of the page has gone, as the
        // desktop gives it back the focus.
        ASSERT_TRUE(testsupport::activateWindowOf(f().window()));
        testsupport::clickInto(locationBox().widget());
        testsupport::pressKey(Qt::Key_A, Qt::ControlModifier);
        testsupport::typeText(address);
        testsupport::pressKey(Qt::Key_Return);
    }

    // The dialogs of the page the user answers, in order: each gets the dialog once it has
    // the focus, and says whether it offered to stop the page's dialogs.
    void answerDialogs(std::vector<std::function<void(QWidget* dialog)>> answers)
    {
        if (answers.empty())
            return;
        auto first = answers.front();
        answers.erase(answers.begin());
        testsupport::whenPageDialog([this, first, rest = std::move(answers)](QWidget* dialog) {
            offers.push_back(dialog->findChild<QCheckBox*>(u"stopDialogs"_s) != nullptr);
            // The next one is looked for only after this one has gone.
            answerDialogs(rest);
            first(dialog);
        });
    }

    static bool pageDialogOpen()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"pageDialog"_s && w->isVisible())
                return true;
        return false;
    }

    // The program still answers: no page's dialog is left, and an address the user types
    // loads.
    void expectAnswering()
    {
        EXPECT_FALSE(pageDialogOpen());
        const int before = requests(u"/answering.html"_s);
        enterAddress(url(u"/answering.html"_s));
        EXPECT_TRUE(settled(url(u"/answering.html"_s))) << (current() ? current()->locationURL().toStdString() : "");
        EXPECT_EQ(requests(u"/answering.html"_s), before + 1);
        EXPECT_EQ(locationBox().text(), url(u"/answering.html"_s));
    }

    testsupport::LoopbackServer server{&sitePage};
    QTemporaryDir local;
    std::vector<bool> offers; // for each dialog answered, whether it offered to stop the page's
};

// Enter closes a dialog; the offer taken: its box ticked with the space bar, then Enter or
// Escape.
void pressEnter(QWidget* dialog)
{
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Return);
}

std::function<void(QWidget*)> stopDialogsAnd(Qt::Key close)
{
    return [close](QWidget* dialog) {
        auto* stop = dialog->findChild<QCheckBox*>(u"stopDialogs"_s);
        ASSERT_TRUE(stop) << "the dialog did not offer to stop the page's dialogs";
        stop->setFocus();
        QTest::keyClick(stop, Qt::Key_Space);
        QTest::keyClick(stop, close);
    };
}

// --- the rows ------------------------------------------------------------------------

void alertLoopIsStoppedByTheOffer(HostilePagesTest& t)
{
    t.answerDialogs({pressEnter, stopDialogsAnd(Qt::Key_Return)});
    t.enterAddress(t.url(u"/alert-loop.html"_s));
    ASSERT_TRUE(waitFor([&] { return t.requests(u"/done?n=300"_s) == 1; }, 20000)) << t.server.requests().join(u' ').toStdString();
    // Two dialogs were shown; the second offered to stop, the 298 after it never came.
    EXPECT_EQ(t.offers, std::vector<bool>({false, true}));
    EXPECT_FALSE(t.pageDialogOpen());
}

void confirmAndPromptLoopIsStoppedByTheOffer(HostilePagesTest& t)
{
    t.answerDialogs({pressEnter, stopDialogsAnd(Qt::Key_Escape)});
    t.enterAddress(t.url(u"/confirm-loop.html"_s));
    // The first confirm answered Yes; the prompt with the offer cancelled, and every later
    // one cancelled at once.
    ASSERT_TRUE(waitFor([&] { return t.requests(u"/done?answered=1&n=200"_s) == 1; }, 20000))
        << t.server.requests().join(u' ').toStdString();
    EXPECT_EQ(t.offers, std::vector<bool>({false, true}));
}

// The user closes a tab while its page's alert is open: the alert goes with the tab, and the
// page is deleted once its alert call has returned.
void tabClosedDuringItsAlert(HostilePagesTest& t)
{
    ASSERT_TRUE(testsupport::documentShown(t.f().WebBrowser[0]));
    bool closed = false;
    testsupport::whenPageDialog([&](QWidget*) {
        testsupport::clickInto(t.f().CommandWebClose[1].widget());
        closed = t.s().TabCount == 0;
    });
    runScript(t.f().WebBrowser[0], u"window.open('/alert-loop.html'); true"_s);
    ASSERT_TRUE(waitFor([&] { return closed; }));
    EXPECT_TRUE(waitFor([] { return testsupport::webViewCount() == 1; }));
    EXPECT_FALSE(t.pageDialogOpen());
    EXPECT_TRUE(t.s().MainBrowserCurrent);
}

// A local page that reaches for other local files: every road fails, and what it reports
// to the server holds nothing it read; its own picture still shows.
void localPageReadsNoOtherFile(HostilePagesTest& t)
{
    QDir base(t.local.path());
    base.mkpath(u"site"_s);
    base.mkpath(u"elsewhere"_s);
    QImage picture(16, 12, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(base.filePath(u"site/picture.png"_s)));
    ASSERT_TRUE(testsupport::writeFile(base.filePath(u"elsewhere/secret.txt"_s), Secret));
    ASSERT_TRUE(testsupport::writeFile(base.filePath(u"elsewhere/secret.html"_s), "<html><body>" + Secret + "</body></html>"));
    const QByteArray secretText = QUrl::fromLocalFile(base.filePath(u"elsewhere/secret.txt"_s)).toEncoded();
    const QByteArray secretPage = QUrl::fromLocalFile(base.filePath(u"elsewhere/secret.html"_s)).toEncoded();
    const QByteArray report = t.url(u"/report"_s).toUtf8();
    const QByteArray page =
        "<html><body><img id=picture src='picture.png'><iframe id=frame src='" + secretPage + "'></iframe><script>"
        "function report(what, got) { fetch('" + report + "?what=' + what + '&got=' + encodeURIComponent(got), {mode: 'no-cors'}); }"
        "function verdict(text) { return String(text).indexOf('" + Secret + "') >= 0 || String(text).indexOf('root:') >= 0"
        " ? 'read:' + text : 'nothing'; }"
        "fetch('file:///etc/passwd').then(function (r) { return r.text(); })"
        ".then(function (t) { report('passwd', verdict(t)); }, function () { report('passwd', 'refused'); });"
        "fetch('" + secretText + "').then(function (r) { return r.text(); })"
        ".then(function (t) { report('fetch', verdict(t)); }, function () { report('fetch', 'refused'); });"
        "try { var x = new XMLHttpRequest(); x.open('GET', '" + secretText + "', false); x.send(); report('xhr', verdict(x.responseText)); }"
        " catch (e) { report('xhr', 'refused'); }"
        "onload = function () {"
        " report('picture', document.getElementById('picture').naturalWidth);"
        " try { report('frame', verdict(document.getElementById('frame').contentDocument.body.innerText)); }"
        " catch (e) { report('frame', 'refused'); }"
        " var w = window.open('" + secretPage + "');"
        " setTimeout(function () { try { report('window', verdict(w.document.body.innerText)); }"
        " catch (e) { report('window', 'refused'); } }, 1500); };"
        "</script></body></html>";
    const QString address = base.filePath(u"site/page.html"_s);
    ASSERT_TRUE(testsupport::writeFile(address, page));

    t.enterAddress(QUrl::fromLocalFile(address).toString());
    const QStringList roads = {u"passwd"_s, u"fetch"_s, u"xhr"_s, u"frame"_s, u"window"_s, u"picture"_s};
    ASSERT_TRUE(waitFor([&] { return t.requestsTo(u"/report?"_s).size() == roads.size(); }, 15000))
        << t.server.requests().join(u' ').toStdString();
    QStringList got;
    for (const QString& target : t.requestsTo(u"/report?"_s)) {
        const QUrlQuery q(QUrl(target).query());
        got << q.queryItemValue(u"what"_s) + u"="_s + q.queryItemValue(u"got"_s, QUrl::FullyDecoded);
    }
    got.sort();
    EXPECT_EQ(got, QStringList({u"fetch=refused"_s, u"frame=nothing"_s, u"passwd=refused"_s, u"picture=16"_s,
                                u"window=nothing"_s, u"xhr=refused"_s}));
    EXPECT_FALSE(t.server.requests().join(u' ').contains(QString::fromLatin1(Secret)));
    // The window the page opened stays empty: the local page was not loaded into it.
    EXPECT_TRUE(t.s().TabBrowserCurrent);
}

// A link on a local page to a web address opens when the user clicks it.
void localPageLinksToTheWeb(HostilePagesTest& t)
{
    const QString address = QDir(t.local.path()).filePath(u"links.html"_s);
    ASSERT_TRUE(testsupport::writeFile(address, "<html><body><a id=web href='" + t.url(u"/linked.html"_s).toUtf8() +
                                                    "' style='display:block;width:300px;height:60px'>the web</a></body></html>"));
    t.enterAddress(QUrl::fromLocalFile(address).toString());
    ASSERT_TRUE(t.settled(QUrl::fromLocalFile(address).toString(QUrl::FullyEncoded)));
    ASSERT_TRUE(testsupport::documentShown(t.f().WebBrowser[0]));
    ASSERT_TRUE(testsupport::clickElement(t.f().WebBrowser[0], u"web"_s));
    EXPECT_TRUE(t.settled(t.url(u"/linked.html"_s)));
    EXPECT_EQ(t.requests(u"/linked.html"_s), 1);
    EXPECT_EQ(t.f().ComboLocation.text(), t.url(u"/linked.html"_s));
}

// The user types an address, one key at a time, into the location box on screen while the
// page on screen loads itself again between every two keys: nothing typed is lost or
// overwritten, the focus stays, and Enter goes to the typed address.
void typeWhileThePageRefreshes(HostilePagesTest& t)
{
    if (t.current()->locationURL() != t.url(u"/refresh.html"_s))
        t.enterAddress(t.url(u"/refresh.html"_s));
    ASSERT_TRUE(waitFor([&] { return t.requests(u"/refresh.html"_s) >= 3; }));
    vb::ComboBox& box = t.locationBox();
    testsupport::clickInto(box.widget());
    testsupport::pressKey(Qt::Key_A, Qt::ControlModifier);
    // A person takes a moment before the first key: the page loads meanwhile.
    const int clicked = t.requests(u"/refresh.html"_s);
    ASSERT_TRUE(waitFor([&] { return t.requests(u"/refresh.html"_s) > clicked; }));
    const QString typed = t.url(u"/typed.html"_s);
    for (const QChar c : typed) {
        const int loads = t.requests(u"/refresh.html"_s);
        testsupport::typeText(QString(c));
        ASSERT_TRUE(waitFor([&] { return t.requests(u"/refresh.html"_s) > loads; }));
    }
    EXPECT_EQ(box.text(), typed);
    EXPECT_TRUE(box.hasFocus());
    testsupport::pressKey(Qt::Key_Return);
    EXPECT_TRUE(t.settled(typed));
    EXPECT_EQ(t.requests(u"/typed.html"_s), 1);
    EXPECT_EQ(box.text(), typed);
}

// Home, clicked once while the page on screen reloads itself, goes home.
void homeWhileThePageRefreshes(HostilePagesTest& t)
{
    t.enterAddress(t.url(u"/refresh.html"_s));
    ASSERT_TRUE(waitFor([&] { return t.requests(u"/refresh.html"_s) >= 3; }));
    vb::CommandButton& home = t.s().FullWindowMode ? t.f().CommandComNavigate[0] : t.f().CommandNavigate[0];
    testsupport::clickInto(home.widget());
    EXPECT_TRUE(t.settled(t.homes[0])) << t.current()->locationURL().toStdString();
    EXPECT_EQ(t.locationBox().text(), t.homes[0]);
}

void typeAndGoHomeWhileThePageRefreshes(HostilePagesTest& t)
{
    typeWhileThePageRefreshes(t);
    if (!::testing::Test::HasFatalFailure())
        homeWhileThePageRefreshes(t);
}

void typeIntoTheFullWindowBarWhileThePageRefreshes(HostilePagesTest& t)
{
    FullWindowSet(*t.app, true);
    ASSERT_TRUE(t.s().FullWindowMode);
    typeAndGoHomeWhileThePageRefreshes(t);
}

void typeIntoATabWhileItsPageRefreshes(HostilePagesTest& t)
{
    ASSERT_TRUE(testsupport::documentShown(t.f().WebBrowser[0]));
    runScript(t.f().WebBrowser[0], u"window.open('/refresh.html'); true"_s);
    ASSERT_TRUE(waitFor([&] { return t.s().TabBrowserCurrent && t.s().TabCount == 1; }));
    typeWhileThePageRefreshes(t);
}

const HostilePage hostilePages[] = {
    {"AnAlertLoopIsStoppedByTheOffer", &alertLoopIsStoppedByTheOffer},
    {"AConfirmAndPromptLoopIsStoppedByTheOffer", &confirmAndPromptLoopIsStoppedByTheOffer},
    {"ATabClosedWhileItsAlertIsOpenTakesTheAlertAlong", &tabClosedDuringItsAlert},
    {"ALocalPageReadsNoOtherLocalFile", &localPageReadsNoOtherFile},
    {"ALocalPagesLinkToTheWebOpens", &localPageLinksToTheWeb},
    {"ARefreshEveryMomentKeepsTheTypedAddressAndHomeGoesHome", &typeAndGoHomeWhileThePageRefreshes},
    {"ARefreshEveryMomentKeepsTheFullWindowBarsTypedAddress", &typeIntoTheFullWindowBarWhileThePageRefreshes},
    {"ARefreshEveryMomentKeepsATabsTypedAddress", &typeIntoATabWhileItsPageRefreshes},
};

TEST_P(HostilePagesTest, LeavesTheProgramUpAndAnswering)
{
    start();
    GetParam().visit(*this);
    if (HasFatalFailure())
        return;
    expectAnswering();
}

INSTANTIATE_TEST_SUITE_P(Pages, HostilePagesTest, ::testing::ValuesIn(hostilePages),
                         [](const ::testing::TestParamInfo<HostilePage>& info) { return std::string(info.param.name); });

} // namespace
