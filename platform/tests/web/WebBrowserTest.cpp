// The web-browser control over the scripted engine: lazy engines, the events and what the
// control keeps from them, the history errors, new windows and deferred work.

#include "BrowserForm.h"
#include "TestSupport.h"
#include "vb/ControlArray.h"
#include "vb/Controls.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>

using namespace Qt::StringLiterals;
using webtest::BrowserForm;
using webtest::EventLog;

namespace {

class WebBrowserTest : public ::testing::Test {
protected:
    WebBrowserTest()
    {
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>(u"https://search.example/"_s);
        engines = factory.get();
        rt.setWebEngine(std::move(factory));
    }

    vb::Runtime rt{vb::Runtime::Mode::Test};
    vb::ScriptedWebEngineFactory* engines = nullptr;
};

TEST_F(WebBrowserTest, EngineIsCreatedByTheFirstNavigationAndGoesWithTheControl)
{
    BrowserForm form(rt);
    auto extra = std::make_unique<vb::WebBrowser>(form);
    extra->move(10, 20, 300, 200);

    // Nothing the program does before the first navigation creates an engine.
    extra->refresh();
    extra->stop();
    extra->execWB(vb::WebBrowser::ExecPrint, vb::WebBrowser::PromptUser);
    EXPECT_FALSE(extra->hasEngine());
    EXPECT_EQ(engines->liveEngines(), 0);

    extra->navigate(u"file:///a.html"_s);
    extra->navigate(u"file:///b.html"_s);
    ASSERT_TRUE(extra->hasEngine());
    EXPECT_EQ(engines->liveEngines(), 1);
    EXPECT_EQ(engines->createdEngines(), 1);
    vb::ScriptedWebEngine* engine = engines->engineFor(*extra);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->navigations(), QStringList({u"file:///a.html"_s, u"file:///b.html"_s}));
    EXPECT_EQ(engines->engineFor(form.first), nullptr);

    // The view fills the control and follows its size.
    QPointer<QWidget> view = engine->view();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->parentWidget(), extra->widget());
    EXPECT_EQ(view->geometry(), QRect(0, 0, 300, 200));
    extra->move(5, 5, 640, 480);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 640, 480));
    extra->setWidth(100);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 100, 480));

    extra.reset();
    EXPECT_EQ(engines->liveEngines(), 0);
    EXPECT_TRUE(view.isNull());
}

TEST_F(WebBrowserTest, LocationUrlComesFromNavigateComplete2Only)
{
    BrowserForm form(rt);
    EventLog log;
    log.attach(form.first);
    EXPECT_EQ(form.first.locationURL(), QString());

    form.first.navigate(u"file:///a.html"_s);
    vb::ScriptedWebEngine* engine = engines->engineFor(form.first);
    ASSERT_NE(engine, nullptr);
    EXPECT_TRUE(log.events.isEmpty()) << "navigate raises nothing by itself";

    engine->completeNavigation(u"file:///a.html"_s);
    EXPECT_EQ(log.events,
              QStringList({u"BeforeNavigate2"_s, u"DownloadBegin"_s, u"ProgressChange"_s,
                           u"NavigateComplete2 file:///a.html"_s, u"ProgressChange"_s, u"DownloadComplete"_s}));
    EXPECT_EQ(log.progress, QList<int>({0, 100}));

    // A failed navigation leaves the committed address as it was; Cancel starts false and
    // the handler's answer comes back.
    log.clear();
    bool cancelSeen = true;
    form.first.onNavigateError = [&](bool& cancel) {
        cancelSeen = cancel;
        cancel = true;
    };
    engine->fireBeforeNavigate2();
    engine->fireDownloadBegin();
    EXPECT_TRUE(engine->fireNavigateError());
    EXPECT_FALSE(cancelSeen);
    engine->fireDownloadComplete();
    EXPECT_EQ(form.first.locationURL(), u"file:///a.html"_s);

    form.first.onNavigateError = nullptr;
    EXPECT_FALSE(engine->fireNavigateError());

    // A handler may clear itself while it runs.
    form.first.onNavigateComplete2 = [&] { form.first.onNavigateComplete2 = nullptr; };
    engine->fireNavigateComplete2(u"file:///b.html"_s);
    EXPECT_FALSE(form.first.onNavigateComplete2);
    EXPECT_EQ(form.first.locationURL(), u"file:///b.html"_s);
}

