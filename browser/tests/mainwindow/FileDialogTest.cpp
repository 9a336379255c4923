// How the Open menu's "File" and the Choices panel's picture entry set the chooser up and
// what comes of the user's choice there.

#include "ActionsFixture.h"

#include "ActiveNajar.h"

#include <QFile>
#include <QImage>

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace actionstest;

namespace {

// What the chooser showed when it came up.
struct ChooserLook {
    QString caption, folder, pattern, pathLabel, path, pictureCaption;
    QStringList files;
    int selected = -1;
    bool patterns = false, pathFrame = false, userFrame = false, defaultButton = false, defaultLabel = false, ok = false;
    QList<bool> patternEnabled;
    int userSelLength = -1;
};

ChooserLook lookOf(const frmMove& m)
{
    ChooserLook l;
    l.caption = m.caption();
    l.folder = m.Dir1.path();
    l.pattern = m.File1.pattern();
    l.files = m.File1.files();
    l.selected = m.File1.listIndex();
    l.pathLabel = m.LabelPath.caption();
    l.path = m.TextPath.text();
    l.pictureCaption = m.TextUser.text();
    l.patterns = m.FramePattern.isVisible();
    l.pathFrame = m.FramePath.isVisible();
    l.userFrame = m.FrameUser.isVisible();
    l.defaultButton = m.CommandMoveDefault.isVisible();
    l.defaultLabel = m.LabelMoveDefault.isVisible();
    l.ok = m.CommandMoveOK.isEnabled();
    for (int i = 0; i <= 4; ++i)
        l.patternEnabled << m.CommandPattern[i].isEnabled();
    l.userSelLength = m.TextUser.selLength();
    return l;
}

class FileDialogTest : public ActionsFixture {
protected:
    void SetUp() override
    {
        start();
        pages = dir.path() + u"/Pages/Sub"_s;
        pics = dir.path() + u"/pics"_s;
        for (const char* name : {"a.htm", "b.html", "notes.txt"})
            testsupport::writeFile(pages + u'/' + QLatin1String(name), "<p>page</p>");
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QDir().mkpath(pics);
        EXPECT_TRUE(image.save(pics + u"/me.jpg"_s, "JPG"));
        EXPECT_TRUE(image.save(pics + u"/you.jpeg"_s, "JPG"));
        testsupport::writeFile(pics + u"/fake.jpg"_s, "not a picture");
        chooserResponder = [this](frmMove& m) {
            looks << lookOf(m);
            if (act)
                act(m);
        };
    }
    // The chooser as the Choices panel's picture entry brings it up.
    void choosePicture()
    {
        f().FrameChoice.setVisible(true);
        f().FrameName.setVisible(true);
        f().CommandChoice_Click(2);
    }
    void pick(frmMove& m, const QString& name)
    {
        const int index = int(m.File1.files().indexOf(name));
        ASSERT_GE(index, 0) << name.toStdString();
        m.File1.click(index);
    }

