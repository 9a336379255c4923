// CorvaneHelp: explains Corvane topic by topic. It shows no web page, so it starts no web
// engine.

#include "HelpApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CorvaneHelp"));
    QApplication::setOrganizationName(QStringLiteral("Tavolin"));
    // The program ends when its window is closed, through its own unload.
    QApplication::setQuitOnLastWindowClosed(false);
    return corvanehelp::runProgram(qapp);
}
