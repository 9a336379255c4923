#include "web/LocalPages.h"

#include <QDir>
#include <QFileInfo>

namespace vb {

namespace {

using Info = QWebEngineUrlRequestInfo;

// What shows a page: these load from its own folder and below.
bool showsThePage(Info::ResourceType type)
{
    switch (type) {
    case Info::ResourceTypeStylesheet:
    case Info::ResourceTypeScript:
    case Info::ResourceTypeImage:
    case Info::ResourceTypeFontResource:
    case Info::ResourceTypeMedia:
    case Info::ResourceTypeFavicon:
        return true;
    default:
        return false;
    }
}

bool inFolderOf(const QUrl& target, const QUrl& page)
{
    if (!page.isLocalFile())
        return false;
    const QString folder = QDir::cleanPath(QFileInfo(page.toLocalFile()).absolutePath());
    const QString path = QDir::cleanPath(target.toLocalFile());
    return path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

} // namespace

bool localWindowAllowed(const QUrl& target, bool openedByLocalPage)
{
    return !openedByLocalPage || !target.isLocalFile();
}

bool localRequestAllowed(const LocalRequest& request)
{
    if (!request.target.isLocalFile() || request.initiator.scheme() != QLatin1String("file"))
        return true;
    if (request.type == Info::ResourceTypeMainFrame)
        return true;
    return showsThePage(request.type) && inFolderOf(request.target, request.page);
}

void LocalPageRule::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    const LocalRequest request{info.requestUrl(), info.initiator(), info.firstPartyUrl(), info.resourceType()};
    if (!localRequestAllowed(request))
        info.block(true);
}

} // namespace vb
