// Times the load and save of the data files at their largest: 32,767 bookmarks, 32,767
// notes (what a 16-bit last index can count), a full history file and the settings file;
// and the save of the bookmarks over a file that another copy of the program saved
// meanwhile (read again and merged). Each step runs several times; the best and the
// median are printed in milliseconds.

#include "ActiveVelmora.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>

using namespace Qt::StringLiterals;
using namespace corvane;

namespace {

constexpr int kRuns = 9;
constexpr double kTargetMs = 50.0;

struct State {
    ProgramVars prog;
    OptionVars opt;
    ListVars lists;
    frmHid hid;
    DataFileVars files;
    VelmoraContext ctx() { return VelmoraContext{prog, opt, lists, hid, files, u"file:///opt/corvane/site/Corvane.html"_s}; }
};

void fill(State& s)
{
    const int n = velmora::MaxListRecords;
    for (int i = 0; i < n; ++i) {
        s.hid.ComboMarkName.AddItem(u"Bookmark %1, a page title of some length"_s.arg(i));
        // Every other address is a local file on the drive, which takes the "#" rule.
        s.hid.ComboMarkAddress.AddItem(i % 2 ? u"https://www.example.org/section/%1/page.html?id=%1"_s.arg(i)
                                             : u"file:///media/stick/pages/page%1.htm"_s.arg(i));
        s.hid.ComboNotePage.AddItem(u"https://www.example.org/notes/%1/"_s.arg(i));
        s.hid.ComboNoteThis.AddItem(u"Note %1: "_s.arg(i) + QString(140, u'n'));
    }
    s.lists.BookmarkLastIndex = n - 1;
    s.lists.NotesLastIndex = n - 1;
    SettingsDefaultsSet(s.ctx());
    s.opt.HistoryMask = 63;
    for (int k = 0; k < velmora::MainBrowsers; ++k)
        for (int i = 0; i < velmora::HistoryRecords; ++i)
            s.hid.ComboLocation[size_t(k)].AddItem(u"https://site%1-%2.example.org/"_s.arg(k).arg(i));
}

struct Result {
    QString name;
    double best = 0;
    double median = 0;
    qint64 bytes = 0;
    long faults = 0;  // minor page faults per run: memory touched for the first time
};

long minorFaults()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_minflt;
}

// prepare runs before each timed step, untimed.
Result time(const QString& name, const QString& file, const std::function<void()>& step,
            const std::function<void()>& prepare = {})
{
    std::vector<double> ms;
    long faults = 0;
    for (int r = 0; r < kRuns; ++r) {
        if (prepare)
            prepare();
        const long faultsBefore = minorFaults();
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        faults += minorFaults() - faultsBefore;
    }
    std::sort(ms.begin(), ms.end());
    return {name, ms.front(), ms[ms.size() / 2], QFileInfo(file).size(), faults / kRuns};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication qapp(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString base = dir.path() + u'/';

    State writer;
    DataFilePathsSet(writer.prog, base);
    QDir().mkpath(DataFolderPath(writer.prog, base));
    writer.prog.OnMedia = true;
    writer.prog.OwnDriveLetter = u"/media/stick"_s;
    fill(writer);

    State reader;
    reader.prog = writer.prog;
    bool ok = true;
    auto load = [&reader](auto proc) {
        return [&reader, proc] {
            reader.hid = {};
            reader.opt.BookmarkLastIndexSaved = reader.opt.NotesLastIndexSaved = velmora::MaxListRecords - 1;
            reader.opt.HistoryMask = 63;
            proc(reader.ctx());
        };
    };
    const ProgramVars& p = writer.prog;
    std::vector<Result> results;
    // A list is written only when the run changed it: each save follows one rename.
    int renames = 0;
    auto renameOne = [&writer, &renames](HidList& list) {
        list.SetList(0, u"Renamed %1"_s.arg(++renames));
    };
    results.push_back(time(u"bookmarks save"_s, p.BookmarkFilePath, [&] {
        renameOne(writer.hid.ComboMarkName);
        ok &= BookmarkFileSave(writer.ctx());
    }));
    results.push_back(time(u"bookmarks load"_s, p.BookmarkFilePath, load(BookmarkFileLoad)));
    ok &= reader.lists.BookmarkLastIndex == velmora::MaxListRecords - 1;
    // A second copy of the program saved the file since this run read it: the save reads
    // it again and merges this run's change into it.
    State other;
    other.prog = writer.prog;
    BookmarkFileLoad(other.ctx());
    results.push_back(time(
        u"bookmarks merge"_s, p.BookmarkFilePath,
        [&] {
            renameOne(writer.hid.ComboMarkName);
            ok &= BookmarkFileSave(writer.ctx());
        },
        [&] {
            renameOne(other.hid.ComboMarkName);
            other.hid.ComboMarkName.SetList(1, other.hid.ComboMarkName.List(0));
            ok &= BookmarkFileSave(other.ctx());
        }));
    BookmarkFileLoad(reader.ctx());
    ok &= reader.lists.BookmarkLastIndex == velmora::MaxListRecords - 1;
    results.push_back(time(u"notes save"_s, p.NotesFilePath, [&] {
        renameOne(writer.hid.ComboNoteThis);
        ok &= NotesFileSave(writer.ctx());
    }));
    results.push_back(time(u"notes load"_s, p.NotesFilePath, load(NotesFileLoad)));
    ok &= reader.lists.NotesLastIndex == velmora::MaxListRecords - 1;
    results.push_back(time(u"history save"_s, p.HistoryFilePath, [&] {
        renameOne(writer.hid.ComboLocation[0]);
        ok &= HistoryFileSave(writer.ctx());
    }));
    results.push_back(time(u"history load"_s, p.HistoryFilePath, load(HistoryFileLoad)));
    ok &= reader.hid.ComboLocation[5].ListCount() == velmora::HistoryRecords;
    results.push_back(time(u"settings save"_s, p.SettingsFilePath, [&] { ok &= SettingsFileSave(writer.ctx()); }));
    results.push_back(time(u"settings load"_s, p.SettingsFilePath, [&] { SettingsFileLoad(reader.ctx()); }));

    std::printf("%-16s %10s %10s %12s %12s  (target %.0f ms, %d runs)\n", "step", "best ms", "median ms", "file bytes",
                "page faults", kTargetMs, kRuns);
    bool fast = true;
    for (const Result& r : results) {
        std::printf("%-16s %10.2f %10.2f %12lld %12ld%s\n", qPrintable(r.name), r.best, r.median,
                    static_cast<long long>(r.bytes), r.faults, r.median < kTargetMs ? "" : "  SLOW");
        fast = fast && r.median < kTargetMs;
    }
    if (!ok) {
        std::fprintf(stderr, "a step failed or read back the wrong number of records\n");
        return 1;
    }
    return fast ? 0 : 2;
}