TEST_F(WebBrowserTest, HistoryAndCommandsReachTheEngine)
{
    BrowserForm form(rt);
    // No engine yet: no history either.
    EXPECT_THROW(form.first.goBack(), vb::Error);
    try {
        form.first.goForward();
        ADD_FAILURE() << "GoForward without an engine did not fail";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::ErrControlFailed);
    }
    EXPECT_FALSE(form.first.hasEngine());

    form.first.goSearch();
    vb::ScriptedWebEngine* engine = engines->engineFor(form.first);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->lastNavigation(), u"https://search.example/"_s);
    EXPECT_EQ(engine->searchCalls(), 1);

    EXPECT_THROW(form.first.goBack(), vb::Error);
    EXPECT_THROW(form.first.goForward(), vb::Error);
    engine->setCanGoBack(true);
    EXPECT_NO_THROW(form.first.goBack());
    EXPECT_THROW(form.first.goForward(), vb::Error);
    engine->setCanGoForward(true);
    EXPECT_NO_THROW(form.first.goForward());
    EXPECT_EQ(engine->backCalls(), 2);
    EXPECT_EQ(engine->forwardCalls(), 3);

    form.first.refresh();
    form.first.stop();
    EXPECT_EQ(engine->refreshCalls(), 1);
    EXPECT_EQ(engine->stopCalls(), 1);

    form.first.execWB(vb::WebBrowser::ExecPrint, vb::WebBrowser::PromptUser);
    EXPECT_EQ(engine->printCalls(), 1);
    EXPECT_TRUE(engine->lastPrompt());
    form.first.execWB(vb::WebBrowser::ExecSaveAs, 0);
    EXPECT_EQ(engine->saveCalls(), 1);
    EXPECT_FALSE(engine->lastPrompt());
    form.first.execWB(17, vb::WebBrowser::PromptUser);
    EXPECT_EQ(engine->printCalls() + engine->saveCalls(), 2);
}

TEST_F(WebBrowserTest, NewWindow2HandsBackAPreparedControlOrCancels)
{
    BrowserForm form(rt);
    form.first.navigate(u"file:///opener.html"_s);
    vb::ScriptedWebEngine* opener = engines->engineFor(form.first);
    ASSERT_NE(opener, nullptr);

    // No handler: nothing opens.
    EXPECT_EQ(opener->fireNewWindow2(), nullptr);

    bool cancelSeen = true;
    bool cancelIt = true;
    form.first.onNewWindow2 = [&](vb::WebBrowser*& ppDisp, bool& cancel) {
        cancelSeen = cancel;
        EXPECT_EQ(ppDisp, nullptr);
        if (cancelIt) {
            cancel = true;
            return;
        }
        ppDisp = form.second.object();
    };
    EXPECT_EQ(opener->fireNewWindow2(), nullptr);
    EXPECT_FALSE(cancelSeen);
    EXPECT_FALSE(form.second.hasEngine());
    EXPECT_EQ(engines->liveEngines(), 1);

    cancelIt = false;
    EXPECT_EQ(opener->fireNewWindow2(), &form.second);
    ASSERT_TRUE(form.second.hasEngine()) << "the prepared control must own the new page";
    EXPECT_EQ(engines->liveEngines(), 2);
    vb::ScriptedWebEngine* popup = engines->engineFor(form.second);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->navigations().isEmpty());
    popup->completeNavigation(u"file:///popup.html"_s);
    EXPECT_EQ(form.second.locationURL(), u"file:///popup.html"_s);
    EXPECT_EQ(form.first.locationURL(), QString());

    // Handing back a control and cancelling as well: cancel wins.
    form.first.onNewWindow2 = [&](vb::WebBrowser*& ppDisp, bool& cancel) {
        ppDisp = &form.second;
        cancel = true;
    };
    EXPECT_EQ(opener->fireNewWindow2(), nullptr);
}

