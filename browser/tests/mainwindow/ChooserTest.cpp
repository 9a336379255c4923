// The file and picture chooser: the start folder its hidden load records, the drive and
// folder lists with their fallbacks, choosing a page file or a picture, and its buttons.

#include "DialogsFixture.h"

#include <QUrl>

using namespace corvane;
using dialogstest::DialogsFixture;

namespace {

class Chooser : public DialogsFixture {
protected:
    // The chooser set up for choosing the user picture in folder, as the page actions do.
    frmMove& pictureMode(const QString& folder)
    {
        frmMove& m = loadChooser();
        app->panel.PickerPictureMode = true;
        app->panel.PickerOpenFileMode = false;
        m.File1.setPattern(QStringLiteral("*.jp*"));
        m.Dir1.setPath(folder);
        return m;
    }
    frmMove& openFileMode(const QString& folder)
    {
        frmMove& m = loadChooser();
        app->panel.PickerOpenFileMode = true;
        app->panel.PickerPictureMode = false;
        m.File1.setPattern(QStringLiteral("*.htm"));
        m.Dir1.setPath(folder);
        return m;
    }
    int fileIndex(const frmMove& m, const QString& name) const { return static_cast<int>(m.File1.files().indexOf(name)); }
};

} // namespace

TEST_F(Chooser, TheHiddenLoadRecordsTheStartFolderWithOneTrailingSlash)
{
    frmMove& m = loadChooser();
    EXPECT_FALSE(m.isVisible());
    EXPECT_EQ(app->prog.OwnFolder, startFolder + QStringLiteral("/"));
    EXPECT_EQ(app->prog.PickerFolder, startFolder + QStringLiteral("/"));
    EXPECT_EQ(m.PickerPath, startFolder);
    EXPECT_EQ(m.Dir1.path(), startFolder);
    EXPECT_EQ(m.File1.path(), startFolder);
    EXPECT_EQ(app->prog.OwnRoot, root + QStringLiteral("/c/"));
    EXPECT_EQ(app->prog.OwnDriveLetter, root + QStringLiteral("/c"));
    EXPECT_EQ(m.Drive1.drive(), root + QStringLiteral("/c"));
    // The drive without a medium is offered all the same.
    EXPECT_TRUE(m.Drive1.drives().contains(root + QStringLiteral("/cd")));
}

TEST_F(Chooser, AStartFolderThatIsTheTopFolderIsRecordedOnce)
{
    loadChooser(QStringLiteral("/"));
    EXPECT_EQ(app->prog.OwnFolder, QStringLiteral("/"));
    EXPECT_EQ(app->prog.PickerFolder, QStringLiteral("/"));
    EXPECT_EQ(app->prog.OwnRoot, QStringLiteral("/"));

    // A drive's top folder is reached without a doubled "/" too.
    frmMove& m = chooser();
    m.Drive1.setDrive(root + QStringLiteral("/stick"));
    EXPECT_EQ(app->prog.PickerFolder, root + QStringLiteral("/stick/"));
}

TEST_F(Chooser, ADriveWithoutAMediumReturnsToTheStartDrive)
{
    frmMove& m = loadChooser();
    m.Drive1.setDrive(root + QStringLiteral("/stick"));
    ASSERT_EQ(m.Dir1.path(), root + QStringLiteral("/stick"));
    ASSERT_EQ(app->prog.PickerFolder, root + QStringLiteral("/stick/"));

    m.Drive1.pick(static_cast<int>(m.Drive1.drives().indexOf(root + QStringLiteral("/cd"))));
    EXPECT_EQ(m.Drive1.drive(), root + QStringLiteral("/c"));
    EXPECT_EQ(m.Dir1.path(), root + QStringLiteral("/c"));
    EXPECT_EQ(m.File1.path(), root + QStringLiteral("/c"));
    EXPECT_EQ(m.PickerPath, root + QStringLiteral("/c"));
    EXPECT_EQ(app->prog.PickerFolder, root + QStringLiteral("/c/"));
}

TEST_F(Chooser, WhenTheStartDriveCannotBeReadEitherTheListsStayWhereTheyWere)
{
    frmMove& m = loadChooser();
    m.Drive1.setDrive(root + QStringLiteral("/stick"));
    app->prog.OwnDriveLetter = root + QStringLiteral("/cd");
    m.Drive1.setDrive(root + QStringLiteral("/cd"));
    EXPECT_EQ(m.Dir1.path(), root + QStringLiteral("/stick"));
    EXPECT_EQ(app->prog.PickerFolder, root + QStringLiteral("/stick/"));
}

