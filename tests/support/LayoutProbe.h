#pragma once
// A walk over a window as a user meets it: for every control on screen, all of its caption
// (the text of a label or a frame, the whole of a button, a box or a picture)
// must lie inside the frames that hold it and inside the window, and nothing may lie over
// any part of it but what the user opened on top; every caption must fit its box in the
// font the control really uses, or be shown shortened with "…" where the control allows
// that. Lines of a list of names, and small captions such as a tab's number, are whole or
// not shown at all: nothing may lie over a part of them only. Overlaps that a layout
// accepts are declared with their reason. The same probe can save a picture of the window
// for a person to look through (only when CORVANE_LAYOUT_SHOTS names a folder).

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace layoutprobe {

class Probe {
public:
    explicit Probe(QWidget* window) : m_window(window) {}

    // What covers a target and is accepted, with the reason (shown when a test lists them).
    // over is nullptr where the target reaches past its frame or the window.
    using Rule = std::function<bool(const QWidget* target, const QWidget* over)>;
    void allow(Rule rule, const QString& reason);
    // Anything that cover (or a widget inside it) lies over is accepted: the user opened it.
    void allowUnder(const QWidget* cover, const QString& reason);
    // Targets the walk leaves out (pages, which panels float over by design).
    void skip(const QWidget* target);
    // One-line boxes (a text box, or the edit part of a combo box) whose text must be shown
    // from its first character while the box does not have the focus.
    void startShown(const QWidget* box);
    // Lines of a list of names: shown from the first character, whole, or shortened with
    // "…" at the end; never simply cut where the box ends.
    void nameLine(const QWidget* line);
    // What nothing may lie over in part, opened or not: it is covered whole or shown whole.
    void keepWhole(const QWidget* target);

    // The faults found, one line each; empty when the window is sound.
    QStringList walk() const;
    // How many targets the last walk checked (a walk that checked nothing proves nothing).
    int checkedCount() const { return m_checked; }

private:
    struct Allowance {
        Rule rule;
        QString reason;
    };
    bool listed(const std::vector<const QWidget*>& list, const QWidget* w) const;
    QWidget* m_window;
    std::vector<Allowance> m_allowed;
    std::vector<const QWidget*> m_skipped;
    std::vector<const QWidget*> m_startShown;
    std::vector<const QWidget*> m_nameLines;
    std::vector<const QWidget*> m_keptWhole;
    mutable int m_checked = 0;
};

// The captions a user reads on the window now: every control on screen whose caption (the
// text it shows) is not empty, with that text.
std::map<const QWidget*, QString> shownCaptions(QWidget* window);

// A short description of a widget for a failure message: its kind, its caption or tip, and
// where it lies in the window.
QString describe(const QWidget* w, const QWidget* window);

// Lets pending events run so that the window's geometry has settled.
void settle();

// Saves a picture of window as <folder>/<name>.png when CORVANE_LAYOUT_SHOTS names a folder.
void shot(QWidget* window, const QString& name);

} // namespace layoutprobe
