#include "DemoAddress.h"

namespace corvanehelp {

namespace {
const QString BackLeaf = QStringLiteral("previous.html");
const QString ForwardLeaf = QStringLiteral("next.html");
} // namespace

QString ExampleAddressMake(const QString& word, int number, const QString& leaf)
{
    QString host = word.toLower();
    if (number > 0)
        host += QString::number(number);
    return QStringLiteral("http://www.") + host + QStringLiteral(".example/") + leaf;
}

QString DemoSiteAddress()
{
    return QStringLiteral("http://www.velmora.example/Corvane.html");
}

QString DemoDownloadAddress()
{
    return QStringLiteral("http://www.downloads.example/velmora/");
}

QString DemoCurrentPage()
{
    return ExampleAddressMake(QStringLiteral("ExamplePage"));
}

QString DemoBackPage()
{
    return ExampleAddressMake(QStringLiteral("ExamplePage"), 0, BackLeaf);
}

QString DemoForwardPage()
{
    return ExampleAddressMake(QStringLiteral("ExamplePage"), 0, ForwardLeaf);
}

QString DemoSearchPage()
{
    return ExampleAddressMake(QStringLiteral("SearchPage"), 0, QStringLiteral("find.html"));
}

QString DemoBrowserPage(int n)
{
    return ExampleAddressMake(QStringLiteral("BrowserPage"), n);
}

QString DemoTabPage(int n)
{
    return ExampleAddressMake(QStringLiteral("TabPage"), n);
}

QString DemoBrowserBackPage(int n)
{
    return ExampleAddressMake(QStringLiteral("Browser"), n, BackLeaf);
}

QString DemoBrowserForwardPage(int n)
{
    return ExampleAddressMake(QStringLiteral("Browser"), n, ForwardLeaf);
}

QString DemoTabBackPage(int n)
{
    return ExampleAddressMake(QStringLiteral("Tab"), n, BackLeaf);
}

QString DemoTabForwardPage(int n)
{
    return ExampleAddressMake(QStringLiteral("Tab"), n, ForwardLeaf);
}

} // namespace corvanehelp
