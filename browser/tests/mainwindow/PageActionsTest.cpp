// The page actions (mail link, local file, print and save) and the user picture.

#include "ActionsFixture.h"

#include "ActiveNajar.h"
#include "ControlAction.h"

#include <QDir>
#include <QImage>
#include <QUrlQuery>

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace actionstest;

namespace {

// --- the mail link ------------------------------------------------------------------------

TEST(MailLinkTest, TheLinkHasTheSchemeOnceAndSubjectAndBodyOnlyWhenGiven)
{
    struct Case {
        QString address, subject, body;
        QByteArray link;
    };
    const Case cases[] = {
        {u"bugs@velmora.example"_s, {}, {}, "mailto:bugs@velmora.example"},
        {u"mailto:bugs@velmora.example"_s, {}, {}, "mailto:bugs@velmora.example"},
        {u"MailTo:bugs@velmora.example"_s, {}, {}, "mailto:bugs@velmora.example"},
        {u"bugs@velmora.example"_s, u"Hello"_s, {}, "mailto:bugs@velmora.example?subject=Hello"},
        {u"bugs@velmora.example"_s, {}, u"Body"_s, "mailto:bugs@velmora.example?body=Body"},
        {u"bugs@velmora.example"_s, u"S"_s, u"B"_s, "mailto:bugs@velmora.example?subject=S&body=B"},
        {u"a@x.example,b@y.example"_s, {}, {}, "mailto:a@x.example,b@y.example"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        const QUrl url = MailLinkMake(c.address, c.subject, c.body);
        EXPECT_TRUE(url.isValid());
        EXPECT_EQ(url.toEncoded(), c.link);
    }
}

TEST(MailLinkTest, WhatWasTypedArrivesAsItWasTyped)
{
    // Characters that would end the address, start a header or cut the text are encoded.
    const QString address = u"bugs?cc=evil@x.example#frag"_s;
    const QString subject = u"50% & more? #1 = \u00e9t\u00e9"_s;
    const QString body = u"line one\r\nline two&subject=x"_s;
    const QUrl url = MailLinkMake(address, subject, body);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), u"mailto"_s);
    EXPECT_EQ(url.path(QUrl::FullyDecoded), address);
    EXPECT_FALSE(url.hasFragment());
    const QUrlQuery query(url);
    ASSERT_EQ(query.queryItems().size(), 2);
    EXPECT_EQ(query.queryItemValue(u"subject"_s, QUrl::FullyDecoded), subject);
    EXPECT_EQ(query.queryItemValue(u"body"_s, QUrl::FullyDecoded), body);
}

class PageActionsTest : public ActionsFixture {
protected:
    void SetUp() override { start(); }

