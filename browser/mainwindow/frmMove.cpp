#include "frmMove.h"

#include "CorvaneApp.h"
#include "FirstRun.h"

#include <QDir>

namespace corvane {

frmMove::frmMove(CorvaneApp& app) : vb::Form(app.rt, QStringLiteral("frmMove")), m_app(app)
{
    setCaption(QStringLiteral("Open File"));
    PictureMove.move(0, 0, 1, 1);
    PictureMove.setBorderStyle(0);
}

void frmMove::Form_Load()
{
    // The folder list starts in the process's current directory: that is the start folder.
    PickerPath = QDir::currentPath();
    StartFolderRead(m_app, PickerPath);
}

} // namespace corvane
