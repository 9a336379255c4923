#include "WindowDesign.h"

namespace corvane::design {

namespace {

QString S(const char* s)
{
    return QString::fromLatin1(s);
}

constexpr int LastTab = 24;

} // namespace

void tabRow(Arr<Btn>& buttons, Arr<Lbl>& captions, const QString& head, bool compact)
{
    QList<vb::RowItem> items;
    for (int i = 0; i <= LastTab; ++i)
        items.append({60 + i * 360, i == 0 ? head : QString::number(i), 360});
    const vb::ButtonRow row = compact ? vb::ButtonRow{0, {300, 255}, 255, 165, 30} : vb::ButtonRow{15, {300, 255}, 270, 180, 30};
    vb::buttonRow(buttons, captions, row, items);
}

void closeGroup(vb::Frame& frame, Lbl* head, Arr<Btn>& buttons, Arr<Lbl>& captions, const QString& shownTab, bool compact)
{
    vb::plainFrame(frame, {420, 0, WindowParts::CloseGroupWidth, compact ? 420 : 450});
    frame.zOrder(0);
    if (head)
        vb::placeCaption(*head, S("Close"), {0, 60, 405, 210});
    const vb::ButtonRow row = compact ? vb::ButtonRow{0, {300, 255}, 255, 165, 60} : vb::ButtonRow{15, {300, 255}, 270, 180, 60};
    vb::buttonRow(buttons, captions, row, {{435, S("All"), 420}, {855, shownTab, 420}, {1275, S("Select"), 465}});
}

void tabRowCovers(vb::CoverKeeper& keeper, std::initializer_list<Arr<Lbl>*> rows, Lbl& closeHead)
{
    for (Arr<Lbl>* captions : rows)
        for (int i : captions->indices())
            keeper.addTarget((*captions)[i]);
    keeper.addTarget(closeHead);
}

void cornerButton(vb::Frame& frame, Btn& button, const QString& tip)
{
    frame.move(2, 0, 20, 14);
    frame.setBorderStyle(0);
    frame.setVisible(false);
    vb::placeButton(button, 0, 0, 300, 210);
    button.setToolTip(tip);
}

void listLine(vb::TextBox& line, QRect place)
{
    line.move(place.x(), place.y(), place.width(), place.height());
    line.setBorderStyle(0);
    line.setLocked(true);
    line.setShortened(true);
    line.setBackColor(vb::colors::Panel);
    // The list shows the lines it writes.
    line.setVisible(false);
}

void markPanel(const MarkPanel& p, QPoint at)
{
    vb::panelFrame(p.frame, S("Bookmark This Page"), {at.x(), at.y(), 440, 150});
    vb::placeCaption(p.nameHead, S("Page will be Bookmarked by the name that you type here :"), {120, 240, 6300, 210});
    p.name.move(120, 465, 6300, 285);
    vb::placeCaption(p.addressHead, S("To Bookmark a different web page Type LocationURL here:"), {120, 810, 6300, 210});
    p.address.move(120, 1035, 6300, 285);
    vb::panelButton(p.ok, p.captions.add(0), S("OK"), 120, 1470);
    vb::panelButton(p.cancel, p.captions.add(1), S("Cancel"), 840, 1470);
    vb::panelButton(p.reset, p.captions.add(2), S("Reset"), 1560, 1470);
}

void createPanel(const CreatePanel& p, const QString& caption, QPoint at)
{
    vb::panelFrame(p.frame, caption, {at.x(), at.y(), 440, 84});
    p.address.move(120, 270, 6300, 285);
    vb::panelButton(p.ok, p.captions.add(0), S("OK"), 120, 660);
    vb::panelButton(p.cancel, p.captions.add(1), S("Cancel"), 840, 660);
}

void notePanel(const NotePanel& p, const QString& question, QPoint at)
{
    vb::panelFrame(p.frame, S("Note"), {at.x(), at.y(), 460, 150});
    vb::placeCaption(p.labels.add(0), S("Page :"), {120, 255, 720, 210});
    p.boxes.add(0).move(840, 225, 5880, 285);
    p.boxes[0].setLocked(true);
    vb::placeCaption(p.labels.add(6), question, {120, 570, 6600, 210});
    vb::placeCaption(p.labels.add(7), S("Edit Note (maximum 150 characters) :"), {120, 795, 6600, 210});
    vb::placeCaption(p.labels.add(1), QString(), {120, 570, 6600, 900}, {0, 8}).setWrapAnywhere(true);
    p.boxes.add(1, true).move(120, 1020, 6660, 540);
    p.boxes[1].setMaxLength(150);
}

void homePanel(const HomePanel& p, const HomePanelLook& look)
{
    vb::panelFrame(p.frame, S("Make This Page Home Page"), look.place);
    p.address.move(120, 240, look.width, 285);
    vb::placeCaption(p.choiceHead, S("Select Browser To Make Home Page :"), {120, 600, 3600, 210});
    for (int i = 0; i <= 6; ++i) {
        vb::OptionButton& o = p.options.add(i);
        o.move(120 + (i % 4) * look.optionStep, 840 + (i / 4) * 285, look.optionWidth, 255);
        o.setCaption(i < 6 ? S("Browser ") + QString::number(i + 1) : S("No Browser"));
        o.setBackColor(vb::colors::Panel);
    }
    vb::placeCaption(p.alreadyHead, look.alreadyHead, {120, 1500, look.width, 210});
    vb::placeCaption(p.alreadyBrowsers, look.alreadyBrowsers, {120, 1725, look.width, 210});
    vb::panelButton(p.ok, p.captions.add(0), S("OK"), 120, 2040);
    vb::panelButton(p.cancel, p.captions.add(1), S("Cancel"), 840, 2040);
}

void selectTabsPanel(const SelectTabsPanel& p, int top, int width, int firstBox)
{
    vb::panelFrame(p.frame, S("Select Tabs"), {0, top, width, 113});
    for (int i = firstBox; i <= LastTab; ++i) {
        vb::CheckBox& c = p.boxes.add(i);
        const int col = (i - 1) % 4, row = (i - 1) / 4;
        c.move(i == 0 ? 0 : 105 + col * 795, i == 0 ? 0 : 255 + row * 360, 765, 300);
        c.setCaption(i == 0 ? QString() : S("#") + QString::number(i));
        c.setBackColor(vb::colors::Panel);
        c.setVisible(false);
    }
    vb::plainFrame(p.buttonFrame, {60, 720, vb::toTwips(width) - 120, 810}, vb::colors::Panel);
    const QStringList names{S("Cancel/Hide"), S("Close Selected Tabs"), S("Add Selected Tabs To Bookmark"), S("Select/Unselect All")};
    // Two columns, the wider for the longest caption; a caption may take two lines.
    const int lefts[] = {30, 1680};
    const int captionWidths[] = {1290, 1080};
    for (int i = 0; i <= 3; ++i) {
        const int col = i % 2, row = i / 2;
        vb::placeButton(p.buttons.add(i), lefts[col], 60 + row * 390);
        vb::placeCaption(p.captions.add(i), names[i], {lefts[col] + 330, 45 + row * 390, captionWidths[col], 345});
    }
}

} // namespace corvane::design
