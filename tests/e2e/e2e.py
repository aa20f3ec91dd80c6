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
        # The accessibility bus, started on demand, must belong to this display
        # and directory; programs join it once it is marked enabled.
        bus = ["dbus-send", "--session", "--print-reply"]
        for call in (["--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                      "org.freedesktop.DBus.UpdateActivationEnvironment",
                      "dict:string:string:DISPLAY,%s,XDG_RUNTIME_DIR,%s"
                      % (os.environ["DISPLAY"], self.dir)],
                     ["--dest=org.a11y.Bus", "/org/a11y/bus",
                      "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
                      "string:IsEnabled", "variant:boolean:true"]):
            subprocess.run(bus + call, check=True, stdout=subprocess.DEVNULL)
        # Nothing is cached, so every read is current; a read may wait out
        # a blink, and a hang shows as an unanswered ping.
        Atspi.set_timeout(10000, -1)
        pyatspi.Registry.getDesktop(0).set_cache_mask(Atspi.Cache.NONE)

    def act(self, what):  # logs an action just before it is sent
        self.acted = time.monotonic()
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
        # Gives it the keyboard, as a window manager does with a new window.
        subprocess.run(["xdotool", "windowfocus", "--sync", str(self.main.window.id)], check=True)
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

    # The program must end with status 0 in time after the last action.
    def expect_exit(self, how):
        try:
            status = self.proc.wait(max(0, self.acted + LIMIT - time.monotonic()))
        except subprocess.TimeoutExpired:
            self.fail("still running %s s after %s" % (LIMIT, how))
        if status != 0:
            self.fail("%s gave status %d" % (how, status))
        self.proc = None
        return time.monotonic() - self.acted

    def table(self):
        table = self.find(lambda a: a.name == "Board" and a.getRole() == pyatspi.ROLE_TABLE)
        cells = table.queryTable()
        if (cells.nRows, cells.nColumns) != (8, 8):
            self.fail("the board is a %dx%d table" % (cells.nRows, cells.nColumns))
        return cells

    # The cells' accessible names, row by row.
    def board(self):
        cells = self.table()
        names = [cells.getAccessibleAt(r, c).name for r in range(8) for c in range(8)]
        for i, name in enumerate(names):
            if not re.fullmatch("%s%d, (black|white|red|yellow|empty)(, legal)?"
                                % ("abcdefgh"[i % 8], i // 8 + 1), name):
                self.fail("cell %d of the board is named %r" % (i, name))
        return names

    def start_enabled(self):
        return self.start_item.getState().contains(pyatspi.STATE_ENABLED)


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


# The human plays by keys alone and reads the board only through the
# accessibility interface; the result box must name the participants with
# the most discs on the board that the table shows.
def keyboard_game(s):
    s.start()
    if any(not n.endswith(", empty") for n in s.board()):
        s.fail("the board is not empty at the start: %s" % s.board())
    s.key("alt+g", "Return")
    s.wait_for(lambda: s.shown(ORDER), 10, "Alt+G and Return opened no order window")
    s.key("space")
    s.wait_for(lambda: s.find(lambda a: a.name == "対局開始"), 10, "Space did not stop the roulette")
    s.key("space")
    s.wait_for(lambda: not s.shown(ORDER), 10, "the second Space did not start the game")
    seats = {COLOURS[a.name[0]]: a.name[4:] for a in pyatspi.findAllDescendants(
        s.app, lambda a: re.match("[黒白赤黄] - ", a.name))}
    human = next(colour for colour, name in seats.items() if name == "You")
    cursor, moves, passes, seen, since = (3, 3), 0, 0, None, time.monotonic()
    while True:
        s.ping()
        box = s.box()
        if box and box.name == RESULT:
            break
        if box:
            passes += 1
            s.key("Return")
            continue
        cells = s.board()
        if cells != seen:
            seen, since = cells, time.monotonic()
        elif time.monotonic() > since + 30:
            s.fail("the board has not changed for 30 s: %s" % cells)
        legal = [i for i, name in enumerate(cells) if name.endswith(", legal")]
        if not legal:
            time.sleep(0.1)
            continue
        column, row = legal[moves % len(legal)] % 8, legal[moves % len(legal)] // 8
        steps = column - cursor[0], row - cursor[1]
        s.key(*["Right" if steps[0] > 0 else "Left"] * abs(steps[0]),
              *["Down" if steps[1] > 0 else "Up"] * abs(steps[1]))
        cell, cursor, moves = s.table().getAccessibleAt(row, column), (column, row), moves + 1
        s.wait_for(lambda: cell.getState().contains(pyatspi.STATE_FOCUSED), 10,
                   "the cursor did not reach " + cell.name)
        # A computer seat may turn the disc before the next read is answered.
        s.key("Return")
        s.wait_for(lambda: ", empty" not in cell.name, 10, "Return placed nothing on " + cell.name)
    counts = collections.Counter(name.split(", ")[1] for name in s.board())
    best = max(counts[colour] for colour in seats)
    winners = [n for n in ("You", "COM1", "COM2", "COM3")
               if any(counts[c] == best for c, name in seats.items() if name == n)]
    expected = "Draw Game!" if len(winners) == 4 else " ".join(winners) + " Win!"
    result = s.find(lambda a: a.name == RESULT)
    text = s.find(lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.name, result).name
    if text != expected or moves == 0:
        s.fail("result %r after %d moves, expected %r for %s" % (text, moves, expected, counts))
    s.key("Return")
    s.wait_for(lambda: not s.box() and s.start_enabled(), 10, "始める is not back after the result")
    s.key("alt+g", "x")
    s.expect_exit("Alt+G and x")
    print("keyboard-game: %s placed %d discs by keys, %d pass boxes; result %r for %s; quit by keys"
          % (human, moves, passes, text, dict(counts)))


KEYS = ("Escape", "Return", "space", "alt+g", "Down", "Up", "Left", "Right", "Home", "End")


def random_press(s, rng, top=0):  # on the board, at or below client row top
    s.press(rng.randrange(400), top + rng.randrange(400 - top))


def random_key(s, rng):
    key = rng.choice(KEYS)
    s.key(key)
    return key == "alt+g"


# Opens the menu and chooses "始める": while it is grey (a game runs) this
# must open nothing.
def choose_start(s):
    grey = not s.start_enabled()
    s.open_menu()
    menu = s.wait_for(s.menu, 5, "no menu")
    s.click(menu.x + 30, menu.y + 11, "choose 始める" + (" (grey)" if grey else ""))
    if grey and s.ping() and s.shown(ORDER):
        s.fail("始める opened the order window during a game")


# One action among those that fit what the screen shows; true when it ends
# the burst (it may open a window, or it placed a disc).
def monkey_step(s, rng, stats):
    shown = {w.name: w for w in s.windows()}
    box, order, menu, r = shown.get(RESULT) or shown.get(PASS), shown.get(ORDER), shown.get(""), rng.random()
    if box:
        stats["%s boxes" % box.name] += box.window.id not in stats
        stats[box.window.id] = 1
        if r < .3:
            s.key(rng.choice(("Return", "space")))
        elif r < .6:
            s.click(box.x + box.width - 40, box.y + box.height - 24, "click OK on " + box.name)
        elif r < .9:
            random_press(s, rng)  # the main window is blocked
        else:
            s.open_menu()  # blocked as well
    elif order:
        if r < .5:
            s.click(order.x + 380, order.y + 70, "press the order window's button")
        elif r < .7:
            s.close_request(order)
        elif r < .9:
            random_press(s, rng, 150)  # below the order window, blocked
        else:
            return random_key(s, rng)
    elif menu:
        if r < .25:
            s.click(menu.x + 30, menu.y + 11, "choose 始める from the open menu")
        elif r < .5:
            s.key("Escape")
        elif r < .75:
            random_press(s, rng, 100)  # below the menu: closes it
        else:
            s.open_menu()  # its title closes it
        return True
    else:
        running = not s.start_enabled()
        stats["games started"] += running and not stats["running"]
        stats["running"] = running
        if not running and r < .4:
            return choose_start(s) or True
        legal = [i for i, name in enumerate(s.board()) if name.endswith(", legal")]
        if legal and r < .7:
            i = rng.choice(legal)
            s.press(i % 8 * 50 + 25, i // 8 * 50 + 25, what="press legal cell %d" % i)
            stats["moved"] = 1
            return True
        r = rng.randrange(12)
        if r < 3:
            random_press(s, rng)
        elif r < 5:
            s.press(400 + rng.randrange(100), rng.randrange(400))
        elif r < 7:
            s.press(rng.randrange(400), rng.randrange(400), count=2)
        elif r < 8:
            s.press(200, 200, button=3)
        elif r < 10:
            return s.open_menu() or True
        elif r < 11:
            return choose_start(s) or True
        else:
            return random_key(s, rng)


# Quits now, by "終了(&X)" or a close request (only that while the order
# window or a box blocks the menu); the program must end with status 0 in time.
def monkey_quit(s, rng, stats, moment):
    shown = {w.name: w for w in s.windows()}
    box = shown.get(RESULT) or shown.get(PASS)
    state = ("order window open" if ORDER in shown else box.name + " box open" if box else
             ("menu open, " if "" in shown else "") + ("just after a move" if moment == "move" else
                                                     "no game" if s.start_enabled() else "game running"))
    how = "menu" if rng.random() < .5 and not box and ORDER not in shown else "close request"
    s.act("quit by %s (%s)" % (how, state))
    s.choose(last=True) if how == "menu" else s.close_request(s.main)
    took = s.expect_exit("the quit by %s (%s)" % (how, state))
    stats["quits"] += 1
    stats["quits within a second"] += took <= 1
    stats["slowest quit"] = max(stats["slowest quit"], took)
    print("monkey: quit %d by %s (%s): status 0 after %.0f ms" % (stats["quits"], how, state, took * 1000))


def monkey(s):
    seconds = float(os.environ.get("QF_MONKEY_SECONDS", "25"))
    seed = int(os.environ.get("QF_MONKEY_SEED") or random.SystemRandom().randrange(10 ** 6))
    rng, stats, end = random.Random(seed), collections.Counter(), time.monotonic() + seconds
    s.report = "(seed %d; QF_MONKEY_SEED=%d repeats the choices, not the program's timing)" % (seed, seed)
    print("monkey: seed %d, %g s" % (seed, seconds))
    while time.monotonic() < end:
        s.start()
        stats["running"] = stats["moved"] = 0
        moment = rng.choice(("any", "order", "menu", "box", "move"))
        trial_end = min(end, time.monotonic() + 1 + rng.uniform(0, seconds / 3))
        s.act("quit at the end or when: " + moment)
        while time.monotonic() < trial_end:
            if any(monkey_step(s, rng, stats) for _ in range(rng.randint(1, 4))) and \
                    moment == "move" and stats["moved"]:
                time.sleep(rng.uniform(0, 2))  # mid-pause, mid-search or mid-blink
                break
            stats["slowest ping"] = max(stats["slowest ping"], s.ping())
            stats["pings"] += 1
            if {"order": ORDER, "menu": "", "box": (PASS, RESULT)}.get(moment) in (
                    [w.name for w in s.windows()] + [(PASS, RESULT)] * bool(s.box())):
                break
            time.sleep(rng.choice((0, 0.1, 0.2)))
        monkey_quit(s, rng, stats, moment)
    print("monkey: seed %d: %d actions, %d games started, %d pass and %d result boxes seen, "
          "%d pings answered (slowest %.0f ms); %d quits with status 0, %d within a second, "
          "slowest %.0f ms" % (seed, len(s.actions), stats["games started"], stats[PASS + " boxes"],
                               stats[RESULT + " boxes"], stats["pings"], stats["slowest ping"] * 1000,
                               stats["quits"], stats["quits within a second"],
                               stats["slowest quit"] * 1000))


def main():
    scenario, program = sys.argv[1], os.path.abspath(sys.argv[2])
    if scenario == "no-display":
        no_display_test(program)
    tests = {"window": window_test, "close-requests": close_requests_test,
             "keyboard-game": keyboard_game, "monkey": monkey}
    session = Session(program)
    tests[scenario](session)
    session.xvfb.kill()


main()
