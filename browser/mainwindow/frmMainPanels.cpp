// The bookmark browser and its panels, the note panel and the home-page panel.
// PLACEHOLDER BODIES: replaced by the real handlers while this part is built.

#include "frmMain.h"

#include "CorvaneApp.h"

namespace corvane {

void frmMain::wirePanelEvents()
{
}

void frmMain::BookmarkBrowserShow()
{
}

void frmMain::BookmarkBrowserClose()
{
}

void frmMain::CommandShowBookmark_Click()
{
}

void frmMain::CommandCloseBookmark_Click()
{
}

void frmMain::CommandBookmark_Click(int)
{
}

void frmMain::ComboMarkName_Click()
{
}

void frmMain::ComboMarkAddress_Click()
{
}

void frmMain::CommandRenameOK_Click()
{
}

void frmMain::CommandRenameCancel_Click()
{
}

void frmMain::CommandMarkOK_Click()
{
}

void frmMain::CommandMarkCancel_Click()
{
}

void frmMain::CommandMarkReset_Click()
{
}

void frmMain::MarkBoxes_Change()
{
}

void frmMain::CommandNoteEdit_Click()
{
}

void frmMain::CommandNoteOK_Click()
{
}

void frmMain::CommandNoteRemove_Click()
{
}

void frmMain::CommandNoteCancel_Click()
{
}

void frmMain::CommandNoteHide_Click()
{
}

void frmMain::CheckNoShowNote_Click()
{
}

void frmMain::TextNote_Change(int)
{
}

void frmMain::TextNote_KeyPress(int, int&)
{
}

void frmMain::OptionHome_Click(int)
{
}

void frmMain::CommandHomeOK_Click()
{
}

void frmMain::CommandHomeCancel_Click()
{
}

} // namespace corvane
