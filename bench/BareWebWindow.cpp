// The yardstick of the start-up benchmark: the least a Qt WebEngine program needs to show
// one page. One maximised window with one view, a persistent named profile as Corvane
// keeps, and the page given on the command line. Nothing else.

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <unistd.h>

int main(int argc, char** argv)
{
    // The same process set-up as Corvane's: the sandbox cannot run as root, and the engine
    // wants shared OpenGL contexts.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2)
        return 1;

    QWebEngineProfile profile(QStringLiteral("BareWebWindow"));
    QWebEngineView view;
    auto* page = new QWebEnginePage(&profile, &view);
    view.setPage(page);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        view.setGeometry(screen->availableGeometry());
    view.showMaximized();
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    const int rc = QApplication::exec();
    // The page goes before its profile.
    delete page;
    return rc;
}
