// The file and picture chooser: its design, the start-folder load, and the drive, folder,
// file and button handlers.

#include "frmMove.h"

#include "ActiveNajar.h"
#include "ControlAction.h"
#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "FirstRun.h"

#include "art/Artwork.h"

#include <QApplication>

namespace corvane {

namespace {

const QColor FrameGrey(0xc0, 0xc0, 0xc0);

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

const QString Patterns[5] = {QStringLiteral("*.asp"), QStringLiteral("*.htm"), QStringLiteral("*.shtml"),
                             QStringLiteral("*.xml"), QStringLiteral("*.*")};

} // namespace

frmMove::frmMove(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmMove")), m_app(app), Drive1(*this, app.fs.mountSource())
{
    design();
    wireEvents();
}

void frmMove::design()
{
    setCaption(QStringLiteral("Open File"));
    setBorderFixed(true);
    move(0, 0, (400 + FrameWidthPixels) * vb::TwipsPerPixel, (492 + FrameHeightPixels) * vb::TwipsPerPixel);

    PictureMove.move(0, 0, 1, 1);
    PictureMove.setBorderStyle(0);
    for (int i = 0; i <= 2; ++i) {
        vb::Image& face = BButton.add(i);
        face.setPicture(art::buttonFace(i, QSize(20, 20)));
        face.setVisible(false);
    }

    Drive1.move(8, 8, 168, 24);
    Dir1.move(8, 36, 168, 228);
    File1.move(184, 68, 208, 196);

    FramePattern.move(184, 0, 208, 64);
    FramePattern.setBorderStyle(0);
    LabelType.move(60, 45, 1500, 210);
    LabelType.setCaption(QStringLiteral("File Type :"));
    LabelType.setBackStyle(0);
    const QStringList names{QStringLiteral("asp"), QStringLiteral("html"), QStringLiteral("shtml"), QStringLiteral("xml"),
                            QStringLiteral("All")};
    for (int i = 0; i <= 4; ++i) {
        CommandPattern.add(i).move(240 + i * 600, 300, 300, 300);
        vb::Label& l = LabelPattern.add(i);
        l.move(90 + i * 600, 615, 600, 210);
        l.setCaption(names[i]);
        l.setBackStyle(0);
        l.setAlignment(2);
    }

    FramePath.move(8, 272, 384, 52);
    FramePath.setBackColor(FrameGrey);
    LabelPath.move(120, 60, 3000, 210);
    LabelPath.setCaption(QStringLiteral("Open This File :"));
    LabelPath.setBackStyle(0);
    TextPath.move(120, 300, 5520, 315);
    // The path shows the choice; the choice itself is made in the lists.
    TextPath.setLocked(true);
    FramePath.setVisible(false);

    FrameUser.move(8, 328, 384, 104);
    FrameUser.setBackColor(FrameGrey);
    LabelUser.move(120, 60, 3000, 210);
    LabelUser.setCaption(QStringLiteral("Picture Caption"));
    LabelUser.setBackStyle(0);
    TextUser.move(120, 300, 3600, 315);
    ImageUser.move(3960, 90, 1680, 1380);
    ImageUser.setStretch(true);
    FrameUser.setVisible(false);

    CommandMoveDefault.move(8, 440, 64, 44);
    CommandMoveDefault.setCaption(QStringLiteral("Default"));
    LabelMoveDefault.move(78, 456, 120, 16);
    LabelMoveDefault.setCaption(QStringLiteral("No Picture"));
    LabelMoveDefault.setBackStyle(0);
    CommandMoveDefault.setVisible(false);
    LabelMoveDefault.setVisible(false);
    CommandMoveOK.move(256, 440, 64, 44);
    CommandMoveOK.setCaption(QStringLiteral("OK"));
    CommandMoveOK.setEnabled(false);
    CommandMoveCancel.move(328, 440, 64, 44);
    CommandMoveCancel.setCaption(QStringLiteral("Cancel"));
    setDefaultButton(&CommandMoveOK);
    setCancelButton(&CommandMoveCancel);
}

void frmMove::wireEvents()
{
    Drive1.onChange = [this] { Drive1_Change(); };
    Dir1.onChange = [this] { Dir1_Change(); };
    File1.onClick = [this] { File1_Click(); };
    CommandPattern.onClick = [this](int i) { CommandPattern_Click(i); };
    CommandMoveOK.onClick = [this] { CommandMoveOK_Click(); };
    CommandMoveCancel.onClick = [this] { CommandMoveCancel_Click(); };
    CommandMoveDefault.onClick = [this] { CommandMoveDefault_Click(); };
}

void frmMove::Form_Load()
{
    FramePattern.move(184, 0);
    FramePath.move(8, 272);
    FrameUser.move(8, 328);
    FramePath.setBackColor(FrameGrey);
    FrameUser.setBackColor(FrameGrey);

    // The folder list starts in the process's current directory: the start folder.
    PickerPath = Dir1.path();
    try {
        File1.setPath(PickerPath);
    } catch (const vb::Error&) {
        // Unreadable start folder: the list stays empty; the start-up goes on.
    }

    PickerButtonsPaint();

    // The chooser's hidden load at start-up records the start folder, its root and its
    // drive.
    StartFolderRead(m_app, Dir1.path());
}

void frmMove::Form_Activate()
{
    // Only when no control of the chooser has taken the focus does the form itself hold it.
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != window())
        Form_GotFocus();
}

void frmMove::Form_GotFocus()
{
    PictureMove.setFocus();
}

void frmMove::Form_QueryUnload(int& cancel, int unloadMode)
{
    // The chooser stays loaded for the whole run: closing it from its title bar is Cancel.
    // Only the program's own unload (the main window going) takes it away.
    if (unloadMode == vb::FormControlMenu) {
        cancel = 1;
        CommandMoveCancel_Click();
    }
}

void frmMove::PickerButtonsPaint()
{
    auto paint = [this](vb::CommandButton& b) {
        b.setPicture(BButton[0].picture());
        b.setDownPicture(BButton[1].picture());
        b.setDisabledPicture(BButton[2].picture());
    };
    paint(CommandMoveOK);
    paint(CommandMoveCancel);
    paint(CommandMoveDefault);
    for (int i = 0; i <= 4; ++i)
        paint(CommandPattern[i]);
}

void frmMove::CommandPattern_Click(int index)
{
    if (index < 0 || index > 4)
        return;
    File1.setPattern(Patterns[index]);
    for (int i = 0; i <= 4; ++i)
        CommandPattern[i].setEnabled(i != index);
    // The list was made again without a selection: no file is chosen now.
    CommandMoveOK.setEnabled(false);
    PictureMove.setFocus();
}

void frmMove::FolderFollow()
{
    PickerPath = Dir1.path();
    File1.setPath(PickerPath);
    m_app.prog.PickerFolder = withSlash(PickerPath);
}

void frmMove::Drive1_Change()
{
    try {
        Dir1.setPath(Drive1.drive());
        FolderFollow();
        return;
    } catch (const vb::Error&) {
    }
    // A drive that cannot be read (no medium, or gone): back to the start folder's drive.
    // When that cannot be read either, the lists stay where they were.
    try {
        Drive1.setDrive(m_app.prog.OwnDriveLetter);
        Dir1.setPath(Drive1.drive());
        FolderFollow();
    } catch (const vb::Error&) {
    }
}

void frmMove::Dir1_Change()
{
    try {
        FolderFollow();
    } catch (const vb::Error&) {
        // A folder that cannot be read: the selected drive's top folder instead.
        try {
            Dir1.setPath(Drive1.drive());
            FolderFollow();
        } catch (const vb::Error&) {
        }
    }
    // No file is chosen in the new folder.
    CommandMoveOK.setEnabled(false);
}

void frmMove::File1_Click()
{
    const int index = File1.listIndex();
    if (index < 0)
        return;
    const QString name = File1.list(index);
    const PanelVars& panel = m_app.panel;
    ProfileVars& profile = m_app.profile;
    const QString& folder = m_app.prog.PickerFolder;

    if (panel.PickerOpenFileMode) {
        LabelPath.setCaption(QStringLiteral("Open This File :"));
        TextPath.setText(folder + name);
    } else if (panel.PickerPictureMode) {
        UserPicturePreview(m_app, name);
        if (profile.PicturePreviewFailed) {
            // Not a picture: the chooser goes and the message says so; its OK brings the
            // chooser back. What an earlier file previewed goes with it.
            profile.PicturePreviewFailed = false;
            File1.setListIndex(-1);
            File1.refresh();
            UserPicturePreviewUndo(m_app);
            hide();
            m_app.msg.MessageId = QStringLiteral("MessageIncorrectPicture");
            MessageShow(m_app);
            return;
        }
        const bool current = !profile.UserPictureFileName.isEmpty() && withSlash(profile.UserPictureFolder) == folder &&
                             profile.UserPictureFileName == name;
        if (current) {
            LabelPath.setCaption(QStringLiteral("Current Selection :"));
            TextUser.setText(profile.UserPictureCaption);
        } else {
            LabelPath.setCaption(QStringLiteral("Select This Picture :"));
            TextUser.setText(QString());
        }
        TextPath.setText(folder + name);
    }

    FramePath.setVisible(true);
    if (panel.PickerPictureMode)
        FrameUser.setVisible(true);
    CommandMoveOK.setEnabled(true);
    if (FrameUser.isVisible()) {
        TextUser.setSelStart(0);
        TextUser.setSelLength(static_cast<int>(TextUser.text().size()));
        TextUser.setFocus();
    }
}

void frmMove::PickerClose()
{
    File1.refresh();
    File1.setListIndex(-1);
    hide();
}

void frmMove::CommandMoveOK_Click()
{
    hide();
    const QString name = File1.list(File1.listIndex());
    const QString caption = TextUser.text();
    File1.refresh();
    File1.setListIndex(-1);
    PanelVars& panel = m_app.panel;
    if (panel.PickerPictureMode) {
        panel.PickerPictureMode = false;
        // Without a chosen file there is nothing to take (the folder is no picture).
        if (!name.isEmpty())
            UserPictureSet(m_app, name, caption);
    } else if (panel.PickerOpenFileMode) {
        panel.PickerOpenFileMode = false;
        if (!name.isEmpty())
            LocalFileOpen(m_app, name);
    }
}

void frmMove::CommandMoveCancel_Click()
{
    const bool pictureMode = m_app.panel.PickerPictureMode;
    PickerClose();
    m_app.panel.PickerPictureMode = false;
    m_app.panel.PickerOpenFileMode = false;
    // Nothing was chosen: the previews give way to the picture that is stored.
    if (pictureMode)
        UserPicturePreviewUndo(m_app);
}

void frmMove::CommandMoveDefault_Click()
{
    PickerClose();
    m_app.panel.PickerPictureMode = false;
    UserPictureClear(m_app);
}

} // namespace corvane
