// The history loader on arbitrary bytes as its file: at most 20 entries per browser, no
// empty entry, and a save always writes 20 records of six addresses that read back.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in = fuzz::split(data, size);
    fuzz::State a(in.onMedia);
    a.opt.HistoryMask = (in.lastIndex + 1) & 63;
    corvane::velmora::HistoryRead(sys::RecordReader(in.file), a.ctx());
    for (int k = 0; k < 6; ++k) {
        const corvane::HidList& list = a.hid.ComboLocation[size_t(k)];
        fuzz::check(list.ListCount() <= 20, "at most 20 entries");
        for (const QString& e : list.items())
            fuzz::check(!e.isEmpty(), "no empty entry");
    }
    if (a.opt.HistoryMask == 0)
        return 0;
    const QByteArray written = corvane::velmora::HistoryWrite(a.ctx());
    sys::RecordReader r(written);
    QString s;
    for (int i = 0; i < 120; ++i)
        fuzz::check(r.readString(s), "120 items");
    fuzz::check(r.atEnd(), "nothing more");
    fuzz::State b(in.onMedia);
    b.opt.HistoryMask = a.opt.HistoryMask;
    corvane::velmora::HistoryRead(sys::RecordReader(written), b.ctx());
    fuzz::check(corvane::velmora::HistoryWrite(b.ctx()) == written, "second save writes the same file");
    return 0;
}
