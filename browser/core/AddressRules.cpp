#include "AddressRules.h"

namespace corvane {

SiteRoot UrlSiteRootGet(const QString& url)
{
    SiteRoot r;
    int slashes = 0;
    int dots = 0;
    for (QChar c : url) {
        if (slashes < 3)
            r.root += c;
        if (slashes == 2)
            ++r.hostLength;
        if (c == QLatin1Char('.'))
            ++dots;
        if (dots == 1 && r.firstDot == 0)
            r.firstDot = r.hostLength;
        if (dots == 2 && r.secondDot == 0)
            r.secondDot = r.hostLength - 1;
        if (dots == 3)
            break;
        if (c == QLatin1Char('/'))
            ++slashes;
        if (slashes == 3)
            break;
    }
    return r;
}

QString UrlShortNameGet(const QString& siteRoot, int hostLength, int firstDot, int secondDot)
{
    const QString host = siteRoot.right(std::max(0, hostLength));
    const int n = static_cast<int>(host.size());
    QString name;
    if (host.startsWith(QLatin1String("www")))
        name = host.right(std::max(0, n - firstDot));
    else
        name = secondDot > 0 ? host.left(secondDot) : host;
    if (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    return name;
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

} // namespace corvane
