#pragma once
// What a user can read must tell the truth on Linux: the words that name a Windows
// component, program or procedure, and a walk over a form that reads every text a user
// can see on it. The programs' text tests read their texts as the programs run and check
// them against this list.

#include "vb/Controls.h"
#include "vb/Form.h"
#include "vb/Runtime.h"
#include "vb/TextControls.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace usertexts {

// Words that name a Windows component, program or procedure. A program's own file names
// keep ".exe" on Linux too (Corvane.exe, CorvaneHelp.exe); any other ".exe" is Windows'.
inline const QList<QRegularExpression>& windowsWords()
{
    static const QList<QRegularExpression> words = [] {
        const auto ci = QRegularExpression::CaseInsensitiveOption;
        return QList<QRegularExpression>{
            QRegularExpression(QStringLiteral("\\bWindows\\b")),
            QRegularExpression(QStringLiteral("\\bExplorer\\b"), ci),
            QRegularExpression(QStringLiteral("Control Panel"), ci),
            QRegularExpression(QStringLiteral("rundll32"), ci),
            QRegularExpression(QStringLiteral("\\bDesktop, select Properties"), ci),
            QRegularExpression(QStringLiteral("empty area of your Desktop"), ci),
            QRegularExpression(QStringLiteral("MSCOMCTL"), ci),
            QRegularExpression(QStringLiteral("\\.(ocx|dll|msi|bat|cpl)\\b"), ci),
            QRegularExpression(QStringLiteral("Scripting Runtime"), ci),
            QRegularExpression(QStringLiteral("Service Pack"), ci),
            QRegularExpression(QStringLiteral("setup\\.exe"), ci),
            QRegularExpression(QStringLiteral("Corvane\\.zip"), ci),
            QRegularExpression(QStringLiteral("(?<![\\w.-])(?!(Corvane|CorvaneHelp)\\.exe\\b)[\\w.-]+\\.exe\\b")),
            QRegularExpression(QStringLiteral("Add/Remove"), ci),
            QRegularExpression(QStringLiteral("\\bregistry\\b"), ci),
            QRegularExpression(QStringLiteral("\\b[A-Z]:\\\\")),
            QRegularExpression(QStringLiteral("My Computer"), ci),
            QRegularExpression(QStringLiteral("Program Files")),
            QRegularExpression(QStringLiteral("setup package"), ci),
            QRegularExpression(QStringLiteral("Start Menu"), ci),
            QRegularExpression(QStringLiteral("Task Manager"), ci),
            QRegularExpression(QStringLiteral("Drive Letter"), ci),
            QRegularExpression(QStringLiteral("Visual Basic"), ci),
        };
    }();
    return words;
}

// The Windows words that text names.
inline QStringList windowsNamesIn(const QString& text)
{
    QStringList found;
    for (const QRegularExpression& word : windowsWords()) {
        QRegularExpressionMatchIterator it = word.globalMatch(text);
        while (it.hasNext())
            found << it.next().captured();
    }
    return found;
}

// Every text of one form a user can read: its caption and, for each of its controls
// (hidden ones too: they show when the program says so), caption, text, list entries and
// tool tip.
inline QStringList formTexts(vb::Form& form)
{
    QStringList texts{form.caption()};
    for (const QWidget* w : form.window()->findChildren<QWidget*>()) {
        if (!w->toolTip().isEmpty())
            texts << w->toolTip();
        vb::Control* c = vb::Control::fromWidget(w);
        if (auto* f = qobject_cast<vb::Frame*>(c))
            texts << f->caption();
        else if (auto* b = qobject_cast<vb::CommandButton*>(c))
            texts << b->caption();
        else if (auto* l = qobject_cast<vb::Label*>(c))
            texts << l->caption();
        else if (auto* k = qobject_cast<vb::CheckBox*>(c))
            texts << k->caption();
        else if (auto* o = qobject_cast<vb::OptionButton*>(c))
            texts << o->caption();
        else if (auto* t = qobject_cast<vb::TextBox*>(c))
            texts << t->text();
        else if (auto* x = qobject_cast<vb::ComboBox*>(c)) {
            texts << x->text();
            for (int i = 0; i < x->listCount(); ++i)
                texts << x->list(i);
        }
    }
    texts.removeAll(QString());
    return texts;
}

// Where each text was read, and the text.
struct Read {
    QString where;
    QString text;
};

class TextCollector {
public:
    void add(const QString& where, const QStringList& texts)
    {
        for (const QString& t : texts) {
            if (!seen.contains(t)) {
                seen.insert(t);
                read.push_back({where, t});
            }
        }
    }
    void addForms(const QString& where, const vb::Runtime& rt)
    {
        for (const QPointer<vb::Form>& f : rt.forms()) {
            if (f)
                add(where + QStringLiteral(" / ") + f->name(), formTexts(*f));
        }
    }
    bool has(const QString& fragment) const
    {
        for (const Read& r : read) {
            if (r.text.contains(fragment))
                return true;
        }
        return false;
    }
    // Every text that names a Windows word, with where it was read.
    void expectNoWindowsWords() const
    {
        for (const Read& r : read) {
            const QStringList names = windowsNamesIn(r.text);
            EXPECT_TRUE(names.isEmpty()) << r.where.toStdString() << ": \"" << names.join(QStringLiteral("\", \"")).toStdString()
                                         << "\" in:\n" << r.text.toStdString();
        }
    }

    QSet<QString> seen;
    std::vector<Read> read;
};

} // namespace usertexts
