#include "CorvaneApp.h"

#include "Constants.h"
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
    return VelmoraContext{prog, opt, lists, hid, productPageAddress()};
}

void CorvaneApp::showMainWindowAgain()
{
    auto* main = new frmMain(*this);
    mainForm = main;
    main->load();
    main->show();
}

} // namespace corvane
