#include "TextRecords.h"

#include <QFile>
#include <QSaveFile>

#include <sys/mman.h>
#include <sys/stat.h>

#include <cstring>

#include <limits>

namespace sys {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

// A plain decimal integer with an optional sign; anything else is not a number.
bool parseInteger(const QByteArray& text, qint64& out)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i == text.size())
        return false;
    for (qsizetype j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9')
            return false;
    bool ok = false;
    out = text.toLongLong(&ok, 10);
    return ok;
}

// Windows-1252's characters for the bytes 0x80..0x9F; 0 where it has none.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

// Tab, CR and LF belong to the format; every other control character is noise in a
// name, an address or a home page.
bool isDroppedControl(uchar c)
{
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
}

// A C1 control character (U+0080..U+009F) in UTF-8: C2 80..C2 9F.
bool isC1(const uchar* p)
{
    return p[0] == 0xC2 && p[1] < 0xA0;
}

// Length of the well-formed UTF-8 sequence at p (n bytes left); 0 when there is none.
int utf8SequenceLength(const uchar* p, qsizetype n)
{
    const uchar c = p[0];
    auto cont = [p, n](int i) { return i < n && (p[i] & 0xC0) == 0x80; };
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return cont(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(1) || !cont(2) || (c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] >= 0xA0))
            return 0;  // overlong, or a surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3) || (c == 0xF0 && p[1] < 0x90) || (c == 0xF4 && p[1] >= 0x90))
            return 0;  // overlong, or beyond U+10FFFF
        return 4;
    }
    return 0;
}

enum class TextKind { Clean, Utf8WithControls, NotUtf8 };

// Eight bytes of printable ASCII: no byte with its high bit set, below 0x20 or 0x7F.
bool printableAscii(quint64 w)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 highs = 0x8080808080808080ULL;
    const quint64 below20 = (w - 0x20 * ones) & ~w & highs;
    const quint64 del = ((w ^ 0x7F * ones) - ones) & ~(w ^ 0x7F * ones) & highs;
    return ((w & highs) | below20 | del) == 0;
}

TextKind classify(const QByteArray& data)
{
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype n = data.size();
    bool controls = false;
    for (qsizetype i = 0; i < n;) {
        quint64 w = 0;
        if (i + 8 <= n && (std::memcpy(&w, p + i, 8), printableAscii(w))) {
            i += 8;
            continue;
        }
        const uchar c = p[i];
        if (c >= 0x20 && c < 0x7F) {
            ++i;
            continue;
        }
        if (c < 0x80) {
            controls = controls || isDroppedControl(c);
            ++i;
            continue;
        }
        const int len = utf8SequenceLength(p + i, n - i);
        if (len == 0)
            return TextKind::NotUtf8;
        controls = controls || (len == 2 && isC1(p + i));
        i += len;
    }
    return controls ? TextKind::Utf8WithControls : TextKind::Clean;
}

QByteArray withoutControls(const QByteArray& data)
{
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype n = data.size();
    QByteArray out;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] >= 0x80 && i + 1 < n && isC1(p + i)) {
            ++i;
            continue;
        }
        if (!isDroppedControl(p[i]))
            out.append(char(p[i]));
    }
    return out;
}

QByteArray fromWindows1252(const QByteArray& data)
{
    QString text;
    text.reserve(data.size());
    for (const char ch : data) {
        const uchar c = uchar(ch);
        if (c < 0x80) {
            if (!isDroppedControl(c))
                text.append(QChar(char16_t(c)));
        } else if (c < 0xA0) {
            // The five bytes the code page leaves undefined are dropped with the controls.
            if (const char16_t u = kCp1252High[c - 0x80])
                text.append(QChar(u));
        } else {
            text.append(QChar(char16_t(c)));
        }
    }
    return text.toUtf8();
}

