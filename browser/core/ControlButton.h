#pragma once
// Keeping the main window in line with the browser set: the current-browser display, the
// location lists, the back and forward images, the Tab List, the band and browser layout,
// the menus and full-window mode.

#include <QString>

namespace corvane {

class CorvaneApp;

// Display.
void CurrentBrowserShow(CorvaneApp& app);
void LocationListRefresh(CorvaneApp& app);
void BackForwardUpdate(CorvaneApp& app);
void ComLocationSync(CorvaneApp& app);
void TabListRefresh(CorvaneApp& app);
// A browser not on screen has a new page: its title, tool tips and Tab List line follow it.
void BrowserTitleShow(CorvaneApp& app, bool isTab, int index, const QString& address);
// Home on both bars follows the home page of the main browser on screen (a home page has
// changed): offered only while that browser is away from it.
void HomeButtonRefresh(CorvaneApp& app);
// Adds a site root to the current browser's lists (only addresses beginning with "http").
void LocationListAdd(CorvaneApp& app, const QString& url);

// Layout, menus and mode.
void FramesClose(CorvaneApp& app, bool alsoSideFrames);
void TopBandLayout(CorvaneApp& app);
void CurrentBrowserMove(CorvaneApp& app, int top);
void UserPictureLayout(CorvaneApp& app, int highestTab);
void MenuClose(CorvaneApp& app, int menuIndex);
void MenusRestore(CorvaneApp& app, bool closeFramesFirst);
void MainWindowLayout(CorvaneApp& app);
void FullWindowSet(CorvaneApp& app, bool fullWindow);

} // namespace corvane
