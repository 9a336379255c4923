#pragma once
// The made-up addresses the imitation's location box shows. None names a real site: the
// web scheme, a host made of a page word and (for a browser or a tab) its number 1..6 on
// the reserved ".example" domain, and a last word.

#include <QString>

namespace corvanehelp {

// "http://www." & word (lower case) & number (when > 0) & ".example/" & leaf.
QString ExampleAddressMake(const QString& word, int number = 0, const QString& leaf = QStringLiteral("index.html"));

// The location box's list: the product's page and a download site.
QString DemoSiteAddress();
QString DemoDownloadAddress();

// The page shown in the overview and the Navigation topic, and its Back, Forward and
// Search pages.
QString DemoCurrentPage();
QString DemoBackPage();
QString DemoForwardPage();
QString DemoSearchPage();

// The page of main browser n and of tab n (n = 1..6), and their Back and Forward pages.
QString DemoBrowserPage(int n);
QString DemoTabPage(int n);
QString DemoBrowserBackPage(int n);
QString DemoBrowserForwardPage(int n);
QString DemoTabBackPage(int n);
QString DemoTabForwardPage(int n);

} // namespace corvanehelp
