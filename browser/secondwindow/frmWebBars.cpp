// The secondary window's two looks: the normal bar band, and full-window mode with the
// "Show" button, the compact bar and the "Controls" frame.

#include "frmWeb.h"

#include "CorvaneApp.h"

namespace corvane {

void frmWeb::wireBarEvents()
{
    CommandFullPop.onClick = [this] { CommandFullPop_Click(); };
    CommandPopZero.onClick = [this] { CommandPopZero_Click(); };
    CommandPopComTab.onClick = [this] { CommandPopComTab_Click(); };
    CommandPopCommon.onClick = [this] { CommandPopCommon_Click(); };
    CommandPopOne.onClick = [this](int i) { CommandPopOne_Click(i); };
}

// The compact bar's list takes the shown slot's list, when it has one; its box shows the
// page's address, wholly selected.
void frmWeb::comListFill()
{
    const vb::ComboBox* box = ComboPopLocation.find(PopTabCurrent);
    if (box && box->listCount() > 0) {
        ComboPopComLocation.clear();
        ComboPopComLocation.setListIndex(-1);
        for (const QString& entry : box->items())
            ComboPopComLocation.addItem(entry);
    }
    const vb::WebBrowser* b = shownBrowser();
    const QString address = b ? b->locationURL() : QString();
    ComboPopComLocation.setText(address);
    ComboPopComLocation.setSelStart(0);
    ComboPopComLocation.setSelLength(int(address.size()));
}

void frmWeb::CommandFullPop_Click()
{
    PopPanelShow(-1, false);
    FramePopMainBut[0].setVisible(false);
    FramePopList.setVisible(false);
    FrameBigPop.setVisible(false);

    PopFullWindow = true;
    PopBandHeight = 0;
    PopBrowserHeight = PopHeight - 32;

    comListFill();
    PopBarIndex = 1;
    FramePopZero.setVisible(true);
    FramePopCommon.setVisible(true);

    if (vb::WebBrowser* b = shownBrowser())
        b->move(PopBrowserLeft, 0, PopBrowserWidth, PopBrowserHeight);
}

void frmWeb::CommandPopZero_Click()
{
    FramePopOne.setTop(FramePopCommon.height());
    FramePopOne.setVisible(!FramePopOne.isVisible());
    if (!FramePopCommon.isVisible())
        FramePopCommon.setVisible(FramePopOne.isVisible());
}

void frmWeb::CommandPopComTab_Click()
{
    if (FramePopCommon.height() == 59) {
        PopTabRowHidden = true;
        FramePopCommon.setHeight(27);
        CommandPopComTab.setPicture(face(0));
    } else {
        PopTabRowHidden = false;
        FramePopCommon.setHeight(59);
        CommandPopComTab.setPicture(face(3));
    }
    FramePopOne.setTop(FramePopCommon.height());
    PicturePop.setFocus();
}

void frmWeb::CommandPopCommon_Click()
{
    PopBarIndex = 0;
    FramePopCommon.setVisible(false);
    FramePopOne.setTop(16);
    PicturePop.setFocus();
}

void frmWeb::CommandPopOne_Click(int index)
{
    PicturePop.setFocus();
    switch (index) {
    case 0:
        FramePopOne.setVisible(false);
        break;
    case 1:
        PopBarIndex = PopBarIndex == 1 ? 0 : 1;
        if (PopBarIndex == 1) {
            comListFill();
            FramePopOne.setTop(FramePopCommon.height());
        } else {
            FramePopOne.setTop(16);
        }
        FramePopCommon.setVisible(PopBarIndex == 1);
        if (PopBarIndex == 1)
            ComboPopComLocation.setFocus();
        break;
    case 2:
        CommandPopCreateTab_Click();
        break;
    case 3: {
        PopFullWindow = false;
        PopBarIndex = 0;
        FramePopOne.setVisible(false);
        FramePopZero.setVisible(false);
        FramePopCommon.setVisible(false);

        PopBandHeight = PopTabCount > 0 ? BandWithTabs : BandNoTabs;
        PopBrowserHeight = PopHeight - (PopBandHeight + 32);

        FramePopMainBut[0].setVisible(true);
        if (PopTabCount > 0)
            FramePopList.setVisible(PopListVisible);

        FrameBigPop.move(PopBrowserLeft, 0, PopBrowserWidth, PopBandHeight);
        FrameClose.setLeft(PopBrowserWidth * m_app.prog.TwipsPerPixelX - FrameClose.width());
        UserPictureLayout();
        bandLayout();
        LinePop.setY1(PopBandHeight * m_app.prog.TwipsPerPixelY);
        LinePop.setY2(PopBandHeight * m_app.prog.TwipsPerPixelY);
        FrameBigPop.setVisible(true);

        if (vb::WebBrowser* b = shownBrowser())
            b->move(PopBrowserLeft, PopBandHeight, PopBrowserWidth, PopBrowserHeight);
        break;
    }
    case 4:
        CommandClosePop_Click();
        break;
    default:
        break;
    }
}

} // namespace corvane
