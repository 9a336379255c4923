#pragma once
// The data files' record format: strings in double quotes, numbers bare, items separated
// by commas, one record per line ending in CR LF, UTF-8. The reader takes items one by
// one whatever the line breaks; running out of items, a non-number where a number is
// expected or a number out of range is an error.

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace sys {

class RecordReader {
public:
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

    bool failed() const { return m_failed; }
    // True when only blanks and line breaks are left.
    bool atEnd() const;

private:
    bool nextRawItem(QByteArray& item, bool& quoted);
    QByteArray m_data;
    // Keeps the memory a large file was read into (m_data does not own it).
    std::shared_ptr<void> m_owner;
    qsizetype m_pos = 0;
    bool m_failed = false;
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
bool writeFileAtomically(const QString& path, const QByteArray& data);

} // namespace sys
