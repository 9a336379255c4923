// The record reader on arbitrary bytes: every kind of read in an order the input chooses.
#include "sys/TextRecords.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t ops = data[0];
    sys::RecordReader r(QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
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
