#pragma once
// The data files' record format: strings in double quotes, numbers bare, items separated
// by commas, one record per line ending in CR LF, UTF-8. The reader takes items one by
// one whatever the line breaks; running out of items, a non-number where a number is
// expected or a number out of range is an error. A list file is read record by record
// instead: there the line marks each record's end, so a damaged record never takes the
// items of the next one.
//
// What the reader sees is always clean UTF-8: a file that is not valid UTF-8 was written
// in a Windows code page (by hand, or by a copy of the program on Windows) and is read as
// Windows-1252, and control characters other than tab, CR and LF are dropped. A file that
// needed either is "mended": its writer keeps the original aside before replacing it.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace sys {

// Which file a path held when it was read or written. Every write replaces the file whole,
// so a file written since has another identity.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
    // nullopt when there is no such file.
    static std::optional<FileIdentity> of(const QString& path);
};

// The bytes as the reader takes them (see above); mended tells whether anything changed.
QByteArray mendText(QByteArray data, bool& mended);

class RecordReader {
public:
    // One item of a line as it stands in the file (readLineItems).
    struct LineItem {
        QString text;
        bool quoted = false;
        bool closed = true;  // false: a quote that is not closed on its line
    };

    explicit RecordReader(QByteArray data);
    // Reads a whole file; nullopt when it does not exist or cannot be read.
    static std::optional<RecordReader> fromFile(const QString& path);

    // Each returns false on error and then leaves the reader failed: every later read
    // fails too.
    bool readString(QString& out);
    bool readNumber(qint64& out, qint64 min, qint64 max);
    bool readInt16(qint16& out);           // -32768..32767
    bool readInt32(qint32& out);
    bool readFlag(qint16& out);            // a number; any non-zero value reads as -1 (True)

    // The items of the next record: the next line that holds anything. A quote that is not
    // closed on its line ends the record there with the items before it, and damaged is
    // set; the next read starts on the next line. False when only blanks and line breaks
    // are left.
    bool readRecord(QStringList& items, bool& damaged);
    // The items of the next line that holds anything, each as it stands: a quote that is
    // not closed on its line makes a last item that is not closed. False when only blanks
    // and line breaks are left. For a reader that rescues what it can of a damaged file.
    bool readLineItems(QList<LineItem>& items);
    // Counts the records readRecord would give that have at least `width` items, without
    // reading them. Moves to the end.
    qsizetype countRecords(int width);

    // The data had to be mended to be read (see above).
    bool mended() const { return m_mended; }

    bool failed() const { return m_failed; }
    // True when only blanks and line breaks are left.
    bool atEnd() const;
    // The file the data was read from (fromFile only).
    const std::optional<FileIdentity>& identity() const { return m_identity; }

private:
    bool nextRawItem(QByteArray& item, bool& quoted);
    template <typename OnItem>
    bool scanLine(OnItem onItem);
    QByteArray m_data;
    // Keeps the memory a large file was read into (m_data does not own it).
    std::shared_ptr<void> m_owner;
    std::optional<FileIdentity> m_identity;
    qsizetype m_pos = 0;
    bool m_failed = false;
    bool m_mended = false;
};

class RecordWriter {
public:
    void writeString(const QString& s);   // written between quotes as it is (callers keep quotes out)
    void writeNumber(qint64 n);
    void writeFlag(bool f);               // 1 or 0
    void endRecord();                     // CR LF
    // Room for about this many bytes: a large list is written without growing the buffer.
    void reserve(qsizetype bytes) { m_data.reserve(bytes); }
    const QByteArray& data() const { return m_data; }
    // Replaces the file atomically: the old file stays whole when anything fails.
    bool commit(const QString& path) const;

private:
    QByteArray m_data;
    bool m_atLineStart = true;
};

// Writes data to path atomically (temporary file in the same folder, flushed, renamed).
// written, when given, takes the identity of the new file; error, when given, why it
// failed.
bool writeFileAtomically(const QString& path, const QByteArray& data, std::optional<FileIdentity>* written = nullptr,
                         QString* error = nullptr);

} // namespace sys
