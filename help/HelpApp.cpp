#include "HelpApp.h"

#include "ControlTopic.h"
#include "FirstRun.h"
#include "HelpConstants.h"
#include "TopicEngine.h"
#include "frmMain.h"
#include "frmMessage.h"

#include <QApplication>
#include <QDir>

namespace corvanehelp {

namespace {

// The engine this build ships: every topic's pages.
std::unique_ptr<TopicEngine> defaultTopicEngine(HelpApp& app)
{
    return std::make_unique<ControlTopic>(app);
}

} // namespace

HelpConfig programConfig()
{
    HelpConfig config;
    config.currentFolder = QDir::currentPath();
    config.systemFolder = SystemFolder();
    return config;
}

HelpApp::HelpApp(HelpConfig config)
    : rt(config.mode), fs(std::move(config.mounts)), store(config.settingsPath), launcher(std::move(config.launcher)),
      socketFolder(config.socketFolder), currentFolder(config.currentFolder), systemFolder(config.systemFolder),
      beacon(config.socketFolder)
{
    topics = config.topicEngine ? config.topicEngine(*this) : defaultTopicEngine(*this);
    // A new application title is a new name to be found by.
    rt.onTitleChanged = [this](const QString& title) { beacon.listen(title); };
    beacon.onActivate = [this] {
        // Asked to the front by the browser or by a second copy: the message on screen
        // during start-up, else the help window.
        vb::Form* front = messageForm && messageForm->isLoaded() ? static_cast<vb::Form*>(messageForm.data())
                                                                   : static_cast<vb::Form*>(mainForm.data());
        if (!front || !front->isLoaded())
            return;
        if (front->windowState() == vb::Minimized)
            front->setWindowState(vb::Normal);
        front->zOrder(0);
    };
}

HelpApp::~HelpApp()
{
    rt.onTitleChanged = nullptr;
    beacon.onActivate = nullptr;
}

frmMain& HelpApp::window() const
{
    if (!mainForm)
        throw vb::Error(vb::ErrControlFailed, "the help window is not loaded");
    return *mainForm;
}

int runProgram(QApplication& qapp)
{
    HelpApp app(programConfig());
    Main(app);
    if (app.rt.ending())
        return 0;
    return qapp.exec();
}

} // namespace corvanehelp
