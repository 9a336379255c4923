#pragma once
// Site roots and short site names of addresses, and the typed-address rule.

#include <QString>

namespace corvane {

struct SiteRoot {
    QString root;       // up to and including the third "/", or the third "." if earlier
    int hostLength = 0; // characters taken after the second "/", the third "/" included
    int firstDot = 0;   // position of the first "." within that host part
    int secondDot = 0;  // position just before the second ".", 0 with fewer than two dots
};

SiteRoot UrlSiteRootGet(const QString& url);
// The host without a leading "www" and its dot, else cut before its second dot; no "/".
QString UrlShortNameGet(const QString& siteRoot, int hostLength, int firstDot, int secondDot);
// Blanks removed; "http://" in front unless the text begins with "file://", "http://" or
// "https:/" (exact, case-sensitive).
QString TypedAddressNormalize(const QString& text);

} // namespace corvane
