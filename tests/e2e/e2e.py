#!/usr/bin/python3
# End-to-end tests of the real program, each on a private virtual X display:
#   e2e.py window PROGRAM          the window shows the empty board; "終了(&X)"
#                                  from the menu ends the program with status 0
#   e2e.py close-requests PROGRAM  a close request to the order window closes it
#                                  and starts no game; one to the main window
#                                  ends the program with status 0, even while
#                                  the order window blocks it
#   e2e.py no-display PROGRAM      one line on stderr and status 1 without X
#   e2e.py keyboard-game PROGRAM   a whole game by keys alone, read only
#                                  through the accessibility interface
#   e2e.py monkey PROGRAM          seeded random input across program starts,
#                                  each ended by a quit (QF_MONKEY_SECONDS,
#                                  QF_MONKEY_SEED)
# Windows, pings and close requests go through Xlib, input through xdotool,
# texts and states through AT-SPI (run under dbus-run-session), pixels
# through ImageMagick's import.
import collections
import os
import random
import re
import select
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
import pyatspi  # noqa: E402
from gi.repository import Atspi  # noqa: E402
from Xlib import X, display, error, protocol  # noqa: E402

# Pings and quits are answered within 2.4 s: one second beyond the longest
# stretch in which the game handles no events by design (two blinks of
# 4 x 300 ms and the 200 ms pause after an opening move).
LIMIT = 2.4
ORDER, PASS, RESULT, MAIN = "打つ順番を決める", "リバーシ", "結果", "Quadriflank"
BLACK, GREEN = b"\0\0\0", b"\0\x80\0"
COLOURS = {"黒": "black", "白": "white", "赤": "red", "黄": "yellow"}
NO_DISPLAY = "quadriflank: cannot open a display (no usable window system)\n"
Shown = collections.namedtuple("Shown", "name window x y width height")


