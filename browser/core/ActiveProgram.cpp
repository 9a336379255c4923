#include "ActiveProgram.h"

#include "ControlMessage.h"
#include "CorvaneApp.h"
#include "frmMain.h"

#include "sys/WindowFinder.h"

#include <QFileInfo>

namespace corvane {

QString HelpProgramRun(CorvaneApp& app)
{
    RegisterVars& reg = app.reg;
    if (reg.HelpProgramFound) {
        if (sys::activateWindow(app.socketFolder, app.prog.HelpProgramName))
            return app.msg.MessageAnswer;
        const QString program = reg.HelpProgramPath;
        if (!app.launcher.startDetached(program, {}, QFileInfo(program).absolutePath())) {
            app.msg.MessageId = QStringLiteral("MessageRunBachanError");
            StartupMessageShow(app);
            return QString();
        }
        return app.msg.MessageAnswer;
    }
    app.msg.MessageId = QStringLiteral("MessageHelpShow");
    MessageShow(app);
    return app.msg.MessageAnswer;
}

void MakerWebPageOpen(CorvaneApp& app)
{
    const QUrl page(app.productPageAddress());
    if (!app.launcher.openUrl(page)) {
        app.msg.MessageId = QStringLiteral("MessageRunGaganError");
        StartupMessageShow(app);
    }
}

void SettingsToolRun(CorvaneApp& app, sys::SettingsApplet applet)
{
    if (!app.launcher.openSettingsApplet)
        return;
    const sys::SettingsAppletStart start = app.launcher.openSettingsApplet(applet);
    if (start.started)
        return;
    app.msg.SettingsToolsTried = start.tried;
    app.msg.SettingsToolInstalled = start.installed;
    app.msg.MessageId = applet == sys::SettingsApplet::InternetProperties ? QStringLiteral("MessageRunInternetSettingsError")
                                                                            : QStringLiteral("MessageRunDisplaySettingsError");
    MessageShow(app);
}

void FamilyProgramRun(CorvaneApp& app)
{
    RegisterVars& reg = app.reg;
    const int choice = app.panel.FamilyRunChoice;
    const QString program = choice >= 0 && choice <= reg.FamilyRunLast && choice < reg.FamilyRunPaths.size()
                                ? reg.FamilyRunPaths.at(choice)
                                : QString();
    // A Run box that lists nothing has nothing to start: the window and its pages stay.
    if (program.isEmpty())
        return;
    app.rt.setTitle(QStringLiteral("myNewName"));
    reg.RunningOther = true;
    // The main window's unload saves everything, as at every exit, but does not end.
    if (app.mainForm)
        app.mainForm->unload();
    if (app.launcher.startDetached(program, {}, QFileInfo(program).absolutePath())) {
        app.rt.end();
        return;
    }

    // The start failed: the browser comes back.
    app.rt.setTitle(app.prog.ProgramName);
    reg.RunningOther = false;
    app.showMainWindowAgain();
    app.msg.MessageId = QStringLiteral("MessageRunGuruError");
    StartupMessageShow(app);
}

void RunBoxLayout(CorvaneApp& app)
{
    frmMain& f = *app.mainForm;
    const int n = app.reg.FamilyRunLast;
    f.FrameRun.setHeight(24 * n + 57);
    f.FrameButRun.setTop(360 * n + 240);
    f.LineRun.setY2(360 * n + 735);
    for (int i = 0; i <= n; ++i) {
        vb::OptionButton& option = f.OptionRun.exists(i) ? f.OptionRun[i] : f.OptionRun.load(i);
        option.setTop(240 + i * 360);
        option.setVisible(true);
        option.setCaption(app.reg.FamilyRunNames.value(i));
    }
}

} // namespace corvane
