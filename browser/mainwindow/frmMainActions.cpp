// The Open and Help menus, the Create, Choices, Change Name and Report Bug panels, the Run box, the notices and the About banner.
// PLACEHOLDER BODIES: replaced by the real handlers while this part is built.

#include "frmMain.h"

#include "CorvaneApp.h"

namespace corvane {

void frmMain::wireActionEvents()
{
}

void frmMain::CommandOpen_Click(int)
{
}

void frmMain::CommandHelp_Click(int)
{
}

void frmMain::CommandChoice_Click(int)
{
}

void frmMain::CommandListHide_Click()
{
}

void frmMain::TextCreate_Change()
{
}

void frmMain::CommandCreateOK_Click()
{
}

void frmMain::CommandCreateCancel_Click()
{
}

void frmMain::TextName_Change(int)
{
}

void frmMain::CommandNameOK_Click()
{
}

void frmMain::CommandNameCancel_Click()
{
}

void frmMain::TextMail_Change(int)
{
}

void frmMain::CommandMailOK_Click()
{
}

void frmMain::CommandMailCancel_Click()
{
}

void frmMain::CommandRun_Click()
{
}

void frmMain::OptionRun_Click(int)
{
}

void frmMain::CommandRunOK_Click()
{
}

void frmMain::FrameAbout_Click()
{
}

} // namespace corvane