    // A small picture file, or a text file under a picture's name.
    QString writePicture(const QString& folder, const QString& name)
    {
        QDir().mkpath(folder);
        QImage image(12, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        EXPECT_TRUE(image.save(folder + name, "JPG"));
        return folder + name;
    }
    QString writeText(const QString& folder, const QString& name)
    {
        EXPECT_TRUE(testsupport::writeFile(folder + name, "not a picture\n"));
        return folder + name;
    }
    void makeBookmarkBrowserCurrent()
    {
        f().WebBrowser.load(BookmarkBrowserIndex);
        s().BookmarkBrowserOpen = true;
        s().BookmarkBrowserCurrent = true;
        s().MainBrowserCurrent = false;
    }
};

TEST_F(PageActionsTest, MailLinkSendReportsWhatTheDesktopAnswered)
{
    EXPECT_TRUE(MailLinkSend(*app, u"bugs@velmora.example"_s, u"S"_s, QString()));
    log->openResult = false;
    EXPECT_FALSE(MailLinkSend(*app, u"bugs@velmora.example"_s, QString(), QString()));
    ASSERT_EQ(log->opened.size(), 2);
    EXPECT_EQ(log->opened[0].toEncoded(), QByteArray("mailto:bugs@velmora.example?subject=S"));
    EXPECT_TRUE(shown.isEmpty());
}

// --- opening a local file -----------------------------------------------------------------

TEST_F(PageActionsTest, ALocalFileOpensInTheBrowserOnScreenByItsFileAddress)
{
    const QString folder = dir.path() + u"/Pages/Sub/"_s;
    testsupport::writeFile(folder + u"a.htm"_s, "<p>a</p>");
    testsupport::writeFile(folder + u"b #1?.htm"_s, "<p>b</p>");
    app->prog.PickerFolder = folder;
    s().PopupGuard = false;

    LocalFileOpen(*app, u"a.htm"_s);
    vb::ScriptedWebEngine& main = engineOf(f().WebBrowser[0]);
    EXPECT_EQ(main.lastNavigation(), u"file://"_s + dir.path() + u"/Pages/Sub/a.htm"_s);
    EXPECT_TRUE(s().PopupGuard);

    // A name with characters that mean something in an address stays the file's name.
    LocalFileOpen(*app, u"b #1?.htm"_s);
    EXPECT_EQ(main.lastNavigation(), u"file://"_s + dir.path() + u"/Pages/Sub/b%20%231%3F.htm"_s);
    EXPECT_EQ(QUrl(main.lastNavigation()).toLocalFile(), folder + u"b #1?.htm"_s);

    // The current tab takes it when a tab is on screen.
    f().WebBrowser[0].setVisible(false);
    openMenu(1);
    f().CommandOpen_Click(2);
    f().CommandCreateOK_Click();
    ASSERT_TRUE(s().TabBrowserCurrent);
    LocalFileOpen(*app, u"a.htm"_s);
    EXPECT_EQ(engineOf(f().BrowserNew[1]).lastNavigation(), u"file://"_s + dir.path() + u"/Pages/Sub/a.htm"_s);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(PageActionsTest, AFileThatHasGoneIsReportedAndNothingNavigates)
{
    app->prog.PickerFolder = dir.path() + u"/"_s;
    s().PopupGuard = false;
    vb::ScriptedWebEngine& main = engineOf(f().WebBrowser[0]);
    const QStringList before = main.navigations();

    LocalFileOpen(*app, u"gone.htm"_s);
    EXPECT_EQ(shown, QStringList{u"MessageFileOpenError"_s});
    EXPECT_EQ(main.navigations(), before);
    // No navigation will lower the guard, so it was never raised.
    EXPECT_FALSE(s().PopupGuard);
}

// --- print and save -----------------------------------------------------------------------

TEST_F(PageActionsTest, PrintAndSaveWorkOnTheBrowserOnScreen)
{
    vb::ScriptedWebEngine& main = engineOf(f().WebBrowser[0]);
    PagePrint(*app);
    EXPECT_EQ(main.printCalls(), 1);
    EXPECT_TRUE(main.lastPrompt());
    PageSaveAs(*app);
    EXPECT_EQ(main.saveCalls(), 1);
    EXPECT_TRUE(main.lastPrompt());

    openMenu(1);
    f().CommandOpen_Click(2);
    f().CommandCreateOK_Click();
    ASSERT_TRUE(s().TabBrowserCurrent);
    vb::ScriptedWebEngine& tab = engineOf(f().BrowserNew[1]);
    PagePrint(*app);
    PageSaveAs(*app);
    EXPECT_EQ(tab.printCalls(), 1);
    EXPECT_EQ(tab.saveCalls(), 1);
    EXPECT_EQ(main.printCalls(), 1);
    EXPECT_EQ(main.saveCalls(), 1);

    // The bookmark browser's page is the one the user sees, so it is the one printed.
    s().TabBrowserCurrent = false;
    makeBookmarkBrowserCurrent();
    vb::ScriptedWebEngine& marks = engineOf(f().WebBrowser[BookmarkBrowserIndex]);
    PagePrint(*app);
    PageSaveAs(*app);
    EXPECT_EQ(marks.printCalls(), 1);
    EXPECT_EQ(marks.saveCalls(), 1);
    EXPECT_EQ(main.printCalls(), 1);
    EXPECT_EQ(tab.printCalls(), 1);
}

// --- the user picture ---------------------------------------------------------------------

TEST_F(PageActionsTest, SettingThePictureShowsAndStoresItWithItsCaption)
{
    const QString folder = dir.path() + u"/pics/"_s;
    const QString path = writePicture(folder, u"me.jpg"_s);
    app->prog.PickerFolder = folder;

    UserPictureSet(*app, u"me.jpg"_s, u"On the hill"_s);
    const ProfileVars& pr = app->profile;
    EXPECT_EQ(pr.UserPicturePath, path);
    EXPECT_EQ(pr.UserPictureCaption, u"On the hill"_s);
    EXPECT_EQ(pr.UserPictureFolder, folder);
    EXPECT_EQ(pr.UserPictureFileName, u"me.jpg"_s);
    EXPECT_EQ(app->store.get(ProfileSection, u"UserPic"_s), path);
    EXPECT_EQ(app->store.get(ProfileSection, u"PicCaption"_s), u"On the hill"_s);
    EXPECT_FALSE(f().ImageUser.picture().isNull());
    EXPECT_FALSE(f().ImageBigUser.picture().isNull());
    EXPECT_EQ(f().FrameUser.borderStyle(), 1);
    EXPECT_EQ(f().FrameUser.caption(), u"On the hill"_s);
    EXPECT_TRUE(shown.isEmpty());
    // The next start finds it again.
    EXPECT_EQ(UserPictureLoad(*app), path);
}

TEST_F(PageActionsTest, AFileThatIsNoPictureIsRefusedAndTheStoreKeepsTheOldOne)
{
    const QString folder = dir.path() + u"/pics/"_s;
    const QString old = writePicture(folder, u"old.jpg"_s);
    writeText(folder, u"fake.jpg"_s);
    app->prog.PickerFolder = folder;
    UserPictureSet(*app, u"old.jpg"_s, u"Old"_s);
    p().PickerPictureMode = false;
    bool choosingPicture = false;
    chooserResponder = [&](corvane::frmMove&) { choosingPicture = p().PickerPictureMode && !p().PickerOpenFileMode; };

    UserPictureSet(*app, u"fake.jpg"_s, u"Fake"_s);
    EXPECT_EQ(shown, QStringList{u"MessageIncorrectPicture"_s});
    const ProfileVars& pr = app->profile;
    EXPECT_TRUE(pr.UserPicturePath.isEmpty());
    EXPECT_TRUE(pr.UserPictureCaption.isEmpty());
    EXPECT_TRUE(pr.UserPictureFolder.isEmpty());
    EXPECT_TRUE(pr.UserPictureFileName.isEmpty());
    EXPECT_EQ(app->store.get(ProfileSection, u"UserPic"_s), old);
    EXPECT_EQ(app->store.get(ProfileSection, u"PicCaption"_s), u"Old"_s);
    // The message's OK brings the chooser back, choosing a picture again.
    EXPECT_EQ(chooserShows, 1);
    EXPECT_TRUE(choosingPicture);
}

TEST_F(PageActionsTest, ThePreviewShowsAPictureAndFlagsAFileThatIsNone)
{
    const QString folder = dir.path() + u"/pics/"_s;
    writePicture(folder, u"new.jpg"_s);
    writeText(folder, u"fake.jpg"_s);
    app->prog.PickerFolder = folder;

    UserPicturePreview(*app, u"new.jpg"_s);
    EXPECT_FALSE(app->profile.PicturePreviewFailed);
    const QPixmap previewed = f().ImageUser.picture();
    EXPECT_FALSE(previewed.isNull());
    EXPECT_FALSE(f().ImageBigUser.picture().isNull());
    // Only a preview: nothing is chosen or stored.
    EXPECT_TRUE(app->profile.UserPicturePath.isEmpty());
    EXPECT_TRUE(app->store.get(ProfileSection, u"UserPic"_s).isEmpty());

    UserPicturePreview(*app, u"fake.jpg"_s);
    EXPECT_TRUE(app->profile.PicturePreviewFailed);
    EXPECT_TRUE(testsupport::samePicture(f().ImageUser.picture(), previewed));
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(PageActionsTest, ClearingThePictureStoresEmptyValuesAndShowsNone)
{
    const QString folder = dir.path() + u"/pics/"_s;
    writePicture(folder, u"me.jpg"_s);
    app->prog.PickerFolder = folder;
    UserPictureSet(*app, u"me.jpg"_s, u"Me"_s);

    UserPictureClear(*app);
    const ProfileVars& pr = app->profile;
    EXPECT_TRUE(pr.UserPicturePath.isEmpty());
    EXPECT_TRUE(pr.UserPictureCaption.isEmpty());
    EXPECT_TRUE(pr.UserPictureFolder.isEmpty());
    EXPECT_TRUE(pr.UserPictureFileName.isEmpty());
    EXPECT_TRUE(app->store.get(ProfileSection, u"UserPic"_s).isEmpty());
    EXPECT_TRUE(app->store.get(ProfileSection, u"PicCaption"_s).isEmpty());
    EXPECT_TRUE(f().ImageUser.picture().isNull());
    EXPECT_TRUE(f().ImageBigUser.picture().isNull());
    EXPECT_EQ(f().FrameUser.borderStyle(), 0);
    EXPECT_TRUE(f().FrameUser.caption().isEmpty());
    EXPECT_TRUE(UserPictureLoad(*app).isEmpty());
}

} // namespace
