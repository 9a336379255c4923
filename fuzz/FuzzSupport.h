#pragma once
// Shared pieces of the fuzz targets: the state the loaders fill, and a check that aborts
// (a finding) when an invariant breaks.

#include "ActiveVelmora.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// What a reader hands the program never holds a control character other than tab, nor a
// replacement character made by the reader.
inline bool cleanText(const QString& s, const QByteArray& file)
{
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || (u >= 0x7F && u < 0xA0))
            return false;
        if (c == QChar::ReplacementCharacter && !file.contains("\xEF\xBF\xBD"))
            return false;
    }
    return true;
}

// The first byte chooses the road and what the settings said; the rest is the file.
struct Input {
    bool onMedia = false;
    bool countKnown = false;
    int lastIndex = -1;
    QByteArray file;
};

inline Input split(const uint8_t* data, size_t size)
{
    Input in;
    if (size == 0)
        return in;
    const uint8_t mode = data[0];
    in.onMedia = mode & 1;
    in.countKnown = mode & 2;
    in.lastIndex = int(mode >> 2) - 1;  // -1..62
    in.file = QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    return in;
}

struct State {
    corvane::ProgramVars prog;
    corvane::OptionVars opt;
    corvane::ListVars lists;
    corvane::frmHid hid;
    corvane::DataFileVars files;

    explicit State(bool onMedia)
    {
        prog.OnMedia = onMedia;
        prog.OwnDriveLetter = QStringLiteral("/media/stick");
    }
    corvane::VelmoraContext ctx()
    {
        return corvane::VelmoraContext{prog, opt, lists, hid, files, QStringLiteral("file:///opt/site/Corvane.html")};
    }
};

} // namespace fuzz
