#pragma once
// What a page on this computer (a file: address: a saved page, a downloaded one, the
// program's own site) may reach of this computer's other files. The engine lets every
// local page read every local file, and the profile lets local pages reach the web (their
// links to web addresses and their pictures there need it), so a local page could read the
// user's files and send them away. Here a local page keeps what it needs to be shown:
// its pictures, style sheets, scripts, fonts and media from its own folder and below, and
// links to other local pages in its own window; and nothing to read other local files
// with: no fetch() or XMLHttpRequest, no frames, workers or plug-ins, no local page in a
// window it opened (the opener could read it).

#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

namespace vb {

struct LocalRequest {
    QUrl target;
    // The origin of the document that asks ("file:///" for every local page), empty when
    // the user or the program asks (a typed address).
    QUrl initiator;
    // The address of the page in the window.
    QUrl page;
    QWebEngineUrlRequestInfo::ResourceType type = QWebEngineUrlRequestInfo::ResourceTypeUnknown;
};

bool localRequestAllowed(const LocalRequest& request);

// Whether a page may come into a window: one a local page opened takes no local page until
// the user navigates it (the opener could read that page through its window).
bool localWindowAllowed(const QUrl& target, bool openedByLocalPage);

// Applies the request rule to one page's requests; a child of the page, so that it outlives
// it. (The first load of a window another page opened does not pass here: the window rule
// is the page's, at its navigation request.)
class LocalPageRule : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

} // namespace vb
