// Corvane: a small, portable, tabbed web browser.

#include "FirstRun.h"

#include "web/QtWebEngine.h"

#include <QApplication>

int main(int argc, char** argv)
{
    vb::prepareWebEngineProcess();
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setOrganizationName(QStringLiteral("Tavolin"));
    QApplication::setQuitOnLastWindowClosed(false);
    return corvane::runProgram(qapp);
}