TEST_F(Chooser, ChoosingAPageFileShowsItsPathAndChangingTheFolderTakesTheChoiceBack)
{
    const QString pages = startFolder + QStringLiteral("/pages");
    writeFile(pages + QStringLiteral("/index.html"));
    writeFile(pages + QStringLiteral("/notes.txt"));
    QDir().mkpath(pages + QStringLiteral("/sub"));
    frmMove& m = openFileMode(pages);
    EXPECT_EQ(m.File1.files(), QStringList{QStringLiteral("index.html")});

    m.File1.click(0);
    EXPECT_EQ(m.LabelPath.caption(), QStringLiteral("Open This File :"));
    EXPECT_EQ(m.TextPath.text(), pages + QStringLiteral("/index.html"));
    EXPECT_TRUE(m.FramePath.isVisible());
    EXPECT_FALSE(m.FrameUser.isVisible());
    EXPECT_TRUE(m.CommandMoveOK.isEnabled());

    ASSERT_TRUE(m.Dir1.open(0));
    EXPECT_EQ(app->prog.PickerFolder, pages + QStringLiteral("/sub/"));
    EXPECT_EQ(m.File1.path(), pages + QStringLiteral("/sub"));
    EXPECT_FALSE(m.CommandMoveOK.isEnabled());
    m.Dir1.open(-2);
    m.File1.click(0);
    EXPECT_TRUE(m.CommandMoveOK.isEnabled());

    // Another file type: the list is made again and nothing is chosen.
    m.CommandPattern[4].click();
    EXPECT_EQ(m.File1.pattern(), QStringLiteral("*.*"));
    EXPECT_EQ(m.File1.listCount(), 2);
    EXPECT_FALSE(m.CommandMoveOK.isEnabled());
    EXPECT_FALSE(m.CommandPattern[4].isEnabled());
    for (int i = 0; i <= 3; ++i)
        EXPECT_TRUE(m.CommandPattern[i].isEnabled()) << i;
    m.CommandPattern[0].click();
    EXPECT_EQ(m.File1.pattern(), QStringLiteral("*.asp"));
    EXPECT_TRUE(m.CommandPattern[4].isEnabled());
}

TEST_F(Chooser, OkInOpenFileModeOpensThePageInTheCurrentBrowser)
{
    startMainWindow(0);
    const QString pages = startFolder + QStringLiteral("/my pages");
    writeFile(pages + QStringLiteral("/a#1.htm"));
    chooserResponder = [this](frmMove& m) {
        m.File1.click(0);
        m.CommandMoveOK.click();
    };
    frmMove& m = openFileMode(pages);
    m.showModal();

    EXPECT_EQ(chooserShows, 1);
    EXPECT_FALSE(m.isVisible());
    EXPECT_TRUE(m.isLoaded());
    EXPECT_FALSE(app->panel.PickerOpenFileMode);
    EXPECT_EQ(m.File1.listIndex(), -1);
    EXPECT_EQ(mainEngine(0).lastNavigation(),
              QUrl::fromLocalFile(pages + QStringLiteral("/a#1.htm")).toString(QUrl::FullyEncoded));
}

TEST_F(Chooser, ANonPictureNamedLikeAPictureClosesTheChooserWithTheMessageThenItOpensAgain)
{
    const QString pictures = startFolder + QStringLiteral("/pictures");
    writeFile(pictures + QStringLiteral("/fake.jpg"));
    writePicture(pictures + QStringLiteral("/real.jpeg"));
    bool visibleAtMessage = true;
    app->rt.setResponder(QStringLiteral("frmMessage"), [&](vb::Form& form) {
        shown << app->msg.MessageId;
        visibleAtMessage = chooser().isVisible();
        static_cast<frmMessage&>(form).CommandMsgOK.click();
    });
    QStringList seenAgain;
    chooserResponder = [&](frmMove& m) {
        if (chooserShows == 1) {
            m.File1.click(fileIndex(m, QStringLiteral("fake.jpg")));
            return;
        }
        // Back after the message: still choosing a picture, nothing chosen.
        seenAgain << m.File1.files();
        EXPECT_TRUE(app->panel.PickerPictureMode);
        EXPECT_EQ(m.File1.listIndex(), -1);
        m.File1.click(fileIndex(m, QStringLiteral("real.jpeg")));
        m.TextUser.setText(QStringLiteral("Me"));
        m.CommandMoveOK.click();
    };
    frmMove& m = pictureMode(pictures);
    m.showModal();

    EXPECT_EQ(shown, QStringList{QStringLiteral("MessageIncorrectPicture")});
    EXPECT_FALSE(visibleAtMessage);
    EXPECT_EQ(chooserShows, 2);
    EXPECT_EQ(seenAgain, (QStringList{QStringLiteral("fake.jpg"), QStringLiteral("real.jpeg")}));
    EXPECT_FALSE(app->profile.PicturePreviewFailed);
    EXPECT_EQ(app->profile.UserPicturePath, pictures + QStringLiteral("/real.jpeg"));
    EXPECT_EQ(app->profile.UserPictureCaption, QStringLiteral("Me"));
    EXPECT_FALSE(app->panel.PickerPictureMode);
    EXPECT_FALSE(m.isVisible());
}

