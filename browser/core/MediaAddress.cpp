#include "MediaAddress.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace corvane {

namespace {

const QString kStoredPrefix = u"file:///#"_s;

bool hasLineBreak(const QString& s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

constexpr char16_t kByteOrderMark = 0xFEFF;

// UTF-8 decoding drops one byte-order mark at the start of an item, so an item that began
// with one would change at every save: it is dropped when written.
bool needsCleaning(const QString& s)
{
    return s.contains(u'"') || hasLineBreak(s) || s.startsWith(QChar(kByteOrderMark));
}

QString withoutLeadingMarks(QString s)
{
    qsizetype n = 0;
    while (n < s.size() && s.at(n) == QChar(kByteOrderMark))
        ++n;
    return n ? s.mid(n) : s;
}

QString joined(const QString& head, QStringView tail)
{
    QString s;
    s.reserve(head.size() + tail.size());
    s.append(head);
    s.append(tail);
    return s;
}

QString lineBreaksToSpaces(QString s)
{
    s.replace(u"\r\n"_s, u" "_s);
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

} // namespace

MediaAddressRule::MediaAddressRule(const QString& driveMountPoint)
    : m_applies(driveMountPoint.startsWith(u'/') && driveMountPoint != u"/")
{
    if (!m_applies)
        return;
    // The mount point as it appears at the start of a file address, percent-encoded;
    // a typed address may carry it unencoded, which counts too.
    m_encoded = QUrl::fromLocalFile(driveMountPoint).toString(QUrl::FullyEncoded);
    m_plain = u"file://"_s + driveMountPoint;
}

QString MediaAddressRule::store(const QString& address) const
{
    if (!m_applies)
        return address;
    // The drive's root itself, or an address below it.
    for (const QString* prefix : {&m_encoded, &m_plain}) {
        if (address.startsWith(*prefix) && (address.size() == prefix->size() || address.at(prefix->size()) == u'/'))
            return joined(kStoredPrefix, QStringView(address).mid(prefix->size()));
    }
    return address;
}

QString MediaAddressRule::restore(const QString& address) const
{
    if (!m_applies || !address.startsWith(kStoredPrefix))
        return address;
    // Only the stored form "file:///#/..." is ours; a file that is really named "#..."
    // at the root stays as it is.
    if (address.size() > kStoredPrefix.size() && address.at(kStoredPrefix.size()) != u'/')
        return address;
    return joined(m_encoded, QStringView(address).mid(kStoredPrefix.size()));
}

QString MediaAddressStore(const QString& address, const QString& driveMountPoint)
{
    return MediaAddressRule(driveMountPoint).store(address);
}

QString MediaAddressRestore(const QString& address, const QString& driveMountPoint)
{
    return MediaAddressRule(driveMountPoint).restore(address);
}

QString TextItemClean(const QString& text)
{
    if (!needsCleaning(text))
        return text;
    QString s = lineBreaksToSpaces(withoutLeadingMarks(text));
    s.replace(u'"', u'\'');
    return s;
}

QString AddressItemClean(const QString& address)
{
    if (!needsCleaning(address))
        return address;
    QString s = lineBreaksToSpaces(withoutLeadingMarks(address));
    s.replace(u"\""_s, u"%22"_s);
    return s;
}

} // namespace corvane
