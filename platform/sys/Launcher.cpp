#include "Launcher.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace sys {

namespace {

struct AppletTool {
    QLatin1String desktop;  // as it appears in $XDG_CURRENT_DESKTOP
    QLatin1String program;
    QLatin1String internetArg; // "" for none
    QLatin1String displayProgram;
    QLatin1String displayArg;
};

// Proxy settings stand for the old "Internet properties".
const AppletTool kAppletTools[] = {
    {"GNOME"_L1, "gnome-control-center"_L1, "network"_L1, "gnome-control-center"_L1, "display"_L1},
    {"KDE"_L1, "systemsettings"_L1, "kcm_proxy"_L1, "systemsettings"_L1, "kcm_kscreen"_L1},
    {"KDE"_L1, "systemsettings5"_L1, "kcm_proxy"_L1, "systemsettings5"_L1, "kcm_kscreen"_L1},
    {"XFCE"_L1, "xfce4-settings-manager"_L1, ""_L1, "xfce4-display-settings"_L1, ""_L1},
};

} // namespace

std::optional<Command> settingsAppletCommand(SettingsApplet applet, const QString& desktops,
                                             const std::function<QString(const QString&)>& findExecutable)
{
    const QStringList names = desktops.split(u':', Qt::SkipEmptyParts);
    bool known = false;
    for (const AppletTool& t : kAppletTools)
        for (const QString& n : names)
            known = known || n.compare(t.desktop, Qt::CaseInsensitive) == 0;

    for (const AppletTool& t : kAppletTools) {
        if (known) {
            bool mine = false;
            for (const QString& n : names)
                mine = mine || n.compare(t.desktop, Qt::CaseInsensitive) == 0;
            if (!mine)
                continue;
        }
        const bool display = applet == SettingsApplet::DisplayProperties;
        const QString program = findExecutable(display ? t.displayProgram : t.program);
        if (program.isEmpty())
            continue;
        const QLatin1String arg = display ? t.displayArg : t.internetArg;
        return Command{program, arg.isEmpty() ? QStringList() : QStringList{arg}};
    }
    return std::nullopt;
}

Launcher Launcher::system()
{
    Launcher l;
    l.startDetached = [](const QString& program, const QStringList& args, const QString& workingFolder) {
        return QProcess::startDetached(program, args, workingFolder);
    };
    l.openUrl = [](const QUrl& url) {
        // Only absolute addresses: anything else could be taken for an option of the opener.
        if (!url.isValid() || url.isRelative())
            return false;
        return QProcess::startDetached(u"xdg-open"_s, {QString::fromUtf8(url.toEncoded())});
    };
    l.openSettingsApplet = [](SettingsApplet applet) {
        const auto cmd = settingsAppletCommand(applet, qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                               [](const QString& name) { return QStandardPaths::findExecutable(name); });
        if (cmd)
            QProcess::startDetached(cmd->program, cmd->args);
    };
    return l;
}

QUrl mailtoUrl(const QString& recipient, const QString& subject, const QString& body)
{
    QByteArray encoded = "mailto:";
    encoded += QUrl::toPercentEncoding(recipient, "@,");
    encoded += "?subject=";
    encoded += QUrl::toPercentEncoding(subject);
    encoded += "&body=";
    encoded += QUrl::toPercentEncoding(body);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

} // namespace sys