TEST_F(Chooser, TheCurrentPictureIsShownAsTheCurrentSelectionWithItsCaption)
{
    const QString pictures = startFolder + QStringLiteral("/pictures");
    writePicture(pictures + QStringLiteral("/me.jpg"));
    writePicture(pictures + QStringLiteral("/other.jpg"));
    ProfileVars& p = app->profile;
    p.UserPicturePath = pictures + QStringLiteral("/me.jpg");
    p.UserPictureFolder = pictures + QStringLiteral("/");
    p.UserPictureFileName = QStringLiteral("me.jpg");
    p.UserPictureCaption = QStringLiteral("At sea");
    frmMove& m = pictureMode(pictures);

    m.File1.click(fileIndex(m, QStringLiteral("me.jpg")));
    EXPECT_EQ(m.LabelPath.caption(), QStringLiteral("Current Selection :"));
    EXPECT_EQ(m.TextUser.text(), QStringLiteral("At sea"));
    EXPECT_EQ(m.TextPath.text(), pictures + QStringLiteral("/me.jpg"));
    EXPECT_TRUE(m.FramePath.isVisible());
    EXPECT_TRUE(m.FrameUser.isVisible());
    EXPECT_TRUE(m.CommandMoveOK.isEnabled());
    EXPECT_EQ(m.TextUser.selLength(), 6);

    m.File1.click(fileIndex(m, QStringLiteral("other.jpg")));
    EXPECT_EQ(m.LabelPath.caption(), QStringLiteral("Select This Picture :"));
    EXPECT_TRUE(m.TextUser.text().isEmpty());
    EXPECT_EQ(m.TextPath.text(), pictures + QStringLiteral("/other.jpg"));

    // The same name in another folder is not the current picture.
    writePicture(pictures + QStringLiteral("/copy/me.jpg"));
    m.Dir1.setPath(pictures + QStringLiteral("/copy"));
    m.File1.click(0);
    EXPECT_EQ(m.LabelPath.caption(), QStringLiteral("Select This Picture :"));
}

TEST_F(Chooser, CancelAndDefaultCloseTheChooserAndDefaultRemovesThePicture)
{
    const QString pictures = startFolder + QStringLiteral("/pictures");
    writePicture(pictures + QStringLiteral("/me.jpg"));
    ProfileVars& p = app->profile;
    p.UserPicturePath = pictures + QStringLiteral("/me.jpg");
    p.UserPictureFolder = pictures + QStringLiteral("/");
    p.UserPictureFileName = QStringLiteral("me.jpg");
    p.UserPictureCaption = QStringLiteral("At sea");

    chooserResponder = [](frmMove& m) {
        m.File1.click(0);
        m.CommandMoveCancel.click();
    };
    frmMove& m = pictureMode(pictures);
    m.showModal();
    EXPECT_FALSE(m.isVisible());
    EXPECT_FALSE(app->panel.PickerPictureMode);
    EXPECT_EQ(m.File1.listIndex(), -1);
    EXPECT_EQ(p.UserPicturePath, pictures + QStringLiteral("/me.jpg"));

    app->panel.PickerPictureMode = true;
    // Offered while a picture is set, as the page actions show it.
    chooserResponder = [](frmMove& m) {
        m.CommandMoveDefault.setVisible(true);
        m.CommandMoveDefault.click();
    };
    m.showModal();
    EXPECT_FALSE(m.isVisible());
    EXPECT_FALSE(app->panel.PickerPictureMode);
    EXPECT_TRUE(p.UserPicturePath.isEmpty());
    EXPECT_TRUE(p.UserPictureCaption.isEmpty());
    EXPECT_TRUE(app->store.get(QStringLiteral("NidraBhanga"), QStringLiteral("UserPic")).isEmpty());
}

TEST_F(Chooser, ClosingTheChooserFromItsTitleBarCancelsButKeepsItLoaded)
{
    frmMove& m = pictureMode(startFolder);
    QPointer<frmMove> guard(&m);
    m.show();
    EXPECT_FALSE(m.windowCloseRequested());
    EXPECT_FALSE(m.isVisible());
    EXPECT_TRUE(m.isLoaded());
    EXPECT_FALSE(app->panel.PickerPictureMode);
    testsupport::flushDeferredDeletes();
    ASSERT_FALSE(guard.isNull());

    // The program's own unload (the main window going) still takes it away.
    EXPECT_TRUE(m.unload());
    testsupport::flushDeferredDeletes();
    EXPECT_TRUE(guard.isNull());
}
