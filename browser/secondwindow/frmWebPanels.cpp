// The secondary window's page services and their small panels: bookmark this page, keep a
// note on it, make it a main browser's home page, save it and print it.

#include "frmWeb.h"

#include "ActiveVelmora.h"
#include "ControlBookmark.h"
#include "ControlButton.h"
#include "CorvaneApp.h"

namespace corvane {

void frmWeb::wirePanelEvents()
{
    CommandPopBookmark.onClick = [this] { CommandPopBookmark_Click(); };
    CommandPopNote.onClick = [this] { CommandPopNote_Click(); };
    CommandPopMakeHome.onClick = [this] { CommandPopMakeHome_Click(); };
    CommandPopSave.onClick = [this] { CommandPopSave_Click(); };
    CommandPopPrint.onClick = [this] { CommandPopPrint_Click(); };
    CommandPopPage.onClick = [this](int i) { CommandPopPage_Click(i); };

    CommandPopMarkOK.onClick = [this] { CommandPopMarkOK_Click(); };
    CommandPopMarkReset.onClick = [this] { CommandPopMarkReset_Click(); };
    CommandPopMarkCancel.onClick = [this] { CommandPopMarkCancel_Click(); };
    TextPopMark.onChange = [this] { TextPopMark_Change(); };
    TextPopAddress.onChange = [this] { TextPopAddress_Change(); };
    TextPopMark.onKeyPress = [this](int& key) { TextPopMark_KeyPress(key); };
    TextPopAddress.onKeyPress = [this](int& key) { TextPopAddress_KeyPress(key); };
    FrameSmallPop.onClick = [this](int i) { FrameSmallPop_Click(i); };
    for (int i : {2, 3})
        LabelSmallPop[i].onClick = [this, i] { LabelSmallPop_Click(i); };

    CommandPopNoteEdit.onClick = [this] { CommandPopNoteEdit_Click(); };
    CommandPopNoteOK.onClick = [this] { CommandPopNoteOK_Click(); };
    CommandPopNoteRemove.onClick = [this] { CommandPopNoteRemove_Click(); };
    CommandPopNoteCancel.onClick = [this] { CommandPopNoteCancel_Click(); };
    CommandPopNoteNoShow.onClick = [this] { CommandPopNoteNoShow_Click(); };
    TextPopNote.onChange = [this](int i) { TextPopNote_Change(i); };
    TextPopNote.onKeyPress = [this](int i, int& key) { TextPopNote_KeyPress(i, key); };

    OptionPopHome.onClick = [this](int i) { OptionPopHome_Click(i); };
    CommandPopHomeOK.onClick = [this] { CommandPopHomeOK_Click(); };
    CommandPopHomeCancel.onClick = [this] { CommandPopHomeCancel_Click(); };
    TextPopHome.onKeyPress = [this](int& key) { TextPopHome_KeyPress(key); };
}

// Panels 1 to 5 stand under the band in normal mode, under the "Controls" frame in
// full-window mode.
void frmWeb::placePanel(int index)
{
    vb::Frame& panel = FrameSmallPop[index];
    if (PopFullWindow) {
        panel.move(24, FramePopOne.top() + FramePopOne.height() + 4);
        return;
    }
    const int left = index == 4 ? 200 : index == 5 ? 368 : 224;
    panel.move(left, BandNoTabs);
}

void frmWeb::CommandPopPage_Click(int index)
{
    PicturePop.setFocus();
    switch (index) {
    case 0:
        CommandPopBookmark_Click();
        break;
    case 1:
        CommandPopNote_Click();
        break;
    case 2:
        CommandPopMakeHome_Click();
        break;
    case 3:
        CommandPopSave_Click();
        break;
    case 4:
        CommandPopPrint_Click();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Bookmark

void frmWeb::CommandPopBookmark_Click()
{
    if (FrameSmallPop[1].isVisible() || FrameSmallPop[2].isVisible()) {
        FrameSmallPop[1].setVisible(false);
        FrameSmallPop[2].setVisible(false);
        PicturePop.setFocus();
        return;
    }
    const vb::WebBrowser* b = shownBrowser();
    PopMarkName = PopTabTitles[PopTabCurrent];
    PopMarkAddress = b ? b->locationURL() : QString();
    int panel = 0;
    if (BookmarkExists(m_app, PopMarkAddress)) {
        panel = 2;
    } else if (!PopMarkName.isEmpty() && BookmarkAdd(m_app, PopMarkName, PopMarkAddress)) {
        // Bookmarked at once under the site's short name.
        panel = 3;
    } else {
        // No name to file it under, or no page to keep: the user completes it.
        panel = 1;
        TextPopMark.setText(PopMarkName);
        TextPopAddress.setText(PopMarkAddress);
        CommandPopMarkOK.setEnabled(!PopMarkName.isEmpty());
        CommandPopMarkReset.setEnabled(false);
    }
    placePanel(panel);
    PopPanelShow(panel, false);
    if (panel == 1)
        TextPopMark.setFocus();
    else
        PicturePop.setFocus();
}

void frmWeb::CommandPopMarkOK_Click()
{
    const QString name = TextPopMark.text();
    const QString address = TextPopAddress.text();
    if (name.isEmpty() || address.isEmpty())
        return;
    FrameSmallPop[1].setVisible(false);
    if (BookmarkAdd(m_app, name, address))
        FrameSmallPop[3].setVisible(true);
}

void frmWeb::CommandPopMarkReset_Click()
{
    TextPopAddress.setText(PopMarkAddress);
    TextPopMark.setText(PopMarkName);
    CommandPopMarkReset.setEnabled(false);
}

void frmWeb::CommandPopMarkCancel_Click()
{
    FrameSmallPop[1].setVisible(false);
    PicturePop.setFocus();
}

void frmWeb::TextPopMark_Change()
{
    const QString name = TextPopMark.text();
    const QString address = TextPopAddress.text();
    CommandPopMarkOK.setEnabled(!name.isEmpty() && !address.isEmpty());
    CommandPopMarkReset.setEnabled(name != PopMarkName || address != PopMarkAddress);
}

void frmWeb::TextPopAddress_Change()
{
    TextPopMark_Change();
}

void frmWeb::TextPopMark_KeyPress(int& keyAscii)
{
    if (keyAscii != 13)
        return;
    keyAscii = 0;
    if (!TextPopMark.text().isEmpty() && !TextPopAddress.text().isEmpty())
        CommandPopMarkOK_Click();
}

void frmWeb::TextPopAddress_KeyPress(int& keyAscii)
{
    TextPopMark_KeyPress(keyAscii);
}

void frmWeb::FrameSmallPop_Click(int index)
{
    if (index != 2 && index != 3)
        return;
    FrameSmallPop[index].setVisible(false);
    PicturePop.setFocus();
}

void frmWeb::LabelSmallPop_Click(int index)
{
    FrameSmallPop_Click(index);
}

// ---------------------------------------------------------------------------------------
// Note

void frmWeb::CommandPopNote_Click()
{
    vb::Frame& panel = FrameSmallPop[4];
    if (panel.isVisible()) {
        CommandPopNoteCancel_Click();
        return;
    }
    NoteVars& p = PopNote;
    const vb::WebBrowser* b = shownBrowser();
    const QString address = b ? b->locationURL() : QString();
    p.CurrentNoteIndex = NoteFindForPage(m_app, address);
    p.NoteExists = p.CurrentNoteIndex != -1;
    p.NoteEditing = false;
    const QString text = p.NoteExists ? NoteTextGet(m_app, p.CurrentNoteIndex) : QString();

    TextPopNote[0].setText(address);
    TextPopNote[1].setText(text);
    LabelPopNote[1].setVisible(p.NoteExists);
    LabelPopNote[6].setVisible(!p.NoteExists);
    LabelPopNote[7].setVisible(!p.NoteExists);
    TextPopNote[1].setVisible(!p.NoteExists);
    LabelPopNote[1].setCaption(text);
    CommandPopNoteRemove.setEnabled(p.NoteExists);
    CommandPopNoteEdit.setEnabled(p.NoteExists);
    CommandPopNoteOK.setEnabled(false);

    placePanel(4);
    PopPanelShow(4, false);
    if (TextPopNote[1].isVisible())
        TextPopNote[1].setFocus();
    else
        PicturePop.setFocus();
}

void frmWeb::CommandPopNoteEdit_Click()
{
    PopNote.NoteEditing = PopNote.NoteExists;
    LabelPopNote[1].setVisible(false);
    LabelPopNote[7].setVisible(true);
    TextPopNote[1].setVisible(true);
    TextPopNote[1].setSelStart(0);
    TextPopNote[1].setSelLength(int(TextPopNote[1].text().size()));
    TextPopNote[1].setFocus();
}

void frmWeb::CommandPopNoteOK_Click()
{
    FrameSmallPop[4].setVisible(false);
    PicturePop.setFocus();
    NoteAdd(m_app, PopNote, TextPopNote[0].text(), TextPopNote[1].text());
}

void frmWeb::CommandPopNoteRemove_Click()
{
    FrameSmallPop[4].setVisible(false);
    PicturePop.setFocus();
    // The note of this panel's page: another window may have added or removed notes
    // since the panel opened, which moves the indices.
    PopNote.CurrentNoteIndex = NoteFindForPage(m_app, TextPopNote[0].text());
    PopNote.NoteEditing = false;
    if (PopNote.CurrentNoteIndex != -1)
        NoteRemove(m_app, PopNote);
}

void frmWeb::CommandPopNoteCancel_Click()
{
    FrameSmallPop[4].setVisible(false);
    PopNote.NoteEditing = false;
    PicturePop.setFocus();
}

// As the main window's "Do Not Show Notes": notes stay off for the rest of the run.
void frmWeb::CommandPopNoteNoShow_Click()
{
    m_app.lists.ShowNotes = false;
    CommandPopNoteCancel_Click();
}

void frmWeb::TextPopNote_Change(int)
{
    CommandPopNoteOK.setEnabled(!TextPopNote[1].text().isEmpty());
}

void frmWeb::TextPopNote_KeyPress(int index, int& keyAscii)
{
    // The notes file keeps texts in double quotes.
    if (index == 1 && keyAscii == 34)
        keyAscii = 39;
}

// ---------------------------------------------------------------------------------------
// Home page

void frmWeb::CommandPopMakeHome_Click()
{
    vb::Frame& panel = FrameSmallPop[5];
    if (panel.isVisible()) {
        panel.setVisible(false);
        PicturePop.setFocus();
        return;
    }
    PanelVars& p = m_app.panel;
    const vb::WebBrowser* b = shownBrowser();
    p.MakeHomeAddress = b ? b->locationURL() : QString();
    HomePageCheck(m_app, p.MakeHomeAddress);
    LabelHeadHomeAlready.setCaption(p.HomeAlreadyHead);
    LabelBrowHomeAlready.setCaption(p.HomeAlreadyBrowsers);
    for (int i = 0; i <= 5; ++i)
        OptionPopHome[i].setEnabled(p.HomePageDiffers[i]);
    p.HomePageDiffers.fill(false);

    OptionPopHome[6].setValue(true);
    // Selected already from the last opening, it raises no Click: the choice is set here.
    OptionPopHome_Click(6);
    TextPopHome.setText(p.MakeHomeAddress);

    placePanel(5);
    PopPanelShow(5, true);
}

void frmWeb::OptionPopHome_Click(int index)
{
    PopHomeChoice = index;
    // A window without a page offers no address: there is nothing to make a home page.
    CommandPopHomeOK.setEnabled(index != 6 && !TextPopHome.text().isEmpty());
}

void frmWeb::CommandPopHomeOK_Click()
{
    FrameSmallPop[5].setVisible(false);
    PicturePop.setFocus();
    const int choice = PopHomeChoice;
    // The address this panel offered: the shared one may belong to another window's panel
    // by now.
    const QString address = TextPopHome.text();
    if (choice < 0 || choice > 5 || address.isEmpty())
        return;
    m_app.panel.MakeHomeAddress = address;
    m_app.opt.MainBrowserHomePages[choice] = address;
    m_app.opt.HomePagesSaved[choice] = address;
    HomeButtonRefresh(m_app);
    SettingsFileSave(m_app.velmora());
}

void frmWeb::CommandPopHomeCancel_Click()
{
    FrameSmallPop[5].setVisible(false);
    PicturePop.setFocus();
}

void frmWeb::TextPopHome_KeyPress(int& keyAscii)
{
    keyAscii = 0;
}

// ---------------------------------------------------------------------------------------
// Save and Print: the control's own dialogs ask the user.

void frmWeb::CommandPopSave_Click()
{
    for (int i : {5, 0, 4, 1, 2})
        FrameSmallPop[i].setVisible(false);
    try {
        if (vb::WebBrowser* b = shownBrowser())
            b->execWB(vb::WebBrowser::ExecSaveAs, vb::WebBrowser::PromptUser);
    } catch (const std::exception&) {
    }
}

void frmWeb::CommandPopPrint_Click()
{
    for (int i : {5, 0, 4, 1, 2})
        FrameSmallPop[i].setVisible(false);
    try {
        if (vb::WebBrowser* b = shownBrowser())
            b->execWB(vb::WebBrowser::ExecPrint, vb::WebBrowser::PromptUser);
    } catch (const std::exception&) {
    }
}

} // namespace corvane