class Session:
    def __init__(self, program):
        self.program, self.dir = program, tempfile.mkdtemp()
        self.began, self.actions, self.proc, self.report = time.monotonic(), [], None, ""
        read, write = os.pipe()  # Xvfb picks a free display and names it here
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "800x600x24",
             "-nolisten", "tcp"], pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        os.environ.update(DISPLAY=":" + os.read(read, 16).decode().strip(),
                          XDG_RUNTIME_DIR=self.dir,
                          QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            os.environ.pop(name, None)
        self.x, self.pinger = display.Display(), display.Display()
        # Answers to pings go to those that watch the root window.
        self.pinger.screen().root.change_attributes(event_mask=X.StructureNotifyMask)
        # Programs join the accessibility bus once it is marked enabled.
        subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus",
                        "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                        "string:org.a11y.Status", "string:IsEnabled",
                        "variant:boolean:true"], check=True)
        # Nothing is cached, so every read is current; a read may wait out
        # a blink, and a hang shows as an unanswered ping.
        Atspi.set_timeout(10000, -1)
        pyatspi.Registry.getDesktop(0).set_cache_mask(Atspi.Cache.NONE)

    def act(self, what):
        self.actions.append("%8.0f ms  %s" % ((time.monotonic() - self.began) * 1000, what))

    def fail(self, why):
        print("FAIL: %s %s" % (why, self.report), file=sys.stderr)
        print("actions:\n" + "\n".join(self.actions), file=sys.stderr)
        if self.proc:
            self.out.seek(0)
            print("program output:\n" + self.out.read(), file=sys.stderr)
            self.proc.kill()
        self.xvfb.kill()
        sys.exit(1)

    def wait_for(self, probe, seconds, why):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            found = probe()
            if found:
                return found
            time.sleep(0.1)
        self.fail(why)

    def start(self):
        self.out = tempfile.TemporaryFile("w+", dir=self.dir)
        self.proc = subprocess.Popen([self.program], stdout=self.out,
                                     stderr=subprocess.STDOUT, cwd=self.dir)
        self.act("start the program")
        self.main = self.wait_for(lambda: self.shown(MAIN), 30, "no window " + MAIN)
        self.app = self.wait_for(lambda: next(
            (a for a in pyatspi.Registry.getDesktop(0)
             if a and a.get_process_id() == self.proc.pid), None),
            30, "the program is not on the accessibility bus")
        self.top = self.wait_for(self.empty_board, 20, "no empty board")
        self.start_item = self.find(lambda a: a.name == "始める")

    def find(self, test, root=None):
        return pyatspi.findDescendant(root or self.app, test)

    # The program's windows that show now, by name ("" for menus).
    def windows(self):
        found = []
        for window in self.x.screen().root.query_tree().children:
            try:
                a = window.get_attributes()
                if a.map_state == X.IsViewable:
                    name = "" if a.override_redirect else window.get_full_text_property(
                        self.x.intern_atom("_NET_WM_NAME"))
                    g = window.get_geometry()
                    found.append(Shown(name, window, g.x, g.y, g.width, g.height))
            except error.XError:
                pass  # gone meanwhile
        return found

    def shown(self, name):
        return next((w for w in self.windows() if w.name == name), None)

    def box(self):
        return next((w for w in self.windows() if w.name in (PASS, RESULT)), None)

    # The main window's client area (500 x 400 under the menu bar) must show
    # the empty board and the face colour beside it; answers the client
    # area's top on the screen.
    def empty_board(self):
        screen = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                                capture_output=True).stdout
        m = self.main
        row = lambda y: screen[(y * 800 + m.x) * 3:(y * 800 + m.x + 500) * 3]
        top = next((y for y in range(m.y, m.y + m.height - 399)
                    if row(y)[:3] == BLACK and row(y + 1)[3:6] == GREEN), None)
        if top is None or m.width != 500 or m.y + m.height - top != 400:
            return None
        face = row(top + 49)[147:150]
        for y in range(400):
            cell = lambda x: face if x >= 400 or 49 in (x % 50, y % 50) else (
                BLACK if {x % 50, y % 50} & {0, 48} else GREEN)
            if row(top + y) != b"".join(cell(x) for x in range(500)):
                return None
        return top

    def alive(self):
        if self.proc.poll() is not None:
            self.fail("the program ended by itself with status %d" % self.proc.returncode)

    # Sends the ping a window manager sends; the program answers it from its
    # event handling, after taking everything sent before.
    def ping(self):
        self.alive()
        ping = self.pinger.intern_atom("_NET_WM_PING")
        window = self.pinger.create_resource_object("window", self.main.window.id)
        window.send_event(protocol.event.ClientMessage(
            window=window, client_type=self.pinger.intern_atom("WM_PROTOCOLS"),
            data=(32, [ping, X.CurrentTime, window.id, 0, 0])))
        self.pinger.flush()
        asked = time.monotonic()
        while time.monotonic() < asked + LIMIT:
            select.select([self.pinger.fileno()], [], [], 0.02)
            while self.pinger.pending_events():
                e = self.pinger.next_event()
                if e.type == X.ClientMessage and e.data[1][0] == ping and e.data[1][2] == window.id:
                    return time.monotonic() - asked
        self.alive()
        self.fail("no answer to a ping within %s s" % LIMIT)

    def close_request(self, window):
        self.act("close request to " + (window.name or "a menu"))
        window.window.send_event(protocol.event.ClientMessage(
            window=window.window, client_type=self.x.intern_atom("WM_PROTOCOLS"),
            data=(32, [self.x.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        self.x.flush()

    def key(self, *keys):
        self.act("keys " + " ".join(keys))
        subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True)

    # Presses at (x, y) in the main window's client area.
    def press(self, x, y, button=1, count=1, what=None):
        self.act(what or "press %d (x%d) at (%d, %d)" % (button, count, x, y))
        subprocess.run(["xdotool", "mousemove", str(self.main.x + x), str(self.top + y),
                        "click", "--repeat", str(count), "--delay", "40", str(button)],
                       check=True)

    def click(self, x, y, what):
        self.act(what)
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)

    def open_menu(self):
        self.click(self.main.x + 30, (self.main.y + self.top) // 2, "open the game menu")

    def menu(self):
        return next((w for w in self.windows() if w.name == ""), None)

    # Opens the menu with a press on its title and presses an item, the
    # first ("始める") or the last ("終了(&X)").
    def choose(self, last):
        menu = self.menu() or self.open_menu() or self.wait_for(self.menu, 5, "no menu")
        self.click(menu.x + 30, menu.y + (menu.height - 11 if last else 11),
                   "choose " + ("終了(&X)" if last else "始める"))

    def expect_exit(self, how):
        asked = time.monotonic()
        try:
            status = self.proc.wait(LIMIT)
        except subprocess.TimeoutExpired:
            self.fail("still running %s s after %s" % (LIMIT, how))
        if status != 0:
            self.fail("%s gave status %d" % (how, status))
        self.proc = None
        return time.monotonic() - asked

    # The cells' accessible names, row by row.
    def board(self):
        table = self.find(lambda a: a.name == "Board" and a.getRole() == pyatspi.ROLE_TABLE)
        cells = table.queryTable()
        if (cells.nRows, cells.nColumns) != (8, 8):
            self.fail("the board is a %dx%d table" % (cells.nRows, cells.nColumns))
        return [cells.getAccessibleAt(r, c).name for r in range(8) for c in range(8)]


def window_test(s):
    s.start()
    s.choose(last=True)
    s.expect_exit("終了(&X) from the menu")
    print("window: empty board shown; 終了(&X) ended the program with status 0")


def close_requests_test(s):
    s.start()
    s.choose(last=False)
    s.close_request(s.wait_for(lambda: s.shown(ORDER), 10, "no order window"))
    s.wait_for(lambda: not s.shown(ORDER), 10, "the order window is still open")
    s.alive()
    s.wait_for(s.empty_board, 10, "a game started although the order window was closed")
    s.choose(last=False)
    s.wait_for(lambda: s.shown(ORDER), 10, "no order window")
    s.close_request(s.main)
    s.expect_exit("a close request to the main window over the order window")
    print("close-requests: order window closed without a game; main window closed with status 0")


def no_display_test(program):
    failures = 0
    with tempfile.TemporaryDirectory() as cwd:
        for case, display_name in (("no DISPLAY", None), ("unreachable DISPLAY", ":4095")):
            env = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
            env.update({"DISPLAY": display_name} if display_name else {})
            run = subprocess.run([program], env=env, cwd=cwd, capture_output=True, text=True)
            ok = (run.returncode, run.stdout, run.stderr) == (1, "", NO_DISPLAY)
            failures += not ok
            print("%s %s: status %d, stdout %r, stderr %r"
                  % ("ok" if ok else "FAIL", case, run.returncode, run.stdout, run.stderr))
    sys.exit(failures)


def main():
    scenario, program = sys.argv[1], os.path.abspath(sys.argv[2])
    if scenario == "no-display":
        no_display_test(program)
    tests = {"window": window_test, "close-requests": close_requests_test}
    session = Session(program)
    tests[scenario](session)
    session.xvfb.kill()


main()
