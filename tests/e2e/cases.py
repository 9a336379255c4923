"""The end-to-end tests: the real program under a virtual display, driven as a new user
would, checked on the page server's log, on the screen and on the data files.

Each test gets a fresh portable copy, a fresh home, its own display and its own page
server (the `t` argument, a runner.Case). Places on the windows are the controls' design
places, in pixels from the window's client corner:
  main window:   the location box at y 61 from x 260, the busy picture at (666, 33), the
                 Tools menu button at (204, 16) and its menu under it from (194, 32),
                 217 x 68 when open; "Full Window" at 72 pixels from the right edge; pages
                 start at y 76 (108 once a tab is open);
  full-window bar: its location box at (400, 15);
  secondary window (880 pixels wide, no user picture): the location box at (300, 16),
                 stretched to the window buttons, then Go at (688, 16) and the busy
                 picture at (722, 7);
  main window's Go: at (658, 61); the help window's Activate button: at (526, 12).
"""

import os
import shutil
import signal
import time

import harness
import pages
from harness import check

CASES = []

MAIN_LOCATION = (600, 60)
MAIN_TOOLS_BUTTON = (172, 14)
MAIN_TOOLS_MENU = (163, 32, 217, 68)
MAIN_BUSY = (1144, 32, 16, 16)
MAIN_PAGE_TOP = 76
MAIN_PAGE_TOP_WITH_TABS = 108
FULL_WINDOW_FROM_RIGHT = 56
FULL_BAR_LOCATION = (400, 15)
SECOND_LOCATION = (300, 16)
SECOND_BUSY = (722, 7, 16, 16)
SECOND_PAGE_TOP = 76
SECOND_TITLE = ": Corvane$"


def case(fn):
    CASES.append(fn)
    return fn


# --------------------------------------------------------------------------------------
# Steps that several tests take


def wait_load_end(t, window, busy=MAIN_BUSY):
    """Waits for the end of the window's page load as the user sees it: the busy picture,
    which changes every 200 ms while a page loads, holds still for 0.6 s. (A page has run
    its scripts before its load ends; the end of the load still moves the focus and closes
    the menus.)"""
    x, y, _, _ = t.display.geometry(window)
    area = (x + busy[0], y + busy[1], busy[2], busy[3])
    state = {"last": None, "since": 0.0}

    def still():
        now = t.display.grab(area).rows
        if now != state["last"]:
            state["last"], state["since"] = now, time.monotonic()
        return time.monotonic() - state["since"] >= 0.6
    check(harness.wait_for(still, 20), "the page never finished loading (the busy picture kept moving for 20 s)")


def open_home(t, path, page, **options):
    """Starts the program on a home page and waits until the page is loaded and still."""
    p = t.start(t.settings([t.server.url(path)], **options))
    t.wait_ready(page)
    wait_load_end(t, p.main_window())
    return p


def click_page(t, window, box, top=MAIN_PAGE_TOP):
    """Clicks the middle of a box of the page (pages.FIRST, pages.SECOND) in a window."""
    x, y, _, _ = t.display.geometry(window)
    cx, cy = pages.centre(box)
    t.display.click(x + cx, y + top + cy)


def location_text(t, window, spot):
    """What a location box shows: click into it, select all, copy, read the clipboard."""
    x, y, _, _ = t.display.geometry(window)
    t.display.click(x + spot[0], y + spot[1])
    t.display.key("ctrl+a", "ctrl+c")
    return t.display.clipboard().strip()


def enter_address(t, window, spot, address):
    """Clicks into a location box, replaces its text by typing an address, presses Enter."""
    x, y, _, _ = t.display.geometry(window)
    t.display.click(x + spot[0], y + spot[1])
    t.display.key("ctrl+a")
    t.display.type(address, delay_ms=20)
    t.display.key("Return")


def check_address_entered(t, window, spot, path):
    address = t.server.url(path)
    enter_address(t, window, spot, address)
    check(harness.wait_for(lambda: t.server.seen(path), 5),
          "Enter in the location box did not load the typed address %s (no request reached the server)" % address)
    check(harness.wait_for(lambda: t.server.seen("/ready", p=path.rsplit("/", 1)[1][:-5]), 5),
          "the typed address was requested but its page never ran")
    shown = []
    if not harness.wait_for(lambda: shown.append(location_text(t, window, spot)) or shown[-1] == address, 3, step=0.5):
        t.expect(False, "after the load the location box shows %r, not the typed address %r" % (shown[-1], address))


