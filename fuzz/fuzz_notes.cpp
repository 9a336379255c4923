// The notes loader on arbitrary bytes as its file, as for bookmarks.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in = fuzz::split(data, size);
    fuzz::State a(in.onMedia);
    a.opt.NotesLastIndexSaved = in.lastIndex;
    corvane::velmora::NotesRead(sys::RecordReader(in.file), a.ctx());
    const int n = a.hid.ComboNotePage.ListCount();
    fuzz::check(n == a.hid.ComboNoteThis.ListCount(), "parallel lists");
    fuzz::check(a.lists.NotesLastIndex == n - 1, "working last index");
    fuzz::check(a.hid.ComboNotePage.ListIndex() == -1, "no selection");
    for (int i = 0; i < n; ++i)
        fuzz::check(fuzz::cleanText(a.hid.ComboNotePage.List(i), in.file) && fuzz::cleanText(a.hid.ComboNoteThis.List(i), in.file),
                    "no control or replacement character");

    fuzz::State more(in.onMedia);
    corvane::velmora::NotesRead(sys::RecordReader(in.file + "\n\"http://last/\",\"last\"\n"), more.ctx());
    fuzz::check(more.hid.ComboNotePage.ListCount() == n + 1 && more.hid.ComboNoteThis.List(n) == QStringLiteral("last"),
                "a damaged record swallows no other");

    const QByteArray written = corvane::velmora::NotesWrite(a.ctx());
    fuzz::State b(in.onMedia);
    corvane::velmora::NotesRead(sys::RecordReader(written), b.ctx());
    fuzz::check(b.hid.ComboNotePage.ListCount() == n, "every note comes back");
    fuzz::check(corvane::velmora::NotesWrite(b.ctx()) == written, "second save writes the same file");
    return 0;
}
