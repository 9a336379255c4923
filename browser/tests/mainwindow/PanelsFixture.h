#pragma once
// The main window on the scripted engine for the bookmark browser and the bookmark, note
// and home-page panels: an application object in test mode over a temporary folder, main
// browser 1 on its home page, every message answered with OK and recorded. The panels that
// the menus open are opened here the way those menus leave them, so that these tests do
// not depend on the menus.

#include "ActiveVelmora.h"
#include "BrowserState.h"
#include "ControlBookmark.h"
#include "ControlButton.h"
#include "CorvaneApp.h"
#include "frmMain.h"
#include "frmMessage.h"

#include "ProgramStart.h"
#include "TestApp.h"
#include "TestSupport.h"
#include "web/ScriptedWebEngine.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

namespace panelstest {

inline QString homePage(int i)
{
    return QStringLiteral("http://home%1.velmora.example/").arg(i + 1);
}

inline QString markPage(int i)
{
    return QStringLiteral("http://mark%1.velmora.example/page.html").arg(i);
}

class PanelsFixture : public ::testing::Test {
protected:
    PanelsFixture()
    {
        app = std::make_unique<corvane::CorvaneApp>(corvanetest::testAppConfig(dir.path()));
        app->rt.setScreen({1024 * 15, 768 * 15, 15, 15});
        app->rt.setResponder(QStringLiteral("frmMessage"), [this](vb::Form& form) {
            shown << app->msg.MessageId;
            static_cast<corvane::frmMessage&>(form).CommandMsgOK.click();
        });
        auto factory = std::make_unique<vb::ScriptedWebEngineFactory>();
        engines = factory.get();
        app->rt.setWebEngine(std::move(factory));
        app->prog.SettingsFilePath = dir.path() + QStringLiteral("/Set.Velmora");
    }
    ~PanelsFixture() override
    {
        app.reset();
        testsupport::flushDeferredDeletes();
    }

    // The program starts with mainBrowserLastIndex + 1 main browsers; main browser 1's
    // home page arrives.
    void start(int mainBrowserLastIndex = 2)
    {
        corvane::OptionVars& o = app->opt;
        o.MainBrowserLastIndex = mainBrowserLastIndex;
        for (int i = 0; i <= 5; ++i)
            o.HomePagesSaved[i] = homePage(i);
        ASSERT_TRUE(corvanetest::startAsReturningUser(*app, dir.filePath(QStringLiteral("prog"))));
        mainEngine(0).completeNavigation(homePage(0));
    }

    corvane::frmMain& f() const { return *app->mainForm; }
    corvane::BrowserSet& s() const { return app->set; }
    corvane::PanelVars& p() const { return app->panel; }

    vb::ScriptedWebEngine& engineOf(vb::WebBrowser& b)
    {
        b.ensureEngine();
        return *engines->engineFor(b);
    }
    vb::ScriptedWebEngine& mainEngine(int m) { return engineOf(f().WebBrowser[m]); }
    vb::ScriptedWebEngine& bookmarkEngine() { return mainEngine(corvane::BookmarkBrowserIndex); }
    QStringList bookmarkNavigations() const
    {
        const vb::WebBrowser* b = f().WebBrowser.find(corvane::BookmarkBrowserIndex);
        const vb::ScriptedWebEngine* e = b ? engines->engineFor(*b) : nullptr;
        return e ? e->navigations() : QStringList();
    }

    // The page on screen opens a new window that loads url; returns the tab's slot.
    int openTab(const QString& url)
    {
        vb::WebBrowser* opener = f().currentBrowser();
        vb::WebBrowser* target = opener ? engineOf(*opener).fireNewWindow2() : nullptr;
        if (!target)
            return 0;
        for (int i = 1; i <= corvane::MaxTabs; ++i)
            if (f().BrowserNew.find(i) == target) {
                engineOf(*target).completeNavigation(url);
                return i;
            }
        return 0;
    }

    void addMarks(int n)
    {
        for (int i = 0; i < n; ++i)
            corvane::BookmarkAdd(*app, QStringLiteral("Mark %1").arg(i), markPage(i));
    }

    // The Open menu is open, as its button leaves it, and its "Bookmarks" item is pressed.
    void openBookmarkBrowser()
    {
        s().MenuOpenIndex = 1;
        f().FrameMenu[1].setVisible(true);
        f().BookmarkBrowserShow();
    }

    // The Page menu's "Bookmark" on a page without a title: the panel is filled and shown.
    void openMarkPanel(const QString& address)
    {
        f().MarkProposedName.clear();
        f().MarkProposedAddress = address;
        f().TextWebAddress.setText(address);
        f().TextWebMark.setText(QString());
        f().CommandMarkOK.setEnabled(false);
        f().CommandMarkReset.setEnabled(false);
        f().FrameMark.setVisible(true);
        f().TextWebMark.setFocus();
    }

    // The note panel as the menus open it for the current page: "Keep Note" (write) opens a
    // page without a note on the edit face; "Note" (or a page with a note) on the read face.
    void openNotePanel(bool write)
    {
        corvane::frmMain& w = f();
        const QString address = w.currentBrowser()->locationURL();
        p().CurrentNoteIndex = corvane::NoteFindForPage(*app, address);
        p().NoteExists = p().CurrentNoteIndex != -1;
        const QString note = p().NoteExists ? corvane::NoteTextGet(*app, p().CurrentNoteIndex) : QString();
        const bool editFace = write && !p().NoteExists;
        w.LabelNote[1].setVisible(!editFace);
        w.LabelNote[6].setVisible(editFace);
        w.LabelNote[7].setVisible(editFace);
        w.TextNote[1].setVisible(editFace);
        w.TextNote[1].setText(note);
        w.TextNote[0].setText(address);
        w.LabelNote[1].setCaption(note);
        w.CheckNoShowNote.setVisible(false);
        w.CommandNoteRemove.setEnabled(p().NoteExists);
        w.CommandNoteEdit.setEnabled(p().NoteExists || !write);
        w.CommandNoteOK.setEnabled(false);
        p().NoteFrameShown = true;
        w.FrameNote.setVisible(true);
        if (editFace)
            w.TextNote[1].setFocus();
    }

    // The Page menu's "Set As Home Page" for the current page.
    void openHomePanel()
    {
        corvane::frmMain& w = f();
        p().MakeHomeAddress = w.currentBrowser()->locationURL();
        corvane::HomePageCheck(*app, p().MakeHomeAddress);
        w.LabelHeadHomeAlready.setCaption(p().HomeAlreadyHead);
        w.LabelBrowHomeAlready.setCaption(p().HomeAlreadyBrowsers);
        for (int i = 0; i <= 5; ++i)
            w.OptionHome[i].setEnabled(p().HomePageDiffers[i]);
        w.TextHome.setText(p().MakeHomeAddress);
        w.OptionHome[6].setValue(true);
        w.CommandHomeOK.setEnabled(false);
        w.FrameHome.setVisible(true);
    }

    bool face(const vb::CommandButton& b, int store) const
    {
        return testsupport::samePicture(b.picture(), f().BButton[store].picture());
    }

    QTemporaryDir dir;
    std::unique_ptr<corvane::CorvaneApp> app;
    vb::ScriptedWebEngineFactory* engines = nullptr;
    QStringList shown; // ids of the messages shown, in order
};

} // namespace panelstest
