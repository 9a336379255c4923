#pragma once
// Rules for what the data files may hold: the "#" drive rule for local addresses on a
// removable drive, and the cleaning of items that would break a record.

#include <QString>

namespace corvane {

// On a removable drive a local address on the program's own drive is stored with "#" in
// place of the drive's mount point: "file:///media/stick/a.htm" -> "file:///#/a.htm".
// The drive is given by its mount point ("/media/stick"); an empty one or "/" changes
// nothing. Build one rule for a whole list: it prepares the drive's address prefix once.
class MediaAddressRule {
public:
    explicit MediaAddressRule(const QString& driveMountPoint);
    QString store(const QString& address) const;
    // The reading side: "file:///#/a.htm" -> "file://" + the current mount point + "/a.htm".
    QString restore(const QString& address) const;

private:
    bool m_applies = false;
    QString m_encoded;  // "file:///media/my%20stick"
    QString m_plain;    // "file:///media/my stick"
};

QString MediaAddressStore(const QString& address, const QString& driveMountPoint);
QString MediaAddressRestore(const QString& address, const QString& driveMountPoint);

// The record format has no escape for a double quote and splits items at line breaks.
// Names and note texts: a quote becomes ', a line break (CR LF, CR or LF) a space.
// Both drop invisible byte-order marks at the start, which reading would drop anyway.
QString TextItemClean(const QString& text);
// Addresses: a quote becomes %22, a line break a space.
QString AddressItemClean(const QString& address);

} // namespace corvane
