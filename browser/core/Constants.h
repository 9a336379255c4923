#pragma once
// The maker's addresses. The web site ships with the program (the folder "site" beside
// Corvane.exe); mail goes to the maker's reserved domain.

#include <QString>
#include <QUrl>

namespace corvane {

inline QString makerContactEmail()
{
    return QStringLiteral("contact@velmora.example");
}

inline QString makerBugEmail()
{
    return QStringLiteral("bugs@velmora.example");
}

// The maker's web address: the file URL of the site folder beside the program, no
// trailing "/".
inline QString makerWebAddress(const QString& programFolder)
{
    QString folder = programFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return QUrl::fromLocalFile(folder + QStringLiteral("site")).toString(QUrl::FullyEncoded);
}

// The product's web page: the web address, "/", the program name and ".html".
inline QString productPage(const QString& programFolder, const QString& programName)
{
    return makerWebAddress(programFolder) + QLatin1Char('/') + programName + QStringLiteral(".html");
}

// Where GoSearch goes: a public search engine's start page.
inline QString searchPage()
{
    return QStringLiteral("https://duckduckgo.com/");
}

} // namespace corvane
