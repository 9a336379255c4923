#pragma once
// What the main window and the secondary windows design alike: the tab rows with their
// Close groups, the lines of the Tab List, and the panels both open over a page. Each
// window hands in its own controls; places are in twips inside the panels and frames.

#include "vb/ControlArray.h"
#include "vb/CoverKeeper.h"
#include "vb/Controls.h"
#include "vb/Design.h"
#include "vb/TextControls.h"

#include <QPoint>
#include <QString>

#include <initializer_list>

namespace corvane {
class CorvaneApp;
}

namespace corvane::design {

using Btn = vb::CommandButton;
using Lbl = vb::Label;
template <class T> using Arr = vb::ControlArray<T>;

// What both browser windows have alike besides their designs: the application they belong
// to, short names of the control kinds, the measures of the tab row's Close group and of
// the Select Tabs panel, and the hidden picture stores their buttons and arrows take their
// faces from.
class WindowParts {
public:
    using Btn = vb::CommandButton;
    using Lbl = vb::Label;
    using Img = vb::Image;
    template <class T> using Arr = vb::ControlArray<T>;

    static constexpr int CloseGroupWidth = 1680;
    static constexpr int SelectPanelWidth = 220;

    WindowParts(vb::Container& form, CorvaneApp& app)
        : BButton(form), NavBack(form), NavForward(form), ImageShow(form), m_app(app)
    {
    }
    CorvaneApp& app() const { return m_app; }

    // Button faces; the Back and Forward arrows (0 normal, 1 pressed, 2 disabled); the
    // pictures of the busy animation.
    Arr<Img> BButton;
    Arr<Img> NavBack;
    Arr<Img> NavForward;
    Arr<Img> ImageShow;

protected:
    CorvaneApp& m_app;
};

// A band's tab row: its head (element 0) and tabs 1 to 24, 360 twips apart, each with its
// number under it. The compact row of the full-window bar stands higher.
void tabRow(Arr<Btn>& buttons, Arr<Lbl>& captions, const QString& head, bool compact);

// The Close group after the tab row: "Close" (the normal row only), then All, the tab on
// screen (shownTab until one is) and Select. It stands above the tab buttons it covers.
void closeGroup(vb::Frame& frame, Lbl* head, Arr<Btn>& buttons, Arr<Lbl>& captions, const QString& shownTab, bool compact);

// The captions of tab rows and their Close groups, kept whole under what opens over them.
void tabRowCovers(vb::CoverKeeper& keeper, std::initializer_list<Arr<Lbl>*> rows, Lbl& closeHead);

// The small frame at the window's top left corner in full-window mode, with the one button
// that brings the bars back (tip: what it brings).
void cornerButton(vb::Frame& frame, Btn& button, const QString& tip);

// A line of the Tab List: read-only, borderless, shortened where it is too long, and
// hidden until the list is written.
void listLine(vb::TextBox& line, QRect place);

// "Bookmark This Page".
struct MarkPanel {
    vb::Frame& frame;
    Lbl& nameHead;
    vb::TextBox& name;
    Lbl& addressHead;
    vb::TextBox& address;
    Btn& ok;
    Btn& cancel;
    Btn& reset;
    Arr<Lbl>& captions;
};
void markPanel(const MarkPanel& p, QPoint at);

// The panel that asks for an address to open.
struct CreatePanel {
    vb::Frame& frame;
    vb::TextBox& address;
    Btn& ok;
    Btn& cancel;
    Arr<Lbl>& captions;
};
void createPanel(const CreatePanel& p, const QString& caption, QPoint at);

// The note panel's page line, question, note and its edit box; the buttons are the
// window's own.
struct NotePanel {
    vb::Frame& frame;
    Arr<Lbl>& labels;
    Arr<vb::TextBox>& boxes;
};
void notePanel(const NotePanel& p, const QString& question, QPoint at);

// "Make This Page Home Page", width twips wide inside; its options stand four to a row,
// optionStep apart.
struct HomePanel {
    vb::Frame& frame;
    vb::TextBox& address;
    Lbl& choiceHead;
    Arr<vb::OptionButton>& options;
    Lbl& alreadyHead;
    Lbl& alreadyBrowsers;
    Btn& ok;
    Btn& cancel;
    Arr<Lbl>& captions;
};
struct HomePanelLook {
    QRect place;
    int width;
    int optionStep;
    int optionWidth;
    QString alreadyHead;
    QString alreadyBrowsers;
};
void homePanel(const HomePanel& p, const HomePanelLook& look);

// "Select Tabs": a box for each tab, four to a row, and its buttons under them. The boxes
// are elements firstBox to 24 (element 0, where there is one, is never a tab).
struct SelectTabsPanel {
    vb::Frame& frame;
    Arr<vb::CheckBox>& boxes;
    vb::Frame& buttonFrame;
    Arr<Btn>& buttons;
    Arr<Lbl>& captions;
};
void selectTabsPanel(const SelectTabsPanel& p, int top, int width, int firstBox);

} // namespace corvane::design
