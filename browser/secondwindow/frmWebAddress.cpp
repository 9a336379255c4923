// The secondary window's site roots, short names, location lists and Tab List.

#include "frmWeb.h"

#include "AddressRules.h"

#include <algorithm>

namespace corvane {

void frmWeb::TabListRefresh()
{
    const int height = PopTabLastIndex * 16 + 33;
    FramePopList.setHeight(height);
    FramePopList.setTop(std::max(32, BandWithTabs - height));
    // Only the slots up to the highest in use are listed; a line left from a higher slot
    // closed since would show a tab that is gone. A line shows its number and the start of
    // its title; a title too long for it ends in "…" (the line shortens it), and its tool
    // tip is the whole title.
    for (int i = 1; i <= MaxPopTabs; ++i)
        TextPopList[i].setVisible(i <= PopTabLastIndex);
    for (int i = 1; i <= PopTabLastIndex; ++i) {
        TextPopList[i].setText(TabListLine(i));
        TextPopList[i].setSelStart(0);
        TextPopList[i].setToolTip(PopTabTitles[i]);
    }
    // "Keep Hidden" stands under the last line.
    CheckPopList.setTop(240 + PopTabLastIndex * 240);
}

QString frmWeb::TabListLine(int slot) const
{
    QString title = PopTabTitles[slot];
    if (title.size() > 20)
        title = title.left(18) + QStringLiteral("..");
    return QString::number(slot) + QStringLiteral(". ") + title;
}

void frmWeb::SlotTitleShow(int slot)
{
    if (slot < 1 || slot > MaxPopTabs)
        return;
    const vb::WebBrowser* b = BrowserPop.find(slot);
    const QString name = UrlShortNameGet(UrlSiteRootGet(b ? b->locationURL() : QString()));
    PopTabTitles[slot] = name;
    CommandPopNew[slot].setToolTip(name);
    CommandPopComNew[slot].setToolTip(name);
    if (slot <= PopTabLastIndex) {
        TextPopList[slot].setText(TabListLine(slot));
        TextPopList[slot].setSelStart(0);
        TextPopList[slot].setToolTip(name);
    }
}

// Every site once a slot, in the order visited; nothing is kept beyond the window. A page
// without an address has no site to list.
void frmWeb::LocationListAdd(const QString& address)
{
    vb::ComboBox* box = ComboPopLocation.find(PopTabCurrent);
    if (!box || address.isEmpty())
        return;
    if (box->items().contains(address))
        return;
    box->addItem(address);
    if (PopBarIndex == 1)
        ComboPopComLocation.addItem(address);
}

} // namespace corvane
