// CorvaneHelp: explains Corvane topic by topic.

#include "HelpApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CorvaneHelp"));
    corvanehelp::HelpApp app;
    return app.run();
}
