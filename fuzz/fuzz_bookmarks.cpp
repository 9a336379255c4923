// The bookmark loader on arbitrary bytes as its file: the two lists stay parallel, the
// working last index matches them, no name or address holds a control character, a count
// of 0 or more changes nothing and -1 from settings read whole means no list, a damaged record
// never takes the one after it, a merge keeps the other copy's records and this run's
// additions, and a save reads back as the same bookmarks.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in = fuzz::split(data, size);
    fuzz::State a(in.onMedia);
    a.opt.BookmarkLastIndexSaved = in.lastIndex;
    corvane::velmora::BookmarksRead(sys::RecordReader(in.file), a.ctx());
    const int n = a.hid.ComboMarkName.ListCount();
    fuzz::check(n == a.hid.ComboMarkAddress.ListCount(), "parallel lists");
    fuzz::check(a.lists.BookmarkLastIndex == n - 1, "working last index");
    for (int i = 0; i < n; ++i)
        fuzz::check(fuzz::cleanText(a.hid.ComboMarkName.List(i), in.file) && fuzz::cleanText(a.hid.ComboMarkAddress.List(i), in.file),
                    "no control or replacement character");

    // A settings file read whole that counts the list as none: the file is not read.
    fuzz::State counted(in.onMedia);
    counted.files.marksCounted = true;
    counted.opt.BookmarkLastIndexSaved = in.countKnown ? -1 : 0;
    corvane::velmora::BookmarksRead(sys::RecordReader(in.file), counted.ctx());
    fuzz::check(counted.hid.ComboMarkName.ListCount() == (in.countKnown ? 0 : n), "-1 means no list");

    // The file holds its own end: the count the settings gave is only a hint.
    fuzz::State hint(in.onMedia);
    hint.opt.BookmarkLastIndexSaved = in.countKnown ? 0 : -1;
    corvane::velmora::BookmarksRead(sys::RecordReader(in.file), hint.ctx());
    fuzz::check(hint.hid.ComboMarkName.items() == a.hid.ComboMarkName.items(), "the count cuts nothing");

    // A good record after whatever the file holds is read as the last bookmark.
    fuzz::State more(in.onMedia);
    corvane::velmora::BookmarksRead(sys::RecordReader(in.file + "\r\n\"Last\",\"http://last/\"\r\n"), more.ctx());
    fuzz::check(more.hid.ComboMarkName.ListCount() == n + 1 && more.hid.ComboMarkName.List(n) == QStringLiteral("Last") &&
                    more.hid.ComboMarkAddress.List(n) == QStringLiteral("http://last/"),
                "a damaged record swallows no other");

    // Merging into a file another copy saved: without a change of this run the other
    // copy's records stand; a bookmark this run added comes in after them.
    using corvane::velmora::PairList;
    const PairList base{a.hid.ComboMarkName.items(), a.hid.ComboMarkAddress.items()};
    const PairList theirs{more.hid.ComboMarkName.items(), more.hid.ComboMarkAddress.items()};
    fuzz::check(corvane::velmora::PairsMerge(base, base, theirs, 1, false) == theirs, "no change keeps theirs");
    if (!base.second.contains(QStringLiteral("http://added/"))) {
        PairList mine = base;
        mine.first.append(QStringLiteral("Added"));
        mine.second.append(QStringLiteral("http://added/"));
        PairList expected = theirs;
        expected.first.append(QStringLiteral("Added"));
        expected.second.append(QStringLiteral("http://added/"));
        fuzz::check(corvane::velmora::PairsMerge(base, mine, theirs, 1, false) == expected, "an addition comes in");
    }

    const QByteArray written = corvane::velmora::BookmarksWrite(a.ctx());
    fuzz::State b(in.onMedia);
    corvane::velmora::BookmarksRead(sys::RecordReader(written), b.ctx());
    fuzz::check(b.hid.ComboMarkName.ListCount() == n, "every bookmark comes back");
    fuzz::check(corvane::velmora::BookmarksWrite(b.ctx()) == written, "second save writes the same file");
    return 0;
}
