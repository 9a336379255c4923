// What a page on this computer may reach of the computer's other files.

#include "web/LocalPages.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Info = QWebEngineUrlRequestInfo;

namespace {

TEST(LocalPages, ALocalPageKeepsWhatShowsItAndNothingToReadOtherFilesWith)
{
    const QUrl page(u"file:///home/me/saved/page.html"_s);
    const QUrl local(u"file:///"_s);
    const QUrl nobody;
    const QUrl web(u"http://example.test/"_s);
    struct Row {
        const char* what;
        QString target;
        QUrl initiator;
        Info::ResourceType type;
        bool allowed;
    };
    const Row rows[] = {
        {"its picture", u"file:///home/me/saved/page_files/a.png"_s, local, Info::ResourceTypeImage, true},
        {"its style sheet", u"file:///home/me/saved/style.css"_s, local, Info::ResourceTypeStylesheet, true},
        {"its script", u"file:///home/me/saved/page_files/s.js"_s, local, Info::ResourceTypeScript, true},
        {"a picture elsewhere", u"file:///home/me/photo.jpg"_s, local, Info::ResourceTypeImage, false},
        {"a folder beside with a like name", u"file:///home/me/saved2/a.png"_s, local, Info::ResourceTypeImage,
         false},
        {"a climb out of its folder", u"file:///home/me/saved/../secret.png"_s, local, Info::ResourceTypeImage,
         false},
        {"fetch of a file", u"file:///etc/passwd"_s, local, Info::ResourceTypeXhr, false},
        {"fetch of its own folder", u"file:///home/me/saved/data.json"_s, local, Info::ResourceTypeXhr, false},
        {"a frame", u"file:///home/me/saved/other.html"_s, local, Info::ResourceTypeSubFrame, false},
        {"a worker", u"file:///home/me/saved/w.js"_s, local, Info::ResourceTypeWorker, false},
        {"a plug-in", u"file:///home/me/saved/x.pdf"_s, local, Info::ResourceTypeObject, false},
        {"a link in its window", u"file:///home/me/saved/next.html"_s, local, Info::ResourceTypeMainFrame, true},
        {"the user's address", u"file:///etc/passwd"_s, nobody, Info::ResourceTypeMainFrame, true},
        {"the web", u"http://example.test/x"_s, local, Info::ResourceTypeXhr, true},
        {"a web page's own fetch", u"http://example.test/x"_s, web, Info::ResourceTypeXhr, true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(vb::localRequestAllowed({QUrl(row.target), row.initiator, page, row.type}), row.allowed) << row.what;
}

} // namespace
