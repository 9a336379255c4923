#include "CorvaneApp.h"

#include "Constants.h"
#include "ControlMessage.h"
#include "FirstRun.h"
#include "frmMain.h"
#include "frmMessage.h"

namespace corvane {

CorvaneApp::CorvaneApp(AppConfig config)
    : rt(config.mode), fs(std::move(config.mounts)), store(config.settingsPath), launcher(std::move(config.launcher)),
      programFolder(config.programFolder), socketFolder(config.socketFolder)
{
}

CorvaneApp::~CorvaneApp() = default;

QString CorvaneApp::webAddress() const
{
    return makerWebAddress(programFolder);
}

QString CorvaneApp::productPageAddress() const
{
    return productPage(programFolder, prog.ProgramName);
}

VelmoraContext CorvaneApp::velmora()
{
    return VelmoraContext{prog, opt, lists, hid, files, productPageAddress(), [this] { dataFileWriteFailed(); }};
}

void CorvaneApp::dataFileWriteFailed()
{
    msg.MessageId = QStringLiteral("MessageErSaveSetVelmora");
    MessageShow(*this);
}

void CorvaneApp::showMainWindowAgain()
{
    // The unloaded window took its tabs, bookmark browser and mode with it: the new one
    // starts as at start-up, on main browser 1's home page, with the lists as they are now.
    set = BrowserSet{};
    BrowserSetInit(set, opt);
    const int runChoice = panel.FamilyRunChoice;
    panel = PanelVars{};
    panel.FamilyRunChoice = runChoice;

    MainWindowLoad(*this);
    MainWindowFirstPageShow(*this);
}

} // namespace corvane
