// The record reader on arbitrary bytes: every kind of read in an order the input chooses;
// and the mending of bytes that are not clean UTF-8: it gives clean UTF-8, and mending
// that again changes nothing.
#include "sys/TextRecords.h"

#include <QString>
#include <QStringDecoder>
#include <cstdio>
#include <cstdlib>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t ops = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    bool mended = false;
    const QByteArray clean = sys::mendText(bytes, mended);
    bool again = true;
    const bool stable = sys::mendText(clean, again) == clean && !again;
    QStringDecoder decoder(QStringDecoder::Utf8);
    (void)decoder.decode(clean);
    const bool utf8 = !decoder.hasError();
    if (!stable || !utf8 || (!mended && clean != bytes)) {
        std::fprintf(stderr, "invariant broken: mended text is clean UTF-8 and stays as it is\n");
        std::abort();
    }
    sys::RecordReader r(bytes);
    for (int i = 0; i < 4096 && !r.failed(); ++i) {
        QString s;
        qint16 a = 0;
        qint32 b = 0;
        qint64 c = 0;
        switch ((ops >> ((i % 4) * 2)) & 3) {
        case 0:
            r.readString(s);
            break;
        case 1:
            r.readInt16(a);
            break;
        case 2:
            r.readInt32(b);
            break;
        case 3:
            if (!r.readFlag(a))
                r.readNumber(c, -5, 5);
            break;
        }
        if (r.atEnd())
            break;
    }
    return 0;
}
