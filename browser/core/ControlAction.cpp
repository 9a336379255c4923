// PLACEHOLDER BODIES: replaced by the real page actions while this part is built.
#include "ControlAction.h"

#include "CorvaneApp.h"

namespace corvane {

bool MailLinkSend(CorvaneApp&, QString, const QString&, const QString&)
{
    return false;
}

void FileDialogShow(CorvaneApp&)
{
}

void LocalFileOpen(CorvaneApp&, const QString&)
{
}

void PagePrint(CorvaneApp&)
{
}

void PageSaveAs(CorvaneApp&)
{
}

} // namespace corvane
