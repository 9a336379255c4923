#pragma once
// Starting other programs, opening addresses with the desktop, and the desktop's own
// settings tools. Each is a replaceable function so that tests never start anything.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

namespace sys {

enum class SettingsApplet { InternetProperties, DisplayProperties };

// What an attempt to open the desktop's settings tool for an area did.
struct SettingsAppletStart {
    bool started = false;
    // For the user when nothing started: the tools installed that would not start, as
    // their command lines; when none is installed, the programs looked for.
    QStringList tried;
    bool installed = false;
};

struct Launcher {
    // Starts program detached, with an argument list (no shell) and workingFolder as its
    // current directory. Returns false when it could not be started.
    std::function<bool(const QString& program, const QStringList& args, const QString& workingFolder)> startDetached;
    // Opens an address with the desktop's handler (web links, mailto:). Returns the call's result.
    std::function<bool(const QUrl&)> openUrl;
    // Starts the desktop's settings tool for the area, and says what it tried.
    std::function<SettingsAppletStart(SettingsApplet)> openSettingsApplet;

    static Launcher system();
};

// A program with its arguments.
struct Command {
    QString program;
    QStringList args;
};

// The desktop's settings tool for the area. desktops is $XDG_CURRENT_DESKTOP (names
// separated by ":"); findExecutable gives a program's full path, "" when it is not
// installed. On a desktop of the table only its own tools count; on any other desktop
// the first installed tool of the table is taken. nullopt when none is installed.
std::optional<Command> settingsAppletCommand(SettingsApplet applet, const QString& desktops,
                                             const std::function<QString(const QString&)>& findExecutable);

// Starts the first of those tools that is installed and starts; start is given the full
// path and the arguments.
SettingsAppletStart startSettingsApplet(SettingsApplet applet, const QString& desktops,
                                        const std::function<QString(const QString&)>& findExecutable,
                                        const std::function<bool(const Command&)>& start);

// "mailto:" address with subject and body, each percent-encoded.
QUrl mailtoUrl(const QString& recipient, const QString& subject, const QString& body);

} // namespace sys