    QString pages, pics;
    QList<ChooserLook> looks;
    std::function<void(frmMove&)> act;
};

TEST_F(FileDialogTest, OpenFileShowsThePageFilesOfTheLastFolderAndOpensTheOneChosen)
{
    app->prog.PickerFolder = pages + u'/';
    f().FrameCreate.setVisible(true);
    act = [this](frmMove& m) {
        pick(m, u"a.htm"_s);
        m.CommandMoveOK.click();
    };
    openMenu(1);
    f().CommandOpen_Click(1);

    ASSERT_EQ(looks.size(), 1);
    const ChooserLook& l = looks[0];
    EXPECT_EQ(l.caption, u"Open File"_s);
    EXPECT_TRUE(l.patterns);
    EXPECT_EQ(l.folder, pages);
    EXPECT_EQ(l.pattern, u"*.htm"_s);
    EXPECT_EQ(l.files, (QStringList{u"a.htm"_s, u"b.html"_s}));
    EXPECT_EQ(l.selected, -1);
    EXPECT_EQ(l.patternEnabled, (QList<bool>{true, false, true, true, true}));
    EXPECT_TRUE(l.pathLabel.isEmpty());
    EXPECT_TRUE(l.path.isEmpty());
    EXPECT_FALSE(l.pathFrame);
    EXPECT_FALSE(l.userFrame);
    EXPECT_FALSE(l.defaultButton);
    EXPECT_FALSE(l.defaultLabel);
    EXPECT_FALSE(l.ok);

    EXPECT_FALSE(f().FrameCreate.isVisible());
    EXPECT_FALSE(p().PickerOpenFileMode);
    EXPECT_EQ(engineOf(f().WebBrowser[0]).lastNavigation(), u"file://"_s + pages + u"/a.htm"_s);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(FileDialogTest, PictureModeWithoutAPictureOffersThePicturesWithoutDefault)
{
    app->prog.PickerFolder = pics + u'/';
    app->mainForm->FrameCreate.setVisible(false);
    chooser().Dir1.setPath(pics);
    act = [this](frmMove& m) {
        pick(m, u"you.jpeg"_s);
        m.TextUser.setText(u"Me, later"_s);
        m.CommandMoveOK.click();
    };
    choosePicture();

    ASSERT_EQ(looks.size(), 1);
    const ChooserLook& l = looks[0];
    EXPECT_EQ(l.caption, u"Select Picture"_s);
    EXPECT_FALSE(l.patterns);
    EXPECT_EQ(l.pattern, u"*.jp*"_s);
    EXPECT_EQ(l.files, (QStringList{u"fake.jpg"_s, u"me.jpg"_s, u"you.jpeg"_s}));
    EXPECT_EQ(l.selected, -1);
    EXPECT_TRUE(l.pathLabel.isEmpty());
    EXPECT_FALSE(l.pathFrame);
    EXPECT_FALSE(l.userFrame);
    EXPECT_FALSE(l.defaultButton);
    EXPECT_FALSE(l.defaultLabel);
    EXPECT_FALSE(l.ok);

    EXPECT_FALSE(f().FrameName.isVisible());
    EXPECT_FALSE(p().PickerPictureMode);
    EXPECT_EQ(app->profile.UserPicturePath, pics + u"/you.jpeg"_s);
    EXPECT_EQ(app->store.get(ProfileSection, u"UserPic"_s), pics + u"/you.jpeg"_s);
    EXPECT_EQ(app->store.get(ProfileSection, u"PicCaption"_s), u"Me, later"_s);
}

TEST_F(FileDialogTest, TheCurrentPictureIsShownSelectedWithItsCaptionAndDefaultRemovesIt)
{
    app->prog.PickerFolder = pics + u'/';
    UserPictureSet(*app, u"me.jpg"_s, u"On the hill"_s);
    // The chooser was last used elsewhere.
    chooser().Dir1.setPath(pages);
    ASSERT_EQ(app->prog.PickerFolder, pages + u'/');

    act = [](frmMove& m) { m.CommandMoveDefault.click(); };
    choosePicture();

    ASSERT_EQ(looks.size(), 1);
    const ChooserLook& l = looks[0];
    EXPECT_EQ(l.caption, u"Change Picture"_s);
    EXPECT_EQ(l.folder, pics);
    EXPECT_EQ(l.selected, int(l.files.indexOf(u"me.jpg"_s)));
    EXPECT_EQ(l.pathLabel, u"Current Selection :"_s);
    EXPECT_EQ(l.path, pics + u"/me.jpg"_s);
    EXPECT_EQ(l.pictureCaption, u"On the hill"_s);
    EXPECT_EQ(l.userSelLength, 11);
    EXPECT_TRUE(l.pathFrame);
    EXPECT_TRUE(l.userFrame);
    EXPECT_TRUE(l.defaultButton);
    EXPECT_TRUE(l.defaultLabel);
    EXPECT_TRUE(l.ok);
    EXPECT_EQ(chooser().TextUser.tabIndex(), 0);

    // Default: no picture anywhere, empty values stored, the chooser's boxes emptied.
    EXPECT_TRUE(app->profile.UserPicturePath.isEmpty());
    EXPECT_TRUE(app->store.get(ProfileSection, u"UserPic"_s).isEmpty());
    EXPECT_TRUE(app->store.get(ProfileSection, u"PicCaption"_s).isEmpty());
    EXPECT_TRUE(chooser().TextPath.text().isEmpty());
    EXPECT_TRUE(chooser().TextUser.text().isEmpty());
    EXPECT_TRUE(chooser().ImageUser.picture().isNull());
    EXPECT_TRUE(f().ImageUser.picture().isNull());
    EXPECT_EQ(f().FrameUser.borderStyle(), 0);

    // The next time the chooser offers a picture to select.
    act = nullptr;
    choosePicture();
    ASSERT_EQ(looks.size(), 2);
    EXPECT_EQ(looks[1].caption, u"Select Picture"_s);
    EXPECT_FALSE(looks[1].defaultButton);
    EXPECT_FALSE(looks[1].ok);
}

TEST_F(FileDialogTest, APictureWhoseFileHasGoneIsNotOfferedAsTheCurrentOne)
{
    app->prog.PickerFolder = pics + u'/';
    UserPictureSet(*app, u"me.jpg"_s, u"Gone"_s);
    ASSERT_TRUE(QFile::remove(pics + u"/me.jpg"_s));
    choosePicture();
    ASSERT_EQ(looks.size(), 1);
    EXPECT_EQ(looks[0].caption, u"Select Picture"_s);
    EXPECT_EQ(looks[0].selected, -1);
    EXPECT_TRUE(looks[0].pathLabel.isEmpty());
    EXPECT_TRUE(looks[0].path.isEmpty());
    EXPECT_TRUE(looks[0].pictureCaption.isEmpty());
    EXPECT_FALSE(looks[0].defaultButton);
    EXPECT_FALSE(looks[0].ok);

    // Nor when its folder has gone: a file of the same name elsewhere is not it.
    looks.clear();
    app->profile.UserPicturePath = dir.path() + u"/nowhere/you.jpeg"_s;
    app->profile.UserPictureFolder = dir.path() + u"/nowhere/"_s;
    app->profile.UserPictureFileName = u"you.jpeg"_s;
    chooser().Dir1.setPath(pics);
    choosePicture();
    ASSERT_EQ(looks.size(), 1);
    EXPECT_EQ(looks[0].caption, u"Select Picture"_s);
    EXPECT_EQ(looks[0].folder, pics);
    EXPECT_EQ(looks[0].selected, -1);
    EXPECT_FALSE(looks[0].ok);
}

TEST_F(FileDialogTest, AFileThatIsNoPictureBringsTheMessageAndTheChooserBackWithoutAStoredChange)
{
    app->prog.PickerFolder = pics + u'/';
    UserPictureSet(*app, u"me.jpg"_s, u"Mine"_s);
    int calls = 0;
    act = [&](frmMove& m) {
        if (++calls == 1)
            pick(m, u"fake.jpg"_s);
    };
    choosePicture();

    EXPECT_EQ(shown, QStringList{u"MessageIncorrectPicture"_s});
    EXPECT_EQ(chooserShows, 2);
    EXPECT_EQ(app->store.get(ProfileSection, u"UserPic"_s), pics + u"/me.jpg"_s);
    EXPECT_EQ(app->store.get(ProfileSection, u"PicCaption"_s), u"Mine"_s);
    EXPECT_EQ(app->profile.UserPicturePath, pics + u"/me.jpg"_s);
}

// The colour of the middle of an image's picture (invalid when it shows none).
QColor shownColour(const vb::Image& image)
{
    const QImage picture = image.picture().toImage();
    return picture.isNull() ? QColor() : picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

TEST_F(FileDialogTest, APreviewTheUserDidNotTakeLeavesWithTheChooser)
{
    QImage other(8, 8, QImage::Format_RGB32);
    other.fill(Qt::yellow);
    ASSERT_TRUE(other.save(pics + u"/other.jpg"_s, "PNG"));
    app->prog.PickerFolder = pics + u'/';
    UserPictureSet(*app, u"me.jpg"_s, u"Mine"_s);
    const QColor mine = shownColour(f().ImageUser);
    ASSERT_TRUE(mine.isValid());

    // Previewed, then Cancel.
    act = [&](frmMove& m) {
        pick(m, u"other.jpg"_s);
        ASSERT_EQ(shownColour(f().ImageUser), QColor(Qt::yellow));
        m.CommandMoveCancel.click();
    };
    choosePicture();
    EXPECT_EQ(shownColour(f().ImageUser), mine);
    EXPECT_EQ(shownColour(f().ImageBigUser), mine);
    EXPECT_EQ(shownColour(chooser().ImageUser), mine);

    // Previewed, then closed from the title bar.
    act = [&](frmMove& m) {
        pick(m, u"other.jpg"_s);
        EXPECT_FALSE(m.windowCloseRequested());
    };
    choosePicture();
    EXPECT_EQ(shownColour(f().ImageUser), mine);
    EXPECT_EQ(app->profile.UserPicturePath, pics + u"/me.jpg"_s);

    // Without a picture set, the preview leaves no picture behind.
    UserPictureClear(*app);
    chooser().Dir1.setPath(pics);
    act = [&](frmMove& m) {
        pick(m, u"you.jpeg"_s);
        m.CommandMoveCancel.click();
    };
    choosePicture();
    EXPECT_FALSE(shownColour(f().ImageUser).isValid());
    EXPECT_FALSE(shownColour(f().ImageBigUser).isValid());
}

TEST_F(FileDialogTest, EveryFileThatIsNoPictureIsReportedAndTheChooserComesBackEachTime)
{
    testsupport::writeFile(pics + u"/fake2.jpg"_s, "not a picture either");
    chooser().Dir1.setPath(pics);
    int calls = 0;
    act = [&](frmMove& m) {
        ++calls;
        if (calls == 1)
            pick(m, u"you.jpeg"_s);
        if (calls <= 2)
            pick(m, calls == 1 ? u"fake.jpg"_s : u"fake2.jpg"_s);
        if (calls == 3) {
            pick(m, u"me.jpg"_s);
            m.TextUser.setText(u"Third time"_s);
            m.CommandMoveOK.click();
        }
    };
    choosePicture();
    EXPECT_EQ(shown, (QStringList{u"MessageIncorrectPicture"_s, u"MessageIncorrectPicture"_s}));
    EXPECT_EQ(chooserShows, 3);
    EXPECT_EQ(app->profile.UserPicturePath, pics + u"/me.jpg"_s);
    EXPECT_EQ(app->profile.UserPictureCaption, u"Third time"_s);
    EXPECT_FALSE(chooser().isVisible());
}

TEST_F(FileDialogTest, ACurrentPictureThatCannotBeLoadedOpensTheChooserOnce)
{
    app->prog.PickerFolder = pics + u'/';
    UserPictureSet(*app, u"me.jpg"_s, u"Mine"_s);
    ASSERT_TRUE(testsupport::writeFile(pics + u"/me.jpg"_s, "no longer a picture"));
    choosePicture();
    ASSERT_EQ(looks.size(), 1);
    EXPECT_EQ(chooserShows, 1);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(looks[0].caption, u"Select Picture"_s);
    EXPECT_EQ(looks[0].selected, -1);
    EXPECT_FALSE(looks[0].ok);
}

} // namespace