std::optional<FileIdentity> identityOf(const struct stat& st)
{
    return FileIdentity{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
                        qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::optional<FileIdentity> identityOfHandle(int fd)
{
    struct stat st = {};
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

} // namespace

std::optional<FileIdentity> FileIdentity::of(const QString& path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

QByteArray mendText(QByteArray data, bool& mended)
{
    switch (classify(data)) {
    case TextKind::Clean:
        mended = false;
        return data;
    case TextKind::Utf8WithControls:
        mended = true;
        return withoutControls(data);
    case TextKind::NotUtf8:
        break;
    }
    mended = true;
    return fromWindows1252(data);
}

RecordReader::RecordReader(QByteArray data)
{
    bool mended = false;
    m_data = mendText(std::move(data), mended);
    m_mended = mended;
    if (m_data.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
}

std::optional<RecordReader> RecordReader::fromFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The identity of what is read, even when the path is replaced meanwhile.
    const std::optional<FileIdentity> identity = identityOfHandle(f.handle());
    const qint64 size = f.size();
    // A large list file is read into memory that is mapped in one go: touching a fresh
    // buffer page by page costs more than reading it.
    constexpr qint64 LargeFile = 1 << 20;
    if (size >= LargeFile && size < (qint64(1) << 31)) {
        void* buffer = ::mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (buffer != MAP_FAILED) {
            std::shared_ptr<void> owner(buffer, [size](void* p) { ::munmap(p, size_t(size)); });
            qint64 done = 0;
            while (done < size) {
                const qint64 n = f.read(static_cast<char*>(buffer) + done, size - done);
                if (n <= 0)
                    break;
                done += n;
            }
            if (f.error() != QFileDevice::NoError)
                return std::nullopt;
            RecordReader reader(QByteArray::fromRawData(static_cast<const char*>(buffer), done));
            reader.m_owner = std::move(owner);
            reader.m_identity = identity;
            return reader;
        }
    }
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    RecordReader reader(std::move(data));
    reader.m_identity = identity;
    return reader;
}

bool RecordReader::atEnd() const
{
    for (qsizetype i = m_pos; i < m_data.size(); ++i)
        if (!isBlank(std::as_const(m_data)[i]) && !isLineBreak(std::as_const(m_data)[i]))
            return false;
    return true;
}

// Takes the next item and moves past its terminator (a comma or one line break).
bool RecordReader::nextRawItem(QByteArray& item, bool& quoted)
{
    if (m_failed)
        return false;
    const qsizetype n = m_data.size();
    // Line breaks between records separate items like commas do; blank lines are no items.
    while (m_pos < n && (isBlank(std::as_const(m_data)[m_pos]) || isLineBreak(std::as_const(m_data)[m_pos])))
        ++m_pos;
    if (m_pos >= n) {
        m_failed = true;
        return false;
    }

    auto skipTerminator = [&] {
        if (m_pos >= n)
            return;
        if (std::as_const(m_data)[m_pos] == ',') {
            ++m_pos;
        } else if (std::as_const(m_data)[m_pos] == '\r') {
            ++m_pos;
            if (m_pos < n && std::as_const(m_data)[m_pos] == '\n')
                ++m_pos;
        } else if (std::as_const(m_data)[m_pos] == '\n') {
            ++m_pos;
        }
    };

    if (std::as_const(m_data)[m_pos] == '"') {
        const qsizetype close = m_data.indexOf('"', m_pos + 1);
        if (close < 0) {
            m_failed = true;
            return false;
        }
        item = m_data.mid(m_pos + 1, close - m_pos - 1);
        quoted = true;
        // Whatever follows the closing quote up to the terminator is not part of the item.
        m_pos = close + 1;
        while (m_pos < n && std::as_const(m_data)[m_pos] != ',' && !isLineBreak(std::as_const(m_data)[m_pos]))
            ++m_pos;
        skipTerminator();
        return true;
    }

    const qsizetype start = m_pos;
    while (m_pos < n && std::as_const(m_data)[m_pos] != ',' && !isLineBreak(std::as_const(m_data)[m_pos]))
        ++m_pos;
    item = m_data.mid(start, m_pos - start).trimmed();
    quoted = false;
    skipTerminator();
    return true;
}

// Takes the next line that holds anything and hands each item of it to onItem(begin,
// length, quoted, closed): a quoted item without its text's quotes, a bare one trimmed. A
// quote that is not closed on its line makes a last item that is not closed. False when
// only blanks and line breaks are left.
template <typename OnItem>
bool RecordReader::scanLine(OnItem onItem)
{
    const char* d = m_data.constData();
    const qsizetype n = m_data.size();
    while (m_pos < n && (isBlank(d[m_pos]) || isLineBreak(d[m_pos])))
        ++m_pos;
    if (m_pos >= n)
        return false;
    qsizetype lineEnd = m_pos;
    while (lineEnd < n && !isLineBreak(d[lineEnd]))
        ++lineEnd;

    qsizetype p = m_pos;
    for (;;) {
        while (p < lineEnd && isBlank(d[p]))
            ++p;
        if (p < lineEnd && d[p] == '"') {
            const void* close = std::memchr(d + p + 1, '"', size_t(lineEnd - p - 1));
            if (!close) {
                onItem(d + p + 1, lineEnd - p - 1, true, false);
                break;
            }
            const qsizetype end = static_cast<const char*>(close) - d;
            onItem(d + p + 1, end - p - 1, true, true);
            // Whatever follows the closing quote up to the comma is not part of the item.
            p = end + 1;
            while (p < lineEnd && d[p] != ',')
                ++p;
        } else {
            const qsizetype start = p;
            while (p < lineEnd && d[p] != ',')
                ++p;
            const QByteArrayView item = QByteArrayView(d + start, p - start).trimmed();
            onItem(item.data(), item.size(), false, true);
        }
        if (p >= lineEnd)
            break;
        ++p;  // the comma
    }
    m_pos = lineEnd;
    return true;
}

bool RecordReader::readRecord(QStringList& items, bool& damaged)
{
    items.clear();
    damaged = false;
    return scanLine([&](const char* begin, qsizetype length, bool, bool closed) {
        if (closed)
            items.append(QString::fromUtf8(begin, length));
        else
            damaged = true;
    });
}

bool RecordReader::readLineItems(QList<LineItem>& items)
{
    items.clear();
    return scanLine([&](const char* begin, qsizetype length, bool quoted, bool closed) {
        items.append(LineItem{QString::fromUtf8(begin, length), quoted, closed});
    });
}

qsizetype RecordReader::countRecords(int width)
{
    qsizetype count = 0;
    int items = 0;
    const auto onItem = [&items](const char*, qsizetype, bool, bool closed) { items += closed ? 1 : 0; };
    for (items = 0; scanLine(onItem); items = 0)
        count += items >= width ? 1 : 0;
    return count;
}

bool RecordReader::readString(QString& out)
{
    QByteArray item;
    bool quoted = false;
    if (!nextRawItem(item, quoted))
        return false;
    out = QString::fromUtf8(item);
    return true;
}

bool RecordReader::readNumber(qint64& out, qint64 min, qint64 max)
{
    QByteArray item;
    bool quoted = false;
    if (!nextRawItem(item, quoted))
        return false;
    qint64 value = 0;
    if (quoted || !parseInteger(item, value) || value < min || value > max) {
        m_failed = true;
        return false;
    }
    out = value;
    return true;
}

bool RecordReader::readInt16(qint16& out)
{
    qint64 v = 0;
    if (!readNumber(v, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()))
        return false;
    out = qint16(v);
    return true;
}

bool RecordReader::readInt32(qint32& out)
{
    qint64 v = 0;
    if (!readNumber(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
        return false;
    out = qint32(v);
    return true;
}

bool RecordReader::readFlag(qint16& out)
{
    qint16 v = 0;
    if (!readInt16(v))
        return false;
    out = v != 0 ? qint16(-1) : qint16(0);
    return true;
}

void RecordWriter::writeString(const QString& s)
{
    if (!m_atLineStart)
        m_data += ',';
    m_data += '"';
    m_data += s.toUtf8();
    m_data += '"';
    m_atLineStart = false;
}

void RecordWriter::writeNumber(qint64 n)
{
    if (!m_atLineStart)
        m_data += ',';
    m_data += QByteArray::number(n);
    m_atLineStart = false;
}

void RecordWriter::writeFlag(bool f)
{
    writeNumber(f ? 1 : 0);
}

void RecordWriter::endRecord()
{
    m_data += "\r\n";
    m_atLineStart = true;
}

bool RecordWriter::commit(const QString& path) const
{
    return writeFileAtomically(path, m_data);
}

bool writeFileAtomically(const QString& path, const QByteArray& data, std::optional<FileIdentity>* written,
                         QString* error)
{
    QSaveFile f(path);
    auto fail = [&f, error] {
        if (error)
            *error = f.errorString();
        return false;
    };
    // No direct-write fallback: a file we cannot replace whole stays as it was.
    f.setDirectWriteFallback(false);
    // Unbuffered: a buffered save file flushes only at commit, and a flush that stops
    // part-way there (a full drive) goes unreported, so a cut-short file would replace
    // the old one. Written directly, a short write is seen here.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail();
    if (f.write(data) != data.size()) {
        const bool failed = fail();
        f.cancelWriting();
        return failed;
    }
    // The temporary file becomes the file: taken now, its identity is that of what was
    // written, whatever replaces the path afterwards.
    const std::optional<FileIdentity> identity = identityOfHandle(f.handle());
    if (!f.commit())
        return fail();
    if (written)
        *written = identity;
    return true;
}

} // namespace sys
