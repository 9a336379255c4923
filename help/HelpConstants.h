#pragma once
// The help program's fixed names and the maker's addresses.

#include <QString>

namespace corvanehelp {

// This program's name: the base name of its executable and its application title.
inline QString HelpProgramName()
{
    return QStringLiteral("CorvaneHelp");
}

// The browser's program name, its application title and the base name of its executable.
inline QString BrowserProgramName()
{
    return QStringLiteral("Corvane");
}

inline QString HelpVersionText()
{
    return QStringLiteral("Version 1.2");
}

// The title a second copy takes while it looks for the first, so that it cannot find itself.
inline QString BypassTitle()
{
    return QStringLiteral("BypassThisInstance");
}

// The folder the program refuses to run from (the system's own programs).
inline QString SystemFolder()
{
    return QStringLiteral("/usr/");
}

inline QString MakerBugEmail()
{
    return QStringLiteral("bugs@velmora.example");
}

inline QString MakerContactEmail()
{
    return QStringLiteral("contact@velmora.example");
}

// The smallest screen the help window fits on, in twips.
inline constexpr int MinScreenWidthTwips = 11500;
inline constexpr int MinScreenHeightTwips = 8500;

} // namespace corvanehelp

namespace corvanehelp {

// The user profile's section in the settings store (the browser writes it).
inline QString ProfileSection()
{
    return QStringLiteral("NidraBhanga");
}

} // namespace corvanehelp
