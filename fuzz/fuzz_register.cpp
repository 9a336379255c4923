// The removable drive's register files on arbitrary bytes: the count file and the list
// files. A damaged record takes no other with it, and a list that is written back reads
// as the same records.
#include "sys/FamilyRegister.h"

#include "FuzzSupport.h"

namespace fam = sys::family;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in = fuzz::split(data, size);
    if (const std::optional<fam::Counts> counts = fam::parseCounts(sys::RecordReader(in.file))) {
        fuzz::check(counts->mainLast >= -1 && counts->helperLast >= -1, "counts in range");
        const std::optional<fam::Counts> again = fam::parseCounts(sys::RecordReader(fam::formatCounts(*counts)));
        fuzz::check(again && again->mainLast == counts->mainLast && again->helperLast == counts->helperLast,
                    "counts survive a write");
    }

    const fam::RecordList list = fam::parseRecords(sys::RecordReader(in.file));
    fuzz::check(list.records.size() <= fam::MaxRecords, "at most 32767 records");
    for (const fam::Record& r : list.records) {
        fam::recordOnDrive(r, in.onMedia ? QStringLiteral("/media/stick/") : QStringLiteral("/"));
        fuzz::check(fuzz::cleanText(r.name, in.file) && fuzz::cleanText(r.folder, in.file), "no control character");
    }
    const fam::RecordList more = fam::parseRecords(sys::RecordReader(in.file + "\r\n\"Last\",\"/last/\"\r\n"));
    fuzz::check(list.records.size() == fam::MaxRecords ||
                    (more.records.size() == list.records.size() + 1 && more.records.last().name == QStringLiteral("Last")),
                "a damaged record swallows no other");
    const QByteArray written = fam::formatRecords(list.records);
    const fam::RecordList back = fam::parseRecords(sys::RecordReader(written));
    fuzz::check(!back.damaged && back.records.size() == list.records.size(), "every record comes back");
    fuzz::check(fam::formatRecords(back.records) == written, "second write writes the same file");
    return 0;
}
