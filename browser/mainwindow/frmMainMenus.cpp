// Menus and their slide-out, the Controls bar and the full-window bar.
// PLACEHOLDER BODIES: replaced by the real handlers while this part is built.

#include "frmMain.h"

#include "CorvaneApp.h"

namespace corvane {

void frmMain::wireMenuEvents()
{
}

void frmMain::CommandMenu_Click(int)
{
}

void frmMain::TimerMainFrame_Timer()
{
}

void frmMain::PlacePanels(int)
{
}

void frmMain::CommandPage_Click(int)
{
}

void frmMain::CommandView_Click(int)
{
}

void frmMain::CommandTools_Click(int)
{
}

void frmMain::CommandRunCancel_Click()
{
}

void frmMain::TimerMainAbout_Timer()
{
}

void frmMain::CommandOne_Click(int)
{
}

void frmMain::CommandZero_Click()
{
}

void frmMain::CommandComHide_Click()
{
}

void frmMain::CommandComTab_Click()
{
}

void frmMain::CommandHideBrowser_Click()
{
}

void frmMain::CommandFullBrow_Click()
{
}

QPoint frmMain::PanelPoint() const
{
    return {};
}

} // namespace corvane
