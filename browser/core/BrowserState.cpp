#include "BrowserState.h"

#include "ActiveDeclaration.h"

namespace corvane {

void BrowserStateInit(BrowserSet& set, const OptionVars& opt, ListVars& lists)
{
    BrowserSetInit(set, opt);
    lists.BookmarkLastIndex = opt.BookmarkLastIndexSaved;
    lists.NotesLastIndex = opt.NotesLastIndexSaved;
    lists.ShowNotes = opt.ShowNotesAtStart;
}

void BrowserSetInit(BrowserSet& set, const OptionVars& opt)
{
    set.MainBrowserIndex = 0;
    set.HistoryLastIndex = 19;
    set.MenuOpenIndex = -1;
    set.BrowserReturnIndex = -1;
    set.LayoutTabLastIndex = -1;
    set.TabSlotUsed[0] = true;

    set.TabListAutoShow = true;
    set.PageMenuFollowsOption = true;
    set.MainBrowserCurrent = true;

    // Main browser 1 is navigated by the start-up itself; the others on their first show.
    for (int i = 1; i <= 6; ++i)
        set.MainBrowserNotShown[i] = true;

    HistoryMaskUnpack(set, opt.HistoryMask);
}

void HistoryMaskUnpack(BrowserSet& set, int mask)
{
    for (int i = 0; i <= 5; ++i) {
        const int bit = 1 << i;
        if (mask % (bit * 2) >= bit)
            set.MainBrowserKeepsHistory[i] = true;
    }
}

} // namespace corvane
