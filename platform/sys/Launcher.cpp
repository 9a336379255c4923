#include "Launcher.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <vector>

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

namespace {

// The tools that count on these desktops, in the table's order, by program name. On a
// desktop of the table only its own tools count; on any other desktop every tool does.
std::vector<Command> settingsAppletCandidates(SettingsApplet applet, const QString& desktops)
{
    const QStringList names = desktops.split(u':', Qt::SkipEmptyParts);
    auto runsOn = [&names](const AppletTool& t) {
        for (const QString& n : names)
            if (n.compare(t.desktop, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    const bool known = std::any_of(std::begin(kAppletTools), std::end(kAppletTools), runsOn);
    const bool display = applet == SettingsApplet::DisplayProperties;
    std::vector<Command> out;
    for (const AppletTool& t : kAppletTools) {
        if (known && !runsOn(t))
            continue;
        const QLatin1String arg = display ? t.displayArg : t.internetArg;
        out.push_back(Command{display ? t.displayProgram : t.program, arg.isEmpty() ? QStringList() : QStringList{arg}});
    }
    return out;
}

} // namespace

std::optional<Command> settingsAppletCommand(SettingsApplet applet, const QString& desktops,
                                             const std::function<QString(const QString&)>& findExecutable)
{
    for (const Command& c : settingsAppletCandidates(applet, desktops)) {
        const QString program = findExecutable(c.program);
        if (!program.isEmpty())
            return Command{program, c.args};
    }
    return std::nullopt;
}

SettingsAppletStart startSettingsApplet(SettingsApplet applet, const QString& desktops,
                                        const std::function<QString(const QString&)>& findExecutable,
                                        const std::function<bool(const Command&)>& start)
{
    SettingsAppletStart result;
    QStringList lookedFor;
    for (const Command& c : settingsAppletCandidates(applet, desktops)) {
        if (!lookedFor.contains(c.program))
            lookedFor << c.program;
        const QString program = findExecutable(c.program);
        if (program.isEmpty())
            continue;
        result.installed = true;
        if (start(Command{program, c.args})) {
            result.started = true;
            result.tried.clear();
            return result;
        }
        result.tried << (QStringList{c.program} + c.args).join(u' ');
    }
    if (!result.installed)
        result.tried = lookedFor;
    return result;
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
        return startSettingsApplet(
            applet, qEnvironmentVariable("XDG_CURRENT_DESKTOP"), [](const QString& name) { return QStandardPaths::findExecutable(name); },
            [](const Command& c) { return QProcess::startDetached(c.program, c.args); });
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
