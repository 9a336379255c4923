#include "AddressRules.h"

namespace corvane {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The length of the scheme in front of "://", 0 when the text does not begin with one.
qsizetype schemeLength(const QString& text)
{
    const qsizetype end = text.indexOf(QLatin1String("://"));
    if (end <= 0 || !isAsciiLetter(text.front()))
        return 0;
    for (qsizetype i = 1; i < end; ++i) {
        const QChar c = text.at(i);
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != u'+' && c != u'-' && c != u'.')
            return 0;
    }
    return end;
}

// The parts of an address that name its site.
struct Site {
    bool hasHost = false; // the address has a "scheme://" part
    QString scheme;
    QString host; // "[...]" kept around an IPv6 address
    QString port;
};

Site siteOf(const QString& url)
{
    Site site;
    const qsizetype schemeEnd = schemeLength(url);
    if (schemeEnd == 0)
        return site;
    site.hasHost = true;
    site.scheme = url.left(schemeEnd).toLower();
    const qsizetype start = schemeEnd + 3;
    qsizetype end = start;
    while (end < url.size() && url.at(end) != u'/' && url.at(end) != u'?' && url.at(end) != u'#')
        ++end;
    QString authority = url.mid(start, end - start);
    // A user name and password are no part of the site, and are not to be kept in lists.
    const qsizetype at = authority.lastIndexOf(u'@');
    if (at >= 0)
        authority.remove(0, at + 1);
    qsizetype colon = -1;
    if (authority.startsWith(u'[')) {
        const qsizetype close = authority.indexOf(u']');
        if (close >= 0 && close + 1 < authority.size() && authority.at(close + 1) == u':')
            colon = close + 1;
    } else {
        colon = authority.indexOf(u':');
    }
    if (colon >= 0) {
        site.port = authority.mid(colon + 1);
        authority.truncate(colon);
    }
    site.host = authority.toLower();
    return site;
}

// A host written as a number: IPv4 digits and dots, or an IPv6 address in brackets.
bool numericHost(const QString& host)
{
    if (host.startsWith(u'['))
        return true;
    for (QChar c : host)
        if (!isAsciiDigit(c) && c != u'.')
            return false;
    return !host.isEmpty();
}

} // namespace

QString UrlSiteRootGet(const QString& url)
{
    const Site site = siteOf(url);
    if (!site.hasHost) {
        // No host to name: the address up to and including its third "/".
        int slashes = 0;
        for (qsizetype i = 0; i < url.size(); ++i)
            if (url.at(i) == u'/' && ++slashes == 3)
                return url.left(i + 1);
        return url;
    }
    QString root = site.scheme + QLatin1String("://") + site.host;
    if (!site.port.isEmpty())
        root += u':' + site.port;
    return root + u'/';
}

QString UrlShortNameGet(const QString& siteRoot)
{
    const Site site = siteOf(siteRoot);
    QString host = site.host;
    // "example.com." is "example.com" written in full.
    while (host.endsWith(u'.'))
        host.chop(1);
    QString name;
    if (numericHost(host)) {
        // Two groups of an address by number tell the user nothing.
        name = host;
    } else if (host.startsWith(QLatin1String("www")) && host.contains(u'.')) {
        name = host.mid(host.indexOf(u'.') + 1);
    } else {
        const qsizetype first = host.indexOf(u'.');
        const qsizetype second = first < 0 ? -1 : host.indexOf(u'.', first + 1);
        name = second < 0 ? host : host.left(second);
    }
    if (!name.isEmpty() && !site.port.isEmpty())
        name += u':' + site.port;
    return name;
}

QString SiteRootMend(const QString& stored)
{
    const Site site = siteOf(stored);
    if (site.scheme != QLatin1String("http") && site.scheme != QLatin1String("https"))
        return stored;
    // A root the old rule stopped at a dot has no "/" after its host, and ends in that dot.
    if (stored.endsWith(u'.') && stored.indexOf(u'/', schemeLength(stored) + 3) < 0)
        return QString();
    return UrlSiteRootGet(stored);
}

QString TypedAddressNormalize(const QString& text)
{
    QString address = text;
    address.remove(QLatin1Char(' '));
    const QString head = address.left(7);
    if (head != QLatin1String("file://") && head != QLatin1String("http://") && head != QLatin1String("https:/"))
        address.prepend(QLatin1String("http://"));
    return address;
}

bool AddressHasScheme(const QString& text)
{
    return schemeLength(text) > 0;
}

} // namespace corvane