def colour_shown(t, window, top, colour, timeout=5):
    """Waits until the page area of a window shows the colour (a page that fills it)."""
    def shown():
        _, _, w, h = t.display.geometry(window)
        px, py = min(600, w // 2), min(top + 300, (h + top) // 2)
        return t.display.grab_window(window, (px, py, 1, 1)).pixel(0, 0) == colour
    return harness.wait_for(shown, timeout, step=0.2)


def unpainted(t, window):
    """True when the bar band of a window is still nearly all black: nothing was drawn."""
    _, _, w, h = t.display.geometry(window)
    band = t.display.grab_window(window, (0, 0, w, min(h, 76)))
    black = sum(1 for row in band.rows for i in range(0, len(row), 3) if row[i:i + 3] == b"\x00\x00\x00")
    return black >= 0.9 * band.width * band.height


def in_front(t, window, timeout=5):
    """Waits until the window is the active one: the keys typed next go to it."""
    return harness.wait_for(lambda: t.display.active_window() == window, timeout)


def secondary_window(t, program, timeout=10):
    """The program's secondary window, once it is the window in front (a page's new window
    comes to the front: the clicks that follow are meant for it)."""
    found = harness.wait_for(lambda: t.display.windows(SECOND_TITLE, program.proc.pid), timeout)
    check(found, "no secondary window appeared (windows of the program: %s)" % t.window_titles(program))
    check(harness.wait_for(lambda: t.display.active_window() == found[0], timeout),
          "the secondary window did not come to the front")
    return found[0]


def close_and_check_exit(t, program, exits):
    """Closes the main window from its title bar; the program must end by itself, cleanly,
    with its engine helpers, and count the close in the settings file."""
    window = program.main_window()
    t.display.close_from_title_bar(window)
    code = program.wait_exit(10)
    check(code is not None, "the program still ran 10 s after its main window was closed from the title bar")
    check(code == 0, "the program ended with %s after a title-bar close (0 expected)"
          % ("signal %d" % -code if code < 0 else "code %d" % code))
    t.expect(program.helpers_gone(10), "engine helper processes outlived the program")
    items = program.settings_items()
    check(items is not None and len(items) == 15,
          "the settings file was not written whole at the exit: %r" % (items,))
    t.expect(items[0] == str(exits), "the settings file counts %s exits, %d expected (a title-bar close counts one)"
             % (items[0], exits))


def save_download(t, program):
    """After a click on a download link: answers a save dialog if one comes (types a path
    into it and presses Enter) and waits for the file. Returns (path, how) or (None, why)."""
    target_dir = os.path.join(t.base, "saved")
    os.makedirs(target_dir, exist_ok=True)
    target = os.path.join(target_dir, pages.DOWNLOAD_NAME)

    def dialog():
        return [w for w in t.display.windows(".", program.proc.pid)
                if not t.display.title(w).startswith(harness.MAIN_TITLE) and not t.display.title(w).endswith(": Corvane")]

    def saved():
        return t.find_file(pages.DOWNLOAD_NAME)

    first = harness.wait_for(lambda: dialog() or saved(), 6, step=0.2)
    if not first:
        return None, "no save dialog appeared and no file was saved within 6 s"
    if isinstance(first, str):
        return first, "saved without a dialog"
    title = t.display.title(first[0])
    t.note("a save dialog appeared: %r" % title)
    check(in_front(t, first[0]), "the save dialog %r did not come to the front" % title)
    t.display.key("ctrl+a")
    t.display.type(target, delay_ms=10)
    t.display.key("Return")
    path = harness.wait_for(saved, 10, step=0.2)
    if not path:
        return None, "a save dialog (%r) appeared; typing %s and Enter saved no file" % (title, target)
    return path, "saved through the dialog %r" % title


# --------------------------------------------------------------------------------------
# The tests


@case
def location_enter_main(t):
    """Main window: typing an address into the location box and pressing Enter loads it."""
    p = open_home(t, "/page/home.html", "home")
    check_address_entered(t, p.main_window(), MAIN_LOCATION, "/page/typed.html")


@case
def location_enter_secondary(t):
    """Secondary window (a page's window.open with NewWindowSeparate on): typing an address
    into its location box and pressing Enter loads it in that window."""
    p = open_home(t, "/window-open.html", "window-open", new_window_separate=True)
    click_page(t, p.main_window(), pages.FIRST)
    window = secondary_window(t, p)
    t.wait_ready("second")
    wait_load_end(t, window, SECOND_BUSY)
    t.expect(harness.wait_for(lambda: not unpainted(t, window), 5, step=0.5),
             "the secondary window stayed black for 5 s: nothing was drawn in it")
    check_address_entered(t, window, SECOND_LOCATION, "/page/typed-second.html")


def black_on_screen(t, area):
    """True when an area of the screen is nearly all black: nothing was drawn there."""
    pic = t.display.grab(area)
    black = sum(1 for row in pic.rows for i in range(0, len(row), 3) if row[i:i + 3] == b"\x00\x00\x00")
    return black >= 0.9 * pic.width * pic.height


@case
def page_opened_window_is_drawn_on_screen(t):
    """A secondary window that a page opens (NewWindowSeparate on) over the maximised main
    window shows its bars and its page on the screen, and the main window beside it stays
    drawn."""
    p = open_home(t, "/window-open.html?fill=1", "window-open", new_window_separate=True)
    main = p.main_window()
    click_page(t, main, pages.FIRST)
    window = secondary_window(t, p)
    t.wait_ready("second")
    x, y, w, h = t.display.geometry(window)
    mx, my, mw, _ = t.display.geometry(main)
    beside = x + w + 8

    def drawn(area):
        return not black_on_screen(t, area)

    def filled(area):
        return t.display.grab((area[0] + area[2] // 2, area[1] + area[3] // 2, 1, 1)).pixel(0, 0) == pages.FILL
    for what, area, shown in (
            ("the secondary window's bars", (x, y, w, SECOND_PAGE_TOP), drawn),
            ("the secondary window's page", (x, y + SECOND_PAGE_TOP, w, h - SECOND_PAGE_TOP), filled),
            ("the main window's bar beside it", (beside, my, mx + mw - beside, MAIN_PAGE_TOP), drawn)):
        t.expect(harness.wait_for(lambda: shown(area), 5, step=0.2),
                 "%s not drawn on the screen within 5 s (%s)" % (
                     what, "all black" if black_on_screen(t, area) else "another picture"))


@case
def location_enter_full_window(t):
    """Full-window bar: typing an address into its location box and pressing Enter loads it."""
    p = open_home(t, "/page/home.html", "home")
    window = p.main_window()
    x, y, w, _ = t.display.geometry(window)
    before = t.display.grab((x, y, w, 30))
    t.display.click(x + w - FULL_WINDOW_FROM_RIGHT, y + 17)
    check(harness.wait_for(lambda: t.display.grab((x, y, w, 30)).differing_pixels(before) > 0, 3, step=0.2),
          "the Full Window button changed nothing on the screen")
    check_address_entered(t, window, FULL_BAR_LOCATION, "/page/typed-full.html")


def focus_page_field(t, window):
    """Clicks into the page's text field until it holds the focus for half a second: the
    end of a load may still move the focus after the page has run its scripts, and a user
    clicks again when the caret goes away."""
    def has_focus():
        return t.server.values("/focus", "in")[-1:] == ["1"]
    for attempt in range(3):
        before = len(t.server.seen("/focus"))
        click_page(t, window, pages.FIRST)
        got = harness.wait_for(lambda: t.server.values("/focus", "in")[before:].count("1"), 3)
        if got and harness.stays(has_focus, 0.5):
            return
        t.note("the page's field lost the focus after click %d" % (attempt + 1))
    raise harness.Failure("the page's text field does not keep the focus after a click")


def typing_into_rewriting_page(t, how):
    p = open_home(t, "/rewrite.html?how=" + how, "rewrite")
    focus_page_field(t, p.main_window())
    t.display.type("hello", delay_ms=150)
    got = harness.wait_for(lambda: "hello" in t.server.values("/typed", "v"), 3, step=0.1)
    typed = t.server.values("/typed", "v")
    check(got, "typing \"hello\" into a page that rewrites its address (%s) at every key gave the page %r%s"
          % (how, typed[-1] if typed else "",
             ", and its field lost the focus" if t.server.values("/focus", "in")[-1] == "0" else ""))
    t.expect(typed == ["h", "he", "hel", "hell", "hello"],
             "the page saw the keys out of order or twice: %r" % typed)
    t.expect(t.server.values("/focus", "in")[-1] == "1", "the page's field lost the focus while typing")


@case
def keys_reach_page_rewriting_address(t):
    """A page that rewrites its address with history.replaceState at every key gets every key."""
    typing_into_rewriting_page(t, "replace")


@case
def keys_reach_page_pushing_address(t):
    """The same with history.pushState at every key."""
    typing_into_rewriting_page(t, "push")


@case
def menu_stays_open_while_hash_ticks(t):
    """An open drop-down menu stays open while the page changes its hash every 200 ms."""
    p = open_home(t, "/ticker.html", "ticker")
    check_menu_stays_open(t, p.main_window())


def check_menu_stays_open(t, window, ticks=15):
    """Opens the Tools menu and watches its area while the page ticks its hash 15 more
    times (3 s): it must not change."""
    x, y, _, _ = t.display.geometry(window)
    area = (x + MAIN_TOOLS_MENU[0], y + MAIN_TOOLS_MENU[1], MAIN_TOOLS_MENU[2], MAIN_TOOLS_MENU[3])
    closed = t.display.grab(area)
    size = closed.width * closed.height
    t.display.click(x + MAIN_TOOLS_BUTTON[0], y + MAIN_TOOLS_BUTTON[1])
    # The menu slides open in six 20 ms steps; then its area holds still.
    check(harness.wait_for(lambda: t.display.grab(area).differing_pixels(closed) > size // 3, 2, step=0.02),
          "the Tools menu was never seen open after a click on its button (closed at once?)")
    state = {"last": t.display.grab(area), "since": time.monotonic()}

    def still():
        now = t.display.grab(area)
        if now.differing_pixels(state["last"]):
            state["last"], state["since"] = now, time.monotonic()
        return time.monotonic() - state["since"] >= 0.2
    check(harness.wait_for(still, 2, step=0.02), "the Tools menu kept changing after it opened")
    opened = state["last"]
    check(opened.differing_pixels(closed) > size // 3, "the Tools menu closed as soon as it had opened")
    t0 = time.monotonic()
    until = len(t.server.seen("/tick")) + ticks

    def changed_or_ticked():
        changed = t.display.grab(area).differing_pixels(opened)
        return ("changed", changed) if changed else len(t.server.seen("/tick")) >= until and ("ticked", 0)
    seen = harness.wait_for(changed_or_ticked, 20, step=0.1)
    check(seen, "the page stopped ticking its hash while the menu was open")
    if seen[0] == "changed":
        now = t.display.grab(area)
        what = "closed" if now.differing_pixels(closed) < size // 100 else "changed (%d pixels)" % seen[1]
        raise harness.Failure("the open Tools menu %s %.1f s after it opened, while the page ticked its hash"
                              % (what, time.monotonic() - t0))


def restart_and_check_cookies(t, program, path, when):
    """Starts the program again on its home page path: the cookies that page set in the
    last run must come with its request."""
    program.start()
    check(harness.wait_for(lambda: len(t.server.seen(path)) >= 2, 30), "the second start did not load its home page")
    cookie = t.server.seen(path)[1].cookie
    for name in ("e2e_header", "e2e_script"):
        t.expect("%s=%s" % (name, pages.COOKIE_VALUE) in cookie,
                 "the cookie %s %s was not sent at the next start (Cookie: %r)" % (name, when, cookie))


@case
def cookie_set_before_title_bar_close_is_sent_next_start(t):
    """A cookie set five seconds before a title-bar close is sent at the next start."""
    p = open_home(t, "/cookie.html", "cookie")
    # The scenario itself: the close comes five seconds after the cookie was set.
    check(harness.stays(p.alive, 5), "the program ended by itself after setting its cookies (%s)" % t.exit_text(p))
    close_and_check_exit(t, p, exits=1)
    restart_and_check_cookies(t, p, "/cookie.html", "set 5 s before the close")
    t.wait_ready("cookie", count=2)
    close_and_check_exit(t, p, exits=2)


def blank_window_written(t, separate):
    p = open_home(t, "/opener.html", "opener", new_window_separate=separate)
    click_page(t, p.main_window(), pages.FIRST)
    check(harness.wait_for(lambda: t.server.seen("/opened"), 5), "the page's button did not run (no /opened)")
    check(t.server.seen("/opened", got="1"), "window.open gave the page no window")
    check(harness.wait_for(lambda: t.server.seen("/written"), 5), "the blank window's written page never ran")
    # The hand-over is done once the written page is on the screen; a crash on the way
    # shows as the program's end.
    died = "the program died after a page opened a blank window and wrote into it (%s)"
    if separate:
        harness.wait_for(lambda: t.display.windows(SECOND_TITLE, p.proc.pid) or not p.alive(), 5)
        check(p.alive(), died % t.exit_text(p))
        window = secondary_window(t, p, timeout=5)
        t.expect(colour_shown(t, window, SECOND_PAGE_TOP, pages.FILL),
                 "the secondary window does not show the written page%s"
                 % (" (it is black: nothing was drawn in it)" if unpainted(t, window) else ""))
    else:
        found = harness.wait_for(lambda: colour_shown(t, p.main_window(), MAIN_PAGE_TOP_WITH_TABS, pages.FILL, 0.2)
                                 or not p.alive(), 5)
        check(p.alive(), died % t.exit_text(p))
        t.expect(found, "no tab shows the written page")
    check(p.alive(), died % t.exit_text(p))
    close_and_check_exit(t, p, exits=1)


@case
def blank_window_written_opens_tab(t):
    """A page that opens a blank window and writes into it: a tab shows what was written,
    the program lives and exits cleanly at a title-bar close."""
    blank_window_written(t, separate=False)


@case
def blank_window_written_opens_secondary_window(t):
    """The same with NewWindowSeparate on: a secondary window shows what was written."""
    blank_window_written(t, separate=True)


@case
def download_link_saves_file(t):
    """A download link (Content-Disposition: attachment) saves its file."""
    p = open_home(t, "/links.html?first=download", "links")
    click_page(t, p.main_window(), pages.FIRST)
    check(harness.wait_for(lambda: t.server.seen("/download/" + pages.DOWNLOAD_NAME), 5),
          "the click on the download link sent no request")
    path, how = save_download(t, p)
    check(path, "the download link saved no file: " + how)
    t.note(how + ": " + path)

    def body():
        with open(path, "rb") as f:
            return f.read()
    check(harness.wait_for(lambda: body() == pages.DOWNLOAD_BODY, 5),
          "the saved file holds %r, not what the server sent" % body()[:80])
    check(p.alive(), "the program died after the download (%s)" % t.exit_text(p))


def check_blank_link_opens_tab(t, program, after=""):
    click_page(t, program.main_window(), pages.SECOND)
    check(harness.wait_for(lambda: t.server.seen("/page/blank-target.html"), 5),
          "%sa click on a target=_blank link opened no tab (no request for its page)" % after)
    t.expect(colour_shown(t, program.main_window(), MAIN_PAGE_TOP_WITH_TABS, pages.FILL),
             "%sthe target=_blank link's page was loaded but no tab shows it" % after)


@case
def blank_link_opens_tab(t):
    """A target=_blank link opens a tab (the ground the next two tests stand on)."""
    p = open_home(t, "/links.html?first=download", "links")
    check_blank_link_opens_tab(t, p)


@case
def blank_link_after_download_opens_tab(t):
    """After a link to a download, a target=_blank link still opens a tab."""
    p = open_home(t, "/links.html?first=download", "links")
    click_page(t, p.main_window(), pages.FIRST)
    check(harness.wait_for(lambda: t.server.seen("/download/" + pages.DOWNLOAD_NAME), 5),
          "the click on the download link sent no request")
    path, how = save_download(t, p)
    t.note("the download: " + (how if path is None else how + ": " + path))
    check_blank_link_opens_tab(t, p, after="after a download link, ")


@case
def blank_link_after_no_content_opens_tab(t):
    """After a link that answers 204 No Content, a target=_blank link still opens a tab."""
    p = open_home(t, "/links.html?first=no-content", "links")
    click_page(t, p.main_window(), pages.FIRST)
    check(harness.wait_for(lambda: t.server.seen("/no-content"), 5), "the click on the 204 link sent no request")
    # The engine is done with the 204 once the window shows no load under way.
    wait_load_end(t, p.main_window())
    check_blank_link_opens_tab(t, p, after="after a 204 link, ")


@case
def main_window_stays_maximised(t):
    """The main window opens maximised and stays so once its first page is shown, with its
    title bar (and its close button) on the screen."""
    p = open_home(t, "/page/home.html", "home")
    window = p.main_window()
    state = t.display.run(["xprop", "-id", str(window), "_NET_WM_STATE"], check=False)
    _, y, _, _ = t.display.geometry(window)
    extents = t.display.run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], check=False)
    t.expect("_NET_WM_STATE_MAXIMIZED_VERT" in state and "_NET_WM_STATE_MAXIMIZED_HORZ" in state,
             "the main window is not maximised once its page is shown (%s)" % state.strip())
    top = int(extents.split("=")[1].split(",")[2]) if "=" in extents else 0
    t.expect(y >= top, "the main window's title bar is off the screen: its client area starts at y %d, "
                       "under a title bar %d pixels high" % (y, top))


MAIN_GO = (1128, 61)
SECOND_GO = (688, 16)
HELP_ACTIVATE = (508, 11)


def type_and_go(t, window, box, go, address):
    """Clicks into a location box, replaces its text by typing, and clicks Go."""
    x, y, _, _ = t.display.geometry(window)
    t.display.click(x + box[0], y + box[1])
    t.display.key("ctrl+a")
    t.display.type(address, delay_ms=20)
    t.display.click(x + go[0], y + go[1])


def history_file_columns(program):
    """The kept history file: its records, each a list of six addresses."""
    path = os.path.join(program.data_folder(), "Hist.Velmora")
    with open(path, "rb") as f:
        lines = [line for line in f.read().decode("utf-8", "replace").split("\r\n") if line]
    return [[item.strip('"') for item in line.split(",")] for line in lines]


@case
def history_keeps_site_of_numbered_address(t):
    """With history kept for browser 1, a page on http://127.0.0.1:PORT is kept as that
    site, http://127.0.0.1:PORT/, in the history file written at the exit."""
    home = "http://localhost:%d/page/home.html" % t.server.port
    items = t.settings([home]).decode().split("\r\n")
    items[1] = "1"  # the history mask: browser 1 keeps its history
    p = t.start("\r\n".join(items).encode())
    t.wait_ready("home")
    window = p.main_window()
    wait_load_end(t, window)
    type_and_go(t, window, MAIN_LOCATION, MAIN_GO, t.server.url("/plain"))
    check(harness.wait_for(lambda: t.server.seen("/plain"), 5), "Go sent no request for the typed address")
    wait_load_end(t, window)
    close_and_check_exit(t, p, exits=1)
    records = history_file_columns(p)
    kept = [r[0] for r in records if r and r[0]]
    site = t.server.url("/")
    check(site in kept, "the history file keeps %r for browser 1, not the site %s" % (kept, site))
    t.expect(all(k.endswith("/") for k in kept), "the history file keeps sites cut short: %r" % kept)


@case
def secondary_window_opens_typed_local_file(t):
    """In a secondary window, "file:///" and the path of a local page, typed into the
    location box, open that page."""
    local = os.path.join(t.base, "local page.html")
    with open(local, "wb") as f:
        f.write(pages.page("Local", "<h1>A local page</h1><img src=\"%s\">" % t.server.url("/ready?p=local")))
    address = "file://" + local.replace(" ", "%20")
    p = open_home(t, "/window-open.html", "window-open", new_window_separate=True)
    click_page(t, p.main_window(), pages.FIRST)
    window = secondary_window(t, p)
    t.wait_ready("second")
    wait_load_end(t, window, SECOND_BUSY)
    type_and_go(t, window, SECOND_LOCATION, SECOND_GO, address)
    check(harness.wait_for(lambda: t.server.seen("/ready", p="local"), 10),
          "the local page typed as %s did not open in the secondary window" % address)


def window_state(t, window):
    return t.display.run(["xprop", "-id", str(window), "WM_STATE"], check=False)


@case
def help_activate_restores_minimised_browser(t):
    """The help program's Activate button brings a minimised browser back on the screen."""
    p = open_home(t, "/page/home.html", "home")
    window = p.main_window()
    t.display.run(["xdotool", "windowminimize", str(window)])
    check(harness.wait_for(lambda: "Iconic" in window_state(t, window), 5),
          "the main window could not be minimised (%s)" % window_state(t, window).strip())
    helper = p.start_help()
    found = harness.wait_for(lambda: t.display.windows("Corvane", helper.pid) or helper.poll() is not None, 20)
    check(found and found is not True, "the help program's window did not appear")
    help_window = found[0]
    x, y, _, _ = t.display.geometry(help_window)
    button = (x + HELP_ACTIVATE[0] - 10, y + HELP_ACTIVATE[1] - 10, 20, 20)

    def drawn():
        rows = t.display.grab(button).rows
        return len({row[i:i + 3] for row in rows for i in range(0, len(row), 3)}) > 2
    check(harness.wait_for(drawn, 10, step=0.2), "the help program's Activate button was never drawn")
    t.display.click(x + HELP_ACTIVATE[0], y + HELP_ACTIVATE[1])
    check(harness.wait_for(lambda: "Normal" in window_state(t, window), 15),
          "after Activate the browser's window is still minimised (%s)" % window_state(t, window).strip())
    t.expect(harness.wait_for(lambda: t.display.active_window() == window, 3),
             "the browser's window came back but is not the active window")


def bookmark_records(program):
    """The bookmark file's records (one a line), or None when it cannot be read."""
    try:
        with open(os.path.join(program.data_folder(), "Mark.Velmora"), "rb") as f:
            return [line for line in f.read().decode("utf-8", "replace").split("\r\n") if line]
    except OSError:
        return None


@case
def stale_bookmark_counts_keep_every_bookmark(t):
    """A settings file whose bookmark count is behind the bookmark file (another copy saved
    since, or a write that failed) neither cuts nor empties the list: a run and a title-bar
    close later every bookmark is still there, and counted. A count of -1 is no list: the
    run shows none and leaves the file as it is."""
    bookmarks = [b'"One","http://one.example/"', b'"Two","http://two.example/"',
                 b'"Three","http://three.example/"']
    p = None
    for run, count in enumerate(("0", "-1"), 1):
        items = harness.settings_file([t.server.url("/page/home.html")]).split(b"\r\n")
        items[2] = count.encode()
        if p is None:
            p = harness.Program(os.path.join(t.base, "run1"), t.portable, t.display, b"\r\n".join(items))
            t.programs.append(p)
        else:
            with open(p.settings_path(), "wb") as f:
                f.write(b"\r\n".join(items))
        with open(os.path.join(p.data_folder(), "Mark.Velmora"), "wb") as f:
            f.write(b"\r\n".join(bookmarks) + b"\r\n")
        p.start()
        t.wait_ready("home", count=run)
        wait_load_end(t, p.main_window())
        close_and_check_exit(t, p, 1)
        kept = bookmark_records(p)
        check(kept == [b.decode() for b in bookmarks],
              "with a bookmark count of %s in the settings, the three bookmarks became %r" % (count, kept))
        expected = 2 if count == "0" else -1
        check(settings_count(p, 2) == expected, "with a bookmark count of %s in the settings, the exit wrote %r, not %d"
              % (count, settings_count(p, 2), expected))


@case
def moved_folder_opens_product_page(t):
    """A portable folder that is used, closed and moved elsewhere opens the product page of
    its new place, not a blank page."""
    p = t.start(None)
    window = p.main_window()
    wait_load_end(t, window)
    close_and_check_exit(t, p, 1)
    moved = os.path.join(t.base, "elsewhere", "Corvane")
    os.makedirs(os.path.dirname(moved))
    shutil.move(p.folder, moved)
    p.folder = moved
    p.start()
    window = p.main_window()
    wait_load_end(t, window)
    expected = "file://" + os.path.join(moved, "site", "Corvane.html").replace(" ", "%20")
    shown = []
    check(harness.wait_for(lambda: shown.append(location_text(t, window, MAIN_LOCATION)) or shown[-1] == expected,
                           5, step=0.5),
          "after the move the main browser shows %r, not the product page %r" % (shown[-1], expected))


def page_dialog(t, program, after=(), timeout=10):
    """A dialog the program opened for a page (not one of those in after), once it is on the
    screen and in front."""
    found = harness.wait_for(lambda: [w for w in t.display.windows("^Message from ", program.proc.pid)
                                      if w not in after], timeout)
    check(found, "no dialog for the page's alert appeared (windows of the program: %s)" % t.window_titles(program))
    t.display.run(["xdotool", "windowactivate", "--sync", str(found[0])], check=False)
    check(harness.wait_for(lambda: t.display.active_window() == found[0], 5), "the page's dialog did not come to the front")
    return found[0]


def end_session_and_check_exit(t, program):
    """What a logout does: SIGTERM. The program must end by itself, cleanly, with code 0."""
    os.kill(program.proc.pid, signal.SIGTERM)
    code = program.wait_exit(10)
    check(code is not None, "the program still ran 10 s after SIGTERM")
    output = program.output()
    check("double free" not in output and "corruption" not in output,
          "the program's end was a crash: %s" % output[-600:])
    check(code == 0, "the program ended with %s after SIGTERM (0 expected); its output ends: %s"
          % ("signal %d" % -code if code < 0 else "code %d" % code, output[-400:]))
    t.expect(program.helpers_gone(10), "engine helper processes outlived the program")
    items = program.settings_items()
    check(items is not None and len(items) == 15, "the settings file was not written whole at the end: %r" % (items,))


@case
def session_end_during_alert_is_clean(t):
    """SIGTERM while a page's alert is open ends the program with code 0, and the cookie the
    page set before is sent at the next start."""
    p = open_home(t, "/cookie-alert.html", "cookie-alert")
    check(harness.wait_for(lambda: t.server.seen("/alerting"), 10), "the page never raised its alert")
    page_dialog(t, p)
    end_session_and_check_exit(t, p)
    restart_and_check_cookies(t, p, "/cookie-alert.html", "set before SIGTERM")
    check(harness.wait_for(lambda: len(t.server.seen("/alerting")) >= 2, 10), "the second start raised no alert")
    page_dialog(t, p)
    end_session_and_check_exit(t, p)


@case
def title_bar_close_during_alert_closes_both(t):
    """Closing the main window from its title bar while a page's alert is open closes the
    alert and then the window: the program ends with code 0 and counts the close."""
    p = open_home(t, "/alert-loop.html", "alert-loop")
    page_dialog(t, p)
    close_and_check_exit(t, p, exits=1)


@case
def alert_loop_is_stopped_by_the_offer(t):
    """A page that raises one alert after another: the second dialog offers to stop the
    page's dialogs; taken (Alt+S, Enter), no further dialog comes, the page runs on, and the
    window answers its title bar."""
    p = open_home(t, "/alert-loop.html", "alert-loop")
    first = page_dialog(t, p)
    t.display.key("Return")
    second = page_dialog(t, p, after=[first])
    t.display.key("alt+s", "Return")
    check(harness.wait_for(lambda: t.server.seen("/loop-ended"), 10),
          "the page's loop did not end once its dialogs were stopped")
    t.expect(not t.display.windows("^Message from ", p.proc.pid), "a page's dialog is still on the screen")
    close_and_check_exit(t, p, exits=1)


MAIN_VIEW_BUTTON = (120, 14)
VIEW_OPTIONS = (227, 54)
MAIN_HELP_BUTTON = (225, 14)
HELP_HELP = (230, 71)
OPTIONS_TITLE = "^" + harness.MAIN_TITLE + "$"
MESSAGE_TITLE = "^Message For - " + harness.NICKNAME + "$"


def open_menu_item(t, window, button, item):
    """Clicks a drop-down menu's button, waits until the menu has slid open and holds still
    around the item, and clicks the item."""
    x, y, _, _ = t.display.geometry(window)
    area = (x + item[0] - 40, y + item[1] - 10, 80, 20)
    closed = t.display.grab(area)
    t.display.click(x + button[0], y + button[1])
    state = {"last": None, "since": 0.0}

    def open_and_still():
        now = t.display.grab(area)
        if state["last"] is None or now.differing_pixels(state["last"]):
            state["last"], state["since"] = now, time.monotonic()
        return now.differing_pixels(closed) and time.monotonic() - state["since"] >= 0.2
    check(harness.wait_for(open_and_still, 5), "the menu of the button at %d, %d did not open" % button)
    t.display.click(x + item[0], y + item[1])


def dialog_of(t, program, title, owner):
    """The program's dialog of that title other than the owner window, once it is the window
    in front."""
    def found():
        return [w for w in t.display.windows(title, program.proc.pid) if w != owner]
    shown = harness.wait_for(found, 10)
    check(shown, "no dialog titled %r appeared (windows: %s)" % (title, t.window_titles(program)))
    check(harness.wait_for(lambda: t.display.active_window() == shown[0], 5), "the dialog %r is not in front" % title)
    return shown[0]


def check_centred_over(t, dialog, owner, what):
    transient = t.display.run(["xprop", "-id", str(dialog), "WM_TRANSIENT_FOR"], check=False)
    t.expect(("0x%x" % owner) in transient, "%s does not belong to the main window for the window manager (%s)"
             % (what, transient.strip()))
    dx, dy, dw, dh = t.display.geometry(dialog)
    ox, oy, ow, oh = t.display.geometry(owner)
    # Client areas: their centres differ by half the difference of the frames' title bars.
    off = (abs(dx + dw // 2 - (ox + ow // 2)), abs(dy + dh // 2 - (oy + oh // 2)))
    t.expect(off[0] <= 4 and off[1] <= 16, "%s opened at %d, %d (%d x %d), not centred over the main window "
             "at %d, %d (%d x %d)" % (what, dx, dy, dw, dh, ox, oy, ow, oh))
    return dx, dy, dw, dh


@case
def dialogs_open_over_the_main_window_and_answer_the_keyboard(t):
    """Options opens centred over the main window with the page still drawn around it and
    closes on Escape; the message box opens centred over the main window, sized to its text,
    and closes on Enter."""
    p = open_home(t, "/text.html", "text")
    window = p.main_window()
    x, y, w, h = t.display.geometry(window)
    # Below the open menu, to the left of where a centred dialog stands.
    strip = (x, y + 130, 300, h - 140)
    before = t.display.grab(strip)
    open_menu_item(t, window, MAIN_VIEW_BUTTON, VIEW_OPTIONS)
    options = dialog_of(t, p, OPTIONS_TITLE, window)
    check_centred_over(t, options, window, "Options")
    # The page around the dialog is the page as it was, words and all.
    t.expect(harness.wait_for(lambda: not t.display.grab(strip).differing_pixels(before), 3, step=0.3),
             "the page behind Options is not drawn as it was (%d pixels differ)"
             % t.display.grab(strip).differing_pixels(before))
    t.display.key("Escape")
    check(harness.wait_for(lambda: options not in t.display.windows(OPTIONS_TITLE, p.proc.pid), 5),
          "Escape did not close Options")

    # Without its help program the browser says so in its message box.
    shutil.rmtree(os.path.join(p.folder, "Help"))
    open_menu_item(t, window, MAIN_HELP_BUTTON, HELP_HELP)
    message = dialog_of(t, p, MESSAGE_TITLE, window)
    _, _, mw, mh = check_centred_over(t, message, window, "the message box")
    t.expect(mw < 400 and mh < 160, "the message box of one line is %d x %d pixels" % (mw, mh))
    t.display.key("Return")
    check(harness.wait_for(lambda: not t.display.windows(MESSAGE_TITLE, p.proc.pid), 5),
          "Enter did not close the message box")


# --------------------------------------------------------------------------------------
# Never silent: what the user is told of a page that cannot be shown

NOTICE_COLOUR = b"\xff\xf4\xd6"
ANY_MESSAGE_TITLE = "^(myMessage|Message For - .*)$"


def notice_shown(t, window, top=MAIN_PAGE_TOP, timeout=10):
    """Waits until the notice over the page is on screen: its pale yellow fills much of the
    band just under the top of the page, at its left."""
    def shown():
        band = t.display.grab_window(window, (12, top + 10, 300, 30))
        yellow = sum(1 for row in band.rows for i in range(0, len(row), 3) if row[i:i + 3] == NOTICE_COLOUR)
        return yellow >= 0.3 * band.width * band.height
    return harness.wait_for(shown, timeout, step=0.2)


def message_window(t, program, timeout=10):
    """The program's message dialog, once it is on screen."""
    found = harness.wait_for(lambda: t.display.windows(ANY_MESSAGE_TITLE, program.proc.pid), timeout)
    return found[0] if found else None


class SecureServer:
    """An HTTPS server on the loopback interface with a certificate made for this test alone
    (no one vouches for it); it logs the paths asked for."""

    def __init__(self, folder):
        import http.server
        import ssl
        import subprocess
        import threading
        key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=localhost",
                        "-keyout", key, "-out", cert], check=True, capture_output=True)
        self.paths = []
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_GET(self):
                server.paths.append(self.path)
                body = pages.page("Secret", "<h1>The secret page</h1><style>body{background:%s}</style>" % pages.FILL_CSS)
                data = body
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        self.httpd.socket = context.wrap_socket(self.httpd.socket, server_side=True)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def url(self, host, path):
        return "https://%s:%d%s" % (host, self.port, path)

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


@case
def failed_address_is_told(t):
    """Words typed into the location box that name no server ("weather today"): the old page
    stays, the typed text stays in the box, and a notice over the page says the server
    cannot be found; the focus stays in the box."""
    p = open_home(t, "/page/home.html?fill=1", "home")
    window = p.main_window()
    check(colour_shown(t, window, MAIN_PAGE_TOP, pages.FILL), "the home page is not shown")
    enter_address(t, window, MAIN_LOCATION, "weather today")
    check(notice_shown(t, window), "no notice appeared over the page after an address that cannot be reached")
    t.expect(colour_shown(t, window, MAIN_PAGE_TOP + 120, pages.FILL, timeout=1), "the old page did not stay")
    t.display.key("ctrl+a", "ctrl+c")
    typed = t.display.clipboard().strip()
    t.expect(typed == "weather today", "the location box holds %r, not the typed text" % typed)


@case
def certificate_question(t):
    """An HTTPS page whose certificate nobody vouches for: the program asks. "No" (the
    default) stays on the page shown and tells why; asked again for another name of the
    site, "Yes" shows the page."""
    secure = SecureServer(t.base)
    try:
        p = open_home(t, "/page/home.html?fill=1", "home")
        window = p.main_window()
        enter_address(t, window, MAIN_LOCATION, secure.url("127.0.0.1", "/stay.html"))
        dialog = message_window(t, p)
        check(dialog, "no question came for a certificate nobody vouches for")
        check(in_front(t, dialog), "the question did not come to the front")
        t.display.key("space")  # the focused button: No
        check(harness.wait_for(lambda: not t.display.windows(ANY_MESSAGE_TITLE, p.proc.pid), 5), "the question stayed open")
        check(notice_shown(t, window), "staying was not told in a notice")
        t.expect(secure.paths == [], "the page was asked for although the user stayed: %r" % secure.paths)
        t.expect(colour_shown(t, window, MAIN_PAGE_TOP + 120, pages.FILL, timeout=1), "the old page did not stay")

        enter_address(t, window, MAIN_LOCATION, secure.url("localhost", "/go.html"))
        dialog = message_window(t, p)
        check(dialog, "no question came for the site's other name")
        check(in_front(t, dialog), "the second question did not come to the front")
        t.display.key("Tab", "space")  # Yes
        check(harness.wait_for(lambda: "/go.html" in secure.paths, 10), "going on did not load the page")
    finally:
        secure.stop()


PAGE_MENU_BUTTON = (13, 14)
PAGE_MENU_BOOKMARK = (12, 72)
# The open Page menu's far corner (217 x 68 from y 32), in its panel colour.
PAGE_MENU_CORNER = (210, 95, 1, 1)
PANEL_COLOUR = (0xf4, 0xf6, 0xf9)
# Where the notice under the Page menu shows (it is drawn partly under the menu's frame).
NOTICE_AREA = (0, 76, 220, 100)
BOOKMARKED_NOTICE_COLOUR = (0xff, 0xf4, 0xd6)


def bookmark_page_shown(t, window):
    """Bookmarks the page on screen from the Page menu and waits for the notice that says
    so."""
    x, y, _, _ = t.display.geometry(window)
    t.display.click(x + PAGE_MENU_BUTTON[0], y + PAGE_MENU_BUTTON[1])
    # The menu slides out: a click before it is whole misses its buttons.
    check(harness.wait_for(lambda: t.display.grab_window(window, PAGE_MENU_CORNER).pixel(0, 0) == PANEL_COLOUR, 5, step=0.05),
          "the Page menu did not open")
    t.display.click(x + PAGE_MENU_BOOKMARK[0], y + PAGE_MENU_BOOKMARK[1])

    def notice():
        area = t.display.grab_window(window, NOTICE_AREA)
        hits = sum(1 for i in range(area.width) for j in range(area.height) if area.pixel(i, j) == BOOKMARKED_NOTICE_COLOUR)
        return hits >= 1500
    check(harness.wait_for(notice, 5, step=0.2), "no notice came after the click on Bookmark")


def settings_count(program, item):
    items = program.settings_items()
    return int(items[item]) if items and len(items) == 15 else None


@case
def two_copies_ended_together_keep_every_bookmark(t):
    """Two copies from one folder each bookmark a page of their own; both get SIGTERM at the
    same moment (what the end of a desktop session does): every bookmark is in the file and
    the settings count them. E2E_ROUNDS rounds (2 by default), each with new bookmarks."""
    rounds = int(os.environ.get("E2E_ROUNDS", "2"))
    a = harness.Program(os.path.join(t.base, "run1"), t.portable, t.display,
                        t.settings([t.server.url("/page/home.html")]))
    b = a.twin()
    t.programs += [a, b]
    expected = []
    for r in range(rounds):
        for copy, name in ((a, "a%d" % r), (b, "b%d" % r)):
            copy.start()
            window = copy.main_window()
            home_runs = 2 * r + (1 if copy is a else 2)
            for page, count in (("home", home_runs), (name, 1)):
                if page == name:
                    type_and_go(t, window, MAIN_LOCATION, MAIN_GO, t.server.url("/page/%s.html" % name))
                check(harness.wait_for(lambda: len(t.server.seen("/ready", p=page)) >= count or not copy.alive(), 30)
                      and copy.alive(), "round %d: the page %r did not load in copy %s" % (r + 1, page, name[0]))
                wait_load_end(t, window)
            bookmark_page_shown(t, window)
            expected.append(t.server.url("/page/%s.html" % name))
        os.kill(a.proc.pid, signal.SIGTERM)
        os.kill(b.proc.pid, signal.SIGTERM)
        for copy in (a, b):
            code = copy.wait_exit(15)
            check(code == 0, "round %d: a copy ended with %r after SIGTERM (0 expected)" % (r + 1, code))
        kept = bookmark_records(a) or []
        missing = [e for e in expected if not any(e in k for k in kept)]
        check(not missing, "round %d: bookmarks lost: %r (the file holds %r)" % (r + 1, missing, kept))
        check(settings_count(a, 2) == len(kept) - 1,
              "round %d: the settings count %r bookmarks, the file holds %d" % (r + 1, settings_count(a, 2), len(kept)))