TEST_F(WebBrowserTest, WorkDeferredInsideAnEventRunsWhenItReturns)
{
    BrowserForm form(rt);
    form.first.navigate(u"file:///a.html"_s);
    vb::ScriptedWebEngine* engine = engines->engineFor(form.first);
    ASSERT_NE(engine, nullptr);

    QStringList order;
    bool deferredInCallback = true;
    form.first.onNavigateComplete2 = [&] {
        EXPECT_TRUE(rt.inEngineCallback());
        rt.afterEngineCallback([&] {
            deferredInCallback = rt.inEngineCallback();
            order << u"deferred"_s;
        });
        order << u"handler"_s;
    };
    EXPECT_FALSE(rt.inEngineCallback());
    engine->fireNavigateComplete2(u"file:///a.html"_s);
    EXPECT_EQ(order, QStringList({u"handler"_s, u"deferred"_s}));
    EXPECT_FALSE(deferredInCallback);
    EXPECT_FALSE(rt.inEngineCallback());

    // Outside any engine callback the work runs at once.
    bool ran = false;
    rt.afterEngineCallback([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(WebBrowserTest, ArrayElementsStartWithoutAPageAndTakeTheirEngineAlongWhenUnloaded)
{
    BrowserForm form(rt);
    vb::ControlArray<vb::WebBrowser> browsers(form);
    vb::WebBrowser& design = browsers.add(0);
    design.move(8, 40, 500, 300);
    design.navigate(u"file:///a.html"_s);
    engines->engineFor(design)->completeNavigation(u"file:///a.html"_s);

    QStringList events;
    browsers.onNavigateComplete2 = [&](int index) { events << u"NavigateComplete2 %1 "_s.arg(index) + browsers[index].locationURL(); };
    browsers.onNewWindow2 = [&](int index, vb::WebBrowser*& ppDisp, bool&) {
        events << u"NewWindow2 %1"_s.arg(index);
        vb::WebBrowser& fresh = browsers.load(index + 3);
        ppDisp = fresh.object();
    };

    // A loaded element has the design element's place, is hidden, and has no page yet.
    vb::WebBrowser& element = browsers.load(2);
    EXPECT_EQ(element.pixelRect(), QRect(8, 40, 500, 300));
    EXPECT_FALSE(element.isVisible());
    EXPECT_FALSE(element.hasEngine());
    EXPECT_EQ(element.locationURL(), QString());
    EXPECT_EQ(engines->liveEngines(), 1);

    element.navigate(u"file:///b.html"_s);
    vb::ScriptedWebEngine* engine = engines->engineFor(element);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->view()->geometry(), QRect(0, 0, 500, 300));
    engine->fireNavigateComplete2(u"file:///b.html"_s);
    vb::WebBrowser* popup = engine->fireNewWindow2();
    ASSERT_EQ(popup, browsers.find(5));
    EXPECT_TRUE(popup->hasEngine());
    EXPECT_EQ(events, QStringList({u"NavigateComplete2 2 file:///b.html"_s, u"NewWindow2 2"_s}));

    // Unloaded, the element raises nothing more and its engine goes with it.
    browsers.unload(2);
    events.clear();
    engine->fireNavigateComplete2(u"file:///c.html"_s);
    EXPECT_EQ(engine->fireNewWindow2(), nullptr);
    EXPECT_TRUE(events.isEmpty());
    testsupport::flushDeferredDeletes();
    EXPECT_NE(engines->engineFor(design), nullptr);
    EXPECT_EQ(engines->liveEngines(), 2);
}

TEST_F(WebBrowserTest, UnloadedFormTakesItsEnginesAlong)
{
    auto* form = &rt.create<BrowserForm>(rt);
    QPointer<BrowserForm> alive(form);
    form->load();
    form->first.navigate(u"file:///a.html"_s);
    form->second.navigate(u"file:///b.html"_s);
    EXPECT_EQ(engines->liveEngines(), 2);
    EXPECT_TRUE(form->unload());
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(engines->liveEngines(), 0);
}

} // namespace

// Menus and panels open over the browsers: a browser loaded after them still lies under.
TEST(WebBrowserControl, ABrowserLiesUnderTheOtherControlsOfItsContainer)
{
    vb::Runtime rt(vb::Runtime::Mode::Test);
    rt.setWebEngine(std::make_unique<vb::ScriptedWebEngineFactory>());
    struct PanelForm : vb::Form {
        explicit PanelForm(vb::Runtime& r) : vb::Form(r, QStringLiteral("frmPanel")) {}
        vb::Frame Panel{*this};
        vb::ControlArray<vb::WebBrowser> Browsers{*this};
    } f(rt);
    f.Panel.move(10, 10, 100, 100);
    vb::WebBrowser& first = f.Browsers.add(0);
    first.move(0, 0, 300, 300);
    vb::WebBrowser& loaded = f.Browsers.load(1);
    loaded.move(0, 0, 300, 300);
    loaded.setVisible(true);
    EXPECT_EQ(f.window()->childAt(50, 50), f.Panel.widget());
    const QObjectList order = f.window()->children();
    EXPECT_LT(order.indexOf(first.widget()), order.indexOf(f.Panel.widget()));
    EXPECT_LT(order.indexOf(loaded.widget()), order.indexOf(f.Panel.widget()));
}
