#pragma once
// The main window on the scripted engine (MainWindowFixture.h) for the browser switching,
// tab and bookmark tests: six main browsers on site roots, and the user's clicks.

#include "ControlBookmark.h"
#include "ControlButton.h"
#include "MainWindowFixture.h"

#include <QApplication>
#include <QPalette>
#include <QPixmap>

namespace tabstest {

using testsupport::samePicture;

// Home page of main browser i (0..5): site roots, so that their short names are plain.
inline QString homePage(int i)
{
    return QStringLiteral("http://home%1.velmora.example/").arg(i + 1);
}

// A page whose site's short name is "tab<n>.velmora".
inline QString tabPage(int n)
{
    return QStringLiteral("http://tab%1.velmora.example/page.html").arg(n);
}

inline QColor buttonText()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

inline QColor rowColour(const vb::TextBox& row)
{
    return row.widget()->palette().color(QPalette::Text);
}

class TabsFixture : public mainwindowtest::ScriptedMainWindowFixture {
protected:
    TabsFixture() { homes = {homePage(0), homePage(1), homePage(2), homePage(3), homePage(4), homePage(5)}; }

    // What start-up does for the main window, with mainBrowserLastIndex + 1 main browsers;
    // main browser 1's home page arrives.
    void start(int mainBrowserLastIndex = 5) { startOnHomePage(mainBrowserLastIndex); }

    // Navigations asked of main browser m (none when it has no engine yet).
    QStringList mainNavigations(int m) const
    {
        const vb::WebBrowser* b = f().WebBrowser.find(m);
        const vb::ScriptedWebEngine* e = b ? engines->engineFor(*b) : nullptr;
        return e ? e->navigations() : QStringList();
    }

    using ScriptedMainWindowFixture::openTab;
    // The page on screen asks for a new window, which then loads url. Returns the new tab's
    // slot, or 0 when nothing opened.
    int openTab(const QString& url)
    {
        vb::WebBrowser* opener = f().currentBrowser();
        if (!opener) {
            ADD_FAILURE() << "no browser is current";
            return 0;
        }
        return openTab(*opener, url);
    }
    // Opens tabs 1..n on tabPage(1..n); the last one is current.
    void openTabs(int n)
    {
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(openTab(tabPage(i)), i);
    }

    // The user's clicks. The Browsers panel is opened first, as the Controls bar does.
    void pickInPanel(int m)
    {
        f().FrameBrowser.setVisible(true);
        ASSERT_TRUE(f().CommandBrowser[m].click()) << "selector " << m;
    }
    void pickInStrip(int m) { ASSERT_TRUE(f().CommandShowBrowser[m].click()) << "selector " << m; }
    void clickTab(int t) { ASSERT_TRUE(f().CommandWebNew[t].click()) << "tab button " << t; }
    void clickClose(int i) { ASSERT_TRUE(f().CommandWebClose[i].click()) << "close button " << i; }
    void clickSelect(int i) { ASSERT_TRUE(f().CommandWebSelectClose[i].click()) << "Select Tabs button " << i; }
    void check(int t) { ASSERT_TRUE(f().CheckSelectWebTab[t].click()) << "box " << t; }

    // Makes the bookmark browser current as the bookmark panel does when it opens, and lets
    // its first page arrive.
    void openBookmarkBrowser()
    {
        makeBookmarkBrowserCurrent();
        corvane::BookmarkPanelShow(*app);
        corvane::CurrentBrowserShow(*app);
        // The first bookmark arrives.
        if (app->hid.ComboMarkAddress.ListCount() > 0)
            engineOf(f().WebBrowser[corvane::BookmarkBrowserIndex]).completeNavigation(app->hid.ComboMarkAddress.List(0));
    }

    // The browser elements whose own Visible flag is set, as "W<i>" and "T<i>".
    QStringList visibleBrowsers() const
    {
        QStringList v;
        for (int i : f().WebBrowser.indices())
            if (f().WebBrowser[i].isVisible())
                v << QStringLiteral("W%1").arg(i);
        for (int i : f().BrowserNew.indices())
            if (f().BrowserNew[i].isVisible())
                v << QStringLiteral("T%1").arg(i);
        return v;
    }

    bool face(const vb::CommandButton& b, int store) const { return samePicture(b.picture(), f().BButton[store].picture()); }
    static QString tip(const vb::Control& c) { return c.widget()->toolTip(); }
};

} // namespace tabstest
