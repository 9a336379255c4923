#pragma once
// Site roots and short site names of addresses, and the typed-address rules.

#include <QString>

namespace corvane {

// The site of an address: its scheme and host (with the port) and the "/" after them,
// "http://127.0.0.1:8080/" for "http://127.0.0.1:8080/a.html". Scheme and host are written
// in lower case; a user name or password in front of the host is left out. An address
// without a "scheme://" part has no host: it is cut after its third "/", if it has one.
QString UrlSiteRootGet(const QString& url);
// The site's short name (tab titles, window captions), from its root: the host without a
// leading "www" and its dot, otherwise cut before its second dot; a host given by number
// stays whole; a port follows after ":". Empty for a root without a host.
QString UrlShortNameGet(const QString& siteRoot);
// A site root read from a kept history file. Older files hold roots cut at a dot inside the
// host ("http://127.0.0."), which name no site: those give "". Any other web address gives
// its site root; an entry that is no web address is left as it is.
QString SiteRootMend(const QString& stored);

// Blanks removed; "http://" in front unless the text begins with "file://", "http://" or
// "https:/" (exact, case-sensitive).
QString TypedAddressNormalize(const QString& text);
// True when the text begins with a scheme and "://" ("file:///", "HTTPS://", "ftp://").
bool AddressHasScheme(const QString& text);

} // namespace corvane
