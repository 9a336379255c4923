// The settings loader on arbitrary bytes as its file: whatever it reads lies in range, a
// damaged file names only items the user knows and does not count the lists, and what it
// then writes reads back as the same options.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in = fuzz::split(data, size);
    fuzz::State a(in.onMedia);
    const corvane::SettingsForm read = corvane::velmora::SettingsRead(sys::RecordReader(in.file), a.ctx());
    const corvane::OptionVars& o = a.opt;
    fuzz::check(read != corvane::SettingsForm::Defaults, "a file is no missing file");
    fuzz::check(read == corvane::SettingsForm::Damaged || a.files.settingsReset.isEmpty(), "only a damaged file resets");
    fuzz::check(read != corvane::SettingsForm::Damaged || (!a.files.marksCounted && !a.files.notesCounted),
                "a damaged file counts no list");
    fuzz::check(a.files.settingsReset.size() <= 12, "at most the twelve named items");
    fuzz::check(o.MainBrowserLastIndex >= 0 && o.MainBrowserLastIndex <= 5, "main browser last index");
    fuzz::check(o.HistoryMask >= 0 && o.HistoryMask <= 63, "history mask");
    fuzz::check(o.BookmarkLastIndexSaved >= -1 && o.NotesLastIndexSaved >= -1, "last indices");
    for (const QString& page : o.MainBrowserHomePages)
        fuzz::check(!page.isEmpty() && fuzz::cleanText(page, in.file), "home page");

    a.lists.BookmarkLastIndex = o.BookmarkLastIndexSaved;
    a.lists.NotesLastIndex = o.NotesLastIndexSaved;
    const QByteArray written = corvane::velmora::SettingsWrite(a.ctx());
    fuzz::State b(in.onMedia);
    const corvane::SettingsForm form = corvane::velmora::SettingsRead(sys::RecordReader(written), b.ctx());
    fuzz::check(form == corvane::SettingsForm::Current, "written file reads as the current form");
    fuzz::check(b.opt.ExitCount == o.ExitCount && b.opt.HistoryMask == o.HistoryMask &&
                    b.opt.BookmarkLastIndexSaved == o.BookmarkLastIndexSaved &&
                    b.opt.MainBrowserLastIndex == o.MainBrowserLastIndex && b.opt.ShowNotesAtStart == o.ShowNotesAtStart,
                "options survive a save");
    b.lists = a.lists;
    fuzz::check(corvane::velmora::SettingsWrite(b.ctx()) == written, "second save writes the same file");
    return 0;
}
