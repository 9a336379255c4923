// The bookmark loader on arbitrary bytes as its file: the two lists stay parallel, the
// working last index matches them, and a save reads back as the same bookmarks.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in = fuzz::split(data, size);
    fuzz::State a(in.onMedia);
    a.opt.BookmarkCountKnown = in.countKnown;
    a.opt.BookmarkLastIndexSaved = in.lastIndex;
    corvane::velmora::BookmarksRead(sys::RecordReader(in.file), a.ctx());
    const int n = a.hid.ComboMarkName.ListCount();
    fuzz::check(n == a.hid.ComboMarkAddress.ListCount(), "parallel lists");
    fuzz::check(a.lists.BookmarkLastIndex == n - 1, "working last index");
    if (in.countKnown)
        fuzz::check(n <= in.lastIndex + 1, "no more records than the count");

    const QByteArray written = corvane::velmora::BookmarksWrite(a.ctx());
    fuzz::State b(in.onMedia);
    corvane::velmora::BookmarksRead(sys::RecordReader(written), b.ctx());
    fuzz::check(b.hid.ComboMarkName.ListCount() == n, "every bookmark comes back");
    fuzz::check(corvane::velmora::BookmarksWrite(b.ctx()) == written, "second save writes the same file");
    return 0;
}
