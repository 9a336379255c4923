// Site roots and short site names of addresses of every shape, and the typed-address rule.

#include "AddressRules.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace corvane;

namespace {

struct Shape {
    const char* url;
    const char* root;
    int hostLength;
    int firstDot;
    int secondDot;
    const char* shortName;
};

std::ostream& operator<<(std::ostream& os, const Shape& s)
{
    return os << s.url;
}

class SiteRootTest : public ::testing::TestWithParam<Shape> {};

TEST_P(SiteRootTest, RootHostPartAndShortName)
{
    const Shape& e = GetParam();
    const SiteRoot r = UrlSiteRootGet(QString::fromUtf8(e.url));
    EXPECT_EQ(r.root.toStdString(), e.root);
    EXPECT_EQ(r.hostLength, e.hostLength);
    EXPECT_EQ(r.firstDot, e.firstDot);
    EXPECT_EQ(r.secondDot, e.secondDot);
    EXPECT_EQ(UrlShortNameGet(r.root, r.hostLength, r.firstDot, r.secondDot).toStdString(), e.shortName);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, SiteRootTest,
    ::testing::Values(
        // "www", a seven-letter name and a three-letter suffix, then a path.
        Shape{"http://www.example.com/path/page.html", "http://www.example.com/", 16, 4, 11, "example.com"},
        // A four-letter word before the name: cut before the second dot.
        Shape{"http://news.example.com/today", "http://news.example.com/", 17, 5, 12, "news.example"},
        // Only a name and a suffix: the whole host, without its "/".
        Shape{"http://example.com/a/b", "http://example.com/", 12, 8, 0, "example.com"},
        Shape{"https://example.org/", "https://example.org/", 12, 8, 0, "example.org"},
        // Four numbers: three dots come before the third "/", the root ends at the third dot.
        Shape{"http://192.168.100.200/index.html", "http://192.168.100.", 12, 4, 7, "192.168"},
        Shape{"http://127.0.0.1:8080/a.html", "http://127.0.0.", 8, 4, 5, "127.0"},
        // Neither "/" nor ".": the address itself, no host, no name.
        Shape{"about:blank", "about:blank", 0, 0, 0, ""},
        Shape{"", "", 0, 0, 0, ""},
        // A local file: the scheme and its three slashes.
        Shape{"file:///home/ana/pages/index.html", "file:///", 1, 0, 0, ""},
        // No path at all: the walk ends with the address.
        Shape{"https://www.example.com", "https://www.example.com", 15, 4, 11, "example.com"},
        // A host without dots, with a port; dots in the path do not count.
        Shape{"http://localhost:8080/page.v2.html", "http://localhost:8080/", 15, 0, 0, "localhost:8080"},
        Shape{"http://www.example.com/a.b.c.d", "http://www.example.com/", 16, 4, 11, "example.com"},
        // Three dots in the host: the root ends at the third one, and so does the name.
        Shape{"https://www.example.co.uk/news", "https://www.example.co.", 15, 4, 11, "example.co."},
        Shape{"http://mail.example.co.uk/", "http://mail.example.co.", 16, 5, 12, "mail.example"},
        // "www" is compared exactly.
        Shape{"http://WWW.Example.com/", "http://WWW.Example.com/", 16, 4, 11, "WWW.Example"},
        // Dots before any "/" are counted from the start of the address.
        Shape{"www.example.com", "www.example.com", 0, 0, -1, ""}));

TEST(TypedAddressTest, BlanksGoAndHttpComesInFrontUnlessASchemeIsThere)
{
    const struct {
        const char* typed;
        const char* address;
    } cases[] = {
        {"www.example.com", "http://www.example.com"},
        {"  www.exa mple.com / a ", "http://www.example.com/a"},
        {"h ttp://www.example.com/", "http://www.example.com/"},
        {"http://www.example.com/", "http://www.example.com/"},
        {"https://www.example.com/", "https://www.example.com/"},
        {"https:/x", "https:/x"},
        {"file:///home/ana/a b.html", "file:///home/ana/ab.html"},
        // Only these three beginnings count, compared exactly.
        {"ftp://example.com/", "http://ftp://example.com/"},
        {"HTTP://example.com/", "http://HTTP://example.com/"},
        {"file:/x", "http://file:/x"},
        {"", "http://"},
        {"   ", "http://"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TypedAddressNormalize(QString::fromUtf8(c.typed)).toStdString(), c.address) << c.typed;
}

} // namespace
