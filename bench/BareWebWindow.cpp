// The yardstick of the benchmarks: the least a Qt WebEngine program needs to show pages.
// One maximised window with a persistent named profile, as Corvane keeps, and the page given
// on the command line. Nothing else, unless --tabs: then a row of tabs above the view and a
// Close All button at its right end; a page that opens a window opens a tab, which becomes
// the current one. So that a benchmark can click them, the window writes where each tab and
// the button lie on the screen to its standard output ("tab N X Y", "close X Y").

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <unistd.h>

namespace {

class TabbedWindow;

class TabPage : public QWebEnginePage {
public:
    TabPage(QWebEngineProfile* profile, TabbedWindow& window, QObject* parent)
        : QWebEnginePage(profile, parent), m_window(window)
    {
    }

protected:
    QWebEnginePage* createWindow(WebWindowType) override;

private:
    TabbedWindow& m_window;
};

class TabbedWindow : public QWidget {
public:
    explicit TabbedWindow(QWebEngineProfile& profile) : m_profile(profile)
    {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        m_bar.setExpanding(false);
        m_bar.setUsesScrollButtons(false);
        m_bar.setDrawBase(false);
        m_bar.setStyleSheet(QStringLiteral("QTabBar::tab { width: 44px; height: 24px; padding: 0; margin: 0; }"));
        m_close.setText(QStringLiteral("Close All"));
        m_close.setFixedSize(80, 24);
        row->addWidget(&m_bar);
        row->addStretch();
        row->addWidget(&m_close);
        column->addLayout(row);
        column->addWidget(&m_stack);
        connect(&m_bar, &QTabBar::currentChanged, &m_stack, &QStackedWidget::setCurrentIndex);
        connect(&m_close, &QPushButton::clicked, this, &TabbedWindow::closeAllButFirst);
    }

    QWebEngineView* addTab()
    {
        auto* view = new QWebEngineView;
        view->setPage(new TabPage(&m_profile, *this, view));
        m_stack.addWidget(view);
        const int index = m_bar.addTab(QString::number(m_bar.count()));
        m_bar.setCurrentIndex(index);
        tellPlaces();
        return view;
    }

    // Every view goes before the profile.
    void closeAll()
    {
        while (m_stack.count() > 0) {
            QWidget* view = m_stack.widget(m_stack.count() - 1);
            m_stack.removeWidget(view);
            delete view;
        }
    }

private:
    void closeAllButFirst()
    {
        while (m_bar.count() > 1) {
            const int last = m_bar.count() - 1;
            QWidget* view = m_stack.widget(last);
            m_bar.removeTab(last);
            m_stack.removeWidget(view);
            view->deleteLater();
        }
    }

    void tellPlaces()
    {
        for (int i = 0; i < m_bar.count(); ++i) {
            const QPoint at = m_bar.mapToGlobal(m_bar.tabRect(i).center());
            std::printf("tab %d %d %d\n", i, at.x(), at.y());
        }
        const QPoint close = m_close.mapToGlobal(m_close.rect().center());
        std::printf("close %d %d\n", close.x(), close.y());
        std::fflush(stdout);
    }

    QWebEngineProfile& m_profile;
    QTabBar m_bar;
    QPushButton m_close;
    QStackedWidget m_stack;
};

QWebEnginePage* TabPage::createWindow(WebWindowType)
{
    return m_window.addTab()->page();
}

void showFillingTheScreen(QWidget& window)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
}

} // namespace

int main(int argc, char** argv)
{
    // The same process set-up as Corvane's: the sandbox cannot run as root, and the engine
    // wants shared OpenGL contexts.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return 1;
    const QUrl page = QUrl::fromUserInput(args.last());

    QWebEngineProfile profile(QStringLiteral("BareWebWindow"));
    if (args.contains(QStringLiteral("--tabs"))) {
        TabbedWindow window(profile);
        showFillingTheScreen(window);
        window.addTab()->load(page);
        const int rc = QApplication::exec();
        window.closeAll();
        return rc;
    }
    QWebEngineView view;
    auto* webPage = new QWebEnginePage(&profile, &view);
    view.setPage(webPage);
    showFillingTheScreen(view);
    view.load(page);
    const int rc = QApplication::exec();
    // The page goes before its profile.
    delete webPage;
    return rc;
}
