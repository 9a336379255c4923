#pragma once
// The main window on the scripted engine for the tests of the main road (display, events,
// navigation): its home pages, and the window's own ways of switching browsers.

#include "ControlButton.h"
#include "MainWindowFixture.h"

#include <QPixmap>

namespace browsetest {

using testsupport::samePicture;

// The home pages: browser 1's is a site root (so that the home-page rule of the location
// lists shows), the others are pages.
inline QString homePage(int i)
{
    if (i == 0)
        return QStringLiteral("http://home.velmora.example/");
    return QStringLiteral("http://www.velmora.example/home%1.html").arg(i + 1);
}

class ScriptedBrowseTest : public mainwindowtest::ScriptedMainWindowFixture {
protected:
    ScriptedBrowseTest() { homes = {homePage(0), homePage(1), homePage(2), homePage(3), homePage(4), homePage(5)}; }

    // Start-up, and main browser 1's first page completed.
    void start(int mainBrowserLastIndex = 0) { startOnHomePage(mainBrowserLastIndex); }

    // The window's own switches (switch buttons, tab buttons, the bookmark browser).
    void switchToMain(int m)
    {
        leaveCurrent();
        corvane::BrowserSet& b = s();
        b.TabBrowserCurrent = false;
        b.BookmarkBrowserCurrent = false;
        b.TabCurrentIndex = 0;
        b.MainBrowserCurrent = true;
        b.MainBrowserIndex = m;
        b.LocationListPending = true;
        b.BackForwardPending = true;
        corvane::CurrentBrowserShow(*app);
    }
    void switchToTab(int t)
    {
        leaveCurrent();
        corvane::BrowserSet& b = s();
        b.MainBrowserCurrent = false;
        b.BookmarkBrowserCurrent = false;
        b.TabBrowserCurrent = true;
        b.TabCurrentIndex = t;
        b.BackForwardPending = true;
        b.ComLocationPending = b.FullWindowMode;
        corvane::CurrentBrowserShow(*app);
    }
    // Loads the bookmark browser (once) and makes it current.
    void switchToBookmarkBrowser()
    {
        if (!f().WebBrowser.exists(corvane::BookmarkBrowserIndex))
            f().WebBrowser.load(corvane::BookmarkBrowserIndex);
        makeBookmarkBrowserCurrent();
        corvane::CurrentBrowserShow(*app);
    }
    // What the tab actions do to close a tab that is not current.
    void closeTab(int t)
    {
        ASSERT_FALSE(s().TabBrowserCurrent && s().TabCurrentIndex == t);
        f().BrowserNew.unload(t);
        f().ComboWebLocation.unload(t);
        f().CommandWebNew[t].setEnabled(false);
        f().CommandWebComNew[t].setEnabled(false);
        s().TabSlotUsed[t] = false;
        s().TabTitles[t].clear();
        s().TabCount -= 1;
        testsupport::flushDeferredDeletes();
    }

    int openTabFromMain(const QString& url) { return openTab(f().WebBrowser[s().MainBrowserIndex], url); }

    // A whole navigation of b to url, as the engine reports it.
    void completeIn(vb::WebBrowser& b, const QString& url) { engineOf(b).completeNavigation(url); }
};

} // namespace browsetest
