#!/usr/bin/python3
# End-to-end tests of the real program, each on a virtual X display of its own:
#   e2e.py quits PROGRAM          the window shows the empty board; a close
#                                 request to the order window closes it and
#                                 starts no game; "終了(&X)" from the menu, and a
#                                 close request to the main window while the
#                                 order window blocks it, SIGHUP and SIGINT
#                                 end the program with status 0; a SIGHUP it
#                                 was started to ignore is left alone
#   e2e.py platforms PROGRAM      the command line without a display; every
#                                 window system Qt offers: up with its window
#                                 and status 0 on SIGTERM, or the one-line
#                                 error and status 1
#   e2e.py game-by-ear PROGRAM    a whole game by keys alone, followed through
#                                 the real screen reader, Orca
# Windows, pings and close requests go through Xlib, input through xdotool,
# texts and states through AT-SPI (under dbus-run-session).
import collections, os, re, select, signal, subprocess, sys, tempfile, time, traceback  # noqa

import pyatspi  # first: it asks for the Atspi version that it needs
from gi.repository import Atspi
from Xlib import X, display, error, protocol

# Pings, close requests and quitting must be answered within a second, in
# pauses and blinks too (the program answers at once; the rest is headroom
# for a loaded machine).
LIMIT = 1.0
ORDER, PASS, RESULT, MAIN, MENU = "打つ順番を決める", "リバーシ", "結果", "Quadriflank", ""
NO_DISPLAY = "quadriflank: cannot open a display (no usable window system)"
Shown = collections.namedtuple("Shown", "name window x y width height")


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)


class Session:
    def __init__(self, program):
        self.program, self.began = program, time.monotonic()
        self.tmp = tempfile.TemporaryDirectory(ignore_cleanup_errors=True)  # gone at exit
        self.actions, self.proc, self.dir = [], None, self.tmp.name
        read, write = os.pipe()  # Xvfb picks a free display and names it here
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                      "800x600x24", "-nolisten", "tcp"], pass_fds=[write],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        os.environ.update(DISPLAY=":" + os.read(read, 16).decode().strip(), WAYLAND_DISPLAY="",
                          QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=self.dir,
                          QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.x = display.Display()
        # Answers to pings go to those that watch the root window.
        self.x.screen().root.change_attributes(event_mask=X.StructureNotifyMask)
        # The accessibility bus, started on demand, must belong to this display
        # and directory; programs join it once it is marked enabled.
        bus = ("dbus-send", "--session", "--print-reply")
        run(*bus, "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus.UpdateActivationEnvironment",
            "dict:string:string:DISPLAY,%s,XDG_RUNTIME_DIR,%s" % (os.environ["DISPLAY"], self.dir))
        run(*bus, "--dest=org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
            "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true")
        # Nothing is cached, so every read is current; a read may wait out a
        # blink, and a hang shows as an unanswered ping.
        Atspi.set_timeout(10000, -1)
        pyatspi.Registry.getDesktop(0).set_cache_mask(Atspi.Cache.NONE)

    def act(self, what):  # logs an action just before it is sent
        self.acted = time.monotonic()
        self.actions.append("%8.0f ms  %s" % ((self.acted - self.began) * 1000, what))

    def fail(self, why):
        print("FAIL: %s\nactions:\n%s" % (why, "\n".join(self.actions)))
        if self.proc:
            self.out.seek(0)
            print("program output (exit status %s):\n%s" % (self.proc.poll(), self.out.read()))
            self.proc.kill()
        self.xvfb.kill()
        sys.exit(1)

    def wait_for(self, probe, seconds, why=None):  # fails with why, else answers None
        end = time.monotonic() + seconds
        while not (found := probe()) and time.monotonic() < end:
            time.sleep(0.05)
        return found or (why and self.fail(why))

    def start(self, ignore_hangup=False):  # as nohup starts it, if asked
        self.out = tempfile.TemporaryFile("w+", dir=self.dir)
        hup = signal.SIG_IGN if ignore_hangup else signal.SIG_DFL
        self.proc = subprocess.Popen([self.program], stdout=self.out, stderr=subprocess.STDOUT,
                                     cwd=self.dir, preexec_fn=lambda: signal.signal(
                                         signal.SIGHUP, hup))
        self.act("start the program")
        self.main = self.wait_for(lambda: self.shown(MAIN), 30, "no window " + MAIN)
        # Gives it the keyboard, as a window manager does with a new window.
        run("xdotool", "windowfocus", "--sync", str(self.main.window.id))
        self.app = self.wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                               if a and a.get_process_id() == self.proc.pid), None),
                                 30, "the program is not on the accessibility bus")
        self.top = self.wait_for(self.empty_board, 20, "no empty board")

    def find(self, test, root=None):
        return pyatspi.findDescendant(root or self.app, test)

    # The first shown window with one of the names ("" is a menu).
    def shown(self, *names):
        for window in self.x.screen().root.query_tree().children:
            try:
                a = window.get_attributes()
                name = MENU if a.override_redirect else window.get_full_text_property(
                    self.x.intern_atom("_NET_WM_NAME"))
                if a.map_state == X.IsViewable and name in names:
                    g = window.get_geometry()
                    return Shown(name, window, g.x, g.y, g.width, g.height)
            except error.XError:
                pass  # gone meanwhile

    # The board as it opens: 64 empty cells, none legal. Answers the top of
    # the client area, 500 x 400 at the bottom of the main window.
    def empty_board(self):
        m = self.main
        if m.width == 500 and all(n.endswith(", empty") for n in self.board()[1]):
            return m.y + m.height - 400

    def send(self, window, message, *data):
        window.send_event(protocol.event.ClientMessage(
            window=window, client_type=self.x.intern_atom("WM_PROTOCOLS"),
            data=(32, [self.x.intern_atom(message), X.CurrentTime, *data, 0, 0, 0][:5])))
        self.x.flush()

    # Sends the ping a window manager sends; the program answers it from its
    # event handling, after taking everything sent before.
    def ping(self):
        window = self.main.window
        self.send(window, "_NET_WM_PING", window.id)
        asked = time.monotonic()
        while time.monotonic() < asked + LIMIT:
            select.select([self.x.fileno()], [], [], 0.02)
            while self.x.pending_events():
                e = self.x.next_event()
                if e.type == X.ClientMessage and e.data[1][2] == window.id:
                    return time.monotonic() - asked
        self.fail("no answer to a ping within %s s (exit status %s)" % (LIMIT, self.proc.poll()))

    def close_request(self, window):
        self.act("close request to " + window.name)
        self.send(window.window, "WM_DELETE_WINDOW")

    def key(self, *keys):
        self.act("keys " + " ".join(keys))
        run("xdotool", "key", "--delay", "30", *keys)
        return keys[-1]

    def click(self, x, y, what):  # on the screen
        self.act(what)
        run("xdotool", "mousemove", str(x), str(y), "click", "1")

    # Presses the menu's first item ("始める") or its last ("終了(&X)").
    def choose(self, last):
        self.click(self.main.x + 30, (self.main.y + self.top) // 2, "press the menu's title")
        menu = self.wait_for(lambda: self.shown(MENU), 3, "no menu")
        self.click(menu.x + 30, menu.y + (menu.height - 11 if last else 11),
                   "choose " + ("終了(&X)" if last else "始める"))

    # The program must end with status 0 in time after the last action.
    def expect_exit(self, how, limit=LIMIT):
        self.wait_for(lambda: self.proc.poll() is not None, self.acted + limit - time.monotonic(),
                      "still running %s s after %s" % (limit, how))
        if self.proc.returncode != 0:
            self.fail("%s gave status %d" % (how, self.proc.returncode))
        self.proc = None
        return time.monotonic() - self.acted

    # The program answers while it plays, so a read that meets a window
    # coming or going is tried again, for up to two seconds.
    @staticmethod
    def read(probe):
        for _ in range(20):
            try:
                return probe()
            except Exception:
                time.sleep(0.1)
        return probe()

    # The board named Board and its 64 cells, row by row, with their names.
    def board(self):
        def cells():
            board = self.find(lambda a: a.name == "Board" and a.getRole() == pyatspi.ROLE_TABLE)
            return [board.getChildAtIndex(i) for i in range(board.childCount)]
        cells = self.read(cells)
        names = self.read(lambda: [cell.name for cell in cells])
        pattern = "%s%d, (black|white|red|yellow|empty)(, legal)?"
        if len(cells) != 64 or not all(re.fullmatch(
                pattern % ("abcdefgh"[i % 8], i // 8 + 1), name) for i, name in enumerate(names)):
            self.fail("the board is not 64 named cells: %s" % names)
        return cells, names

    def start_enabled(self):
        return self.read(lambda: self.find(lambda a: a.name == "始める").getState().contains(
            pyatspi.STATE_ENABLED))


def quits(s):
    for by_menu in (True, False):
        s.start()
        s.choose(last=False)
        order = s.wait_for(lambda: s.shown(ORDER), 10, "no order window")
        if by_menu:
            s.close_request(order)
            s.wait_for(lambda: not s.shown(ORDER), 10, "the order window is still open")
            s.ping()
            s.wait_for(s.empty_board, 10, "a game started although the order window was closed")
            s.choose(last=True)
        else:
            s.close_request(s.main)
        s.expect_exit("終了(&X)" if by_menu else "a close request over the order window")
    # SIGHUP and SIGINT end it as SIGTERM does, unless started to ignore a
    # hang-up, as nohup does.
    for name, ignore_hangup in (("SIGHUP", False), ("SIGINT", False), ("SIGHUP", True)):
        s.start(ignore_hangup)
        s.act("send " + name + (" to a program started to ignore it" if ignore_hangup else ""))
        s.proc.send_signal(getattr(signal, name))
        if ignore_hangup:
            time.sleep(LIMIT)
            s.ping()
            s.act("send SIGTERM")
            s.proc.terminate()
        s.expect_exit(name if not ignore_hangup else "SIGTERM after an ignored SIGHUP")
    print("quits: 終了(&X), a close request over the order window, SIGHUP and SIGINT gave "
          "status 0; an ignored SIGHUP was left alone")


# Every window system Qt offers here. Those that can run keep the program up
# with its window shown (where the platform can tell) and end it with status
# 0 on SIGTERM; those that cannot run here (no display, no framebuffer, no
# GPU) end at once with the one-line error and status 1. Nothing crashes.
def platforms(program):
    tmp = tempfile.mkdtemp()
    os.chmod(tmp, 0o700)
    env = {k: v for k, v in os.environ.items() if k not in (
        "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env.update(XDG_RUNTIME_DIR=tmp, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    read, write = os.pipe()  # Xvfb names its display once it takes clients
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp"],
                            pass_fds=[write], stderr=subprocess.DEVNULL)
    x11 = ":" + os.read(read, 16).decode().strip()
    weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=qf-wayland",
                               "--idle-time=0", "--no-config"], env=env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    end = time.monotonic() + 30  # weston takes clients once its socket is there
    while not os.path.exists(os.path.join(tmp, "qf-wayland")) and time.monotonic() < end:
        time.sleep(0.05)
    shown = {"xcb": lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                            "^Quadriflank$"], env=dict(env, DISPLAY=x11),
                                           capture_output=True).stdout.strip()}
    # Those that can run here, and those that cannot: no display, no
    # framebuffer, no GPU.
    failures = []
    # The command line answers on a terminal without a display.
    usage = "Usage: quadriflank [options]"
    for args, status, out, err in (
            (["--help"], 0, usage, ""), (["-platform", "offscreen", "-h"], 0, usage, ""),
            (["--version"], 0, "quadriflank 1.", ""),
            (["--numbered"], 2, "", "unknown option '--numbered'"),
            (["-platform", "offscreen", "-bogus"], 2, "", "unknown option '-bogus'"),
            (["--numbered-discs", "board"], 2, "", "unexpected argument 'board'"),
            (["-platform"], 2, "", "missing value after '-platform'"),
            (["--numbered-discs=yes"], 2, "", "unexpected value after '--numbered-discs'")):
        got = subprocess.run([program, *args], env=env, capture_output=True, text=True,
                             timeout=60)
        print("%-36s status %d, %r" % (" ".join(args), got.returncode, got.stderr or got.stdout[:30]))
        if (got.returncode, got.stdout[:len(out)], got.stderr) != \
                (status, out, err and "quadriflank: %s\n" % err) or \
                (out == usage and "--numbered-discs" not in got.stdout):
            failures.append(" ".join(args))
    cases = [("xcb", dict(DISPLAY=x11), True), ("wayland", dict(WAYLAND_DISPLAY="qf-wayland"), True),
             ("offscreen -style fusion -reverse --numbered-discs", {}, True), ("minimal", {}, True),
             ("vnc:port=%d" % (5900 + os.getpid() % 1000), {}, True), ("xcb", {}, False),
             ("xcb", dict(DISPLAY=":4095"), False), ("linuxfb:fb=/dev/null", {}, False),
             ("eglfs", {}, False)]
    for case, extra, runs in cases:
        platform, *args = case.split()  # Qt's own options and the game's
        proc = subprocess.Popen([program, *args], env=dict(env, QT_QPA_PLATFORM=platform, **extra),
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        try:
            proc.wait(3 if runs else 60)  # one that cannot run ends by itself
            window = "ended by itself"
        except subprocess.TimeoutExpired:
            window = "running"
            probe = shown.get(platform.split(":")[0])
            if probe:
                end = time.monotonic() + 20
                while not probe() and time.monotonic() < end:
                    time.sleep(0.2)
                window = "window shown" if probe() else "no window"
            proc.terminate()
        out, err = proc.communicate(timeout=10)
        status = proc.returncode
        print("%-20s %-12s %-14s status %d, stderr %r" % (
            platform, " ".join(extra.values()) or "-", window, status, err[-200:]))
        if not runs:
            # One line: the reason, then what the window system said.
            if (window, status, out) != ("ended by itself", 1, "") or \
                    not err.startswith(NO_DISPLAY) or err.count("\n") != 1 or \
                    not err.endswith("\n"):
                failures.append(platform)
        elif status != 0 or window in ("no window", "ended by itself"):
            failures.append(platform)
    for server in (weston, xvfb):
        server.terminate()
    sys.exit("FAIL: " + ", ".join(failures) if failures else 0)


# A whole game by keys alone, followed by ear through the real screen reader
# (tests/e2e/listener.py): Orca must say the cursor's cell when the board
# gets the keyboard (at the start, after the order window and every box) and
# on every arrow key, the seating once the order is
# fixed (Escape and Return do nothing in the order window), every computer
# move and the human's turn, the standings on S, the pass and result boxes;
# the result must name the participants with the most discs. The legal cells
# are read from the accessibility interface, as a player would find them by
# moving the cursor; every other move is reached by L, the next legal cell,
# and after the game L finds none. The first move is made by holding Return
# down, which must place one disc only.
def game_by_ear(s):
    from listener import Listener, chord
    ear = Listener(s.dir, debug_file=os.environ.get("QF_ORCA_DEBUG"))  # Orca's own log
    ear.start()
    mark = 0

    def hear(regex, *keys, act=None):  # keys (or act), then Orca must say regex
        nonlocal mark
        mark = ear.mark()
        act() if act else s.key(*keys)
        return ear.expect(regex, 15, mark)

    hear("^d4, empty", act=s.start)  # the board has the keyboard
    if any(not name.endswith(", empty") for name in s.board()[1]):
        s.fail("the board is not empty at the start")
    hear("^始める", act=lambda: chord("alt", "g"))
    hear("^止める push button", "Return")
    s.key("Escape", "Return")  # mean nothing in the order window
    seating = hear(r"^notification You: \w+, seat \d\. ", "space").text
    colours = {name: colour for name, colour in re.findall(r"(You|COM\d): (\w+), seat", seating)}
    if not s.shown(ORDER) or len(colours) != 4:
        s.fail("the order window closed by Escape or Return, or a seating of %s" % colours)
    hear("^d4, ", "space")  # the board has the keyboard again
    cursor, moves, heard_moves, passes, human_turns = (3, 3), 0, [], 0, 0
    end = time.monotonic() + 300

    def take_moves(mark):  # the computer moves said since the mark
        notices = " ".join(u.text for u in ear.heard_since(mark) if u.text.startswith("notif"))
        heard_moves.extend(re.findall(r"\b(COM\d) ([a-h][1-8])\b", notices))

    while s.ping() and not s.shown(RESULT):
        if time.monotonic() > end:
            s.fail("no result within 300 s; Orca said:\n" + ear.report())
        if s.shown(PASS):
            passes += 1
            ear.expect("は石を置ける場所が無いためパスとなります", 10, mark)
            take_moves(mark)
            hear("^[a-h][1-8], ", "Return")  # the board has the keyboard again
            continue
        cells, names = s.board()
        legal = [i for i, name in enumerate(names) if name.endswith(", legal")]
        if not legal:
            time.sleep(0.1)
            continue
        ear.expect(r"^notification (.*\. )?Your turn\.?$", 10, mark)
        take_moves(mark)
        # Read again: a read of the 64 cells may have begun before the turn.
        cells, names = s.board()
        legal = [i for i, name in enumerate(names) if name.endswith(", legal")]
        if human_turns == 0:
            hear(r"^notification You, %s, \d+ discs?\. .*Your turn" % colours["You"], "s")
        human_turns += 1
        if moves % 2:  # L jumps to the next legal cell in reading order
            here = cursor[1] * 8 + cursor[0]
            row, column = divmod(next((i for i in legal if i > here), legal[0]), 8)
            keys = ["l"]
        else:  # the arrows walk to one
            row, column = divmod(legal[moves % len(legal)], 8)
            steps = column - cursor[0], row - cursor[1]
            keys = ["Right" if steps[0] > 0 else "Left"] * abs(steps[0]) + \
                   ["Down" if steps[1] > 0 else "Up"] * abs(steps[1])
        cell, cursor, moves = cells[row * 8 + column], (column, row), moves + 1
        for key in keys:  # each key's cell is the first thing said after it
            mark = ear.mark()
            s.key(key)
            first = ear.wait_for("^(?!l$).", 5, mark)  # after Orca's echo of L
            if not first or not re.match("[a-h][1-8], ", first.text):
                ear.fail("after %s, Orca did not first say the cursor's cell" % key, mark)
        ear.expect("^%s, empty, legal" % re.escape(names[row * 8 + column][:2]), 5, mark)
        mark = ear.mark()
        if moves == 1:
            s.act("hold Return down for 1.5 s")
            run("xdotool", "keydown", "Return", "sleep", "1.5", "keyup", "Return")
        else:
            s.key("Return")
        s.wait_for(lambda: ", empty" not in cell.name, 10, "Return placed nothing on " + cell.name)
    counts = collections.Counter(name.split(", ")[1] for name in s.board()[1])
    discs = {name: counts[colour] for name, colour in colours.items()}
    winners = [n for n in ("You", "COM1", "COM2", "COM3") if discs[n] == max(discs.values())]
    expected = "Draw Game!" if len(winners) == 4 else " ".join(winners) + " Win!"
    result = s.find(lambda a: a.name == RESULT)
    text = s.find(lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.name, result).name
    if text != expected or moves == 0:
        s.fail("result %r after %d moves, expected %r for %s" % (text, moves, expected, discs))
    ear.expect(re.escape(text), 10, mark)
    take_moves(mark)
    placed = sum(discs.values()) - 8
    if len(heard_moves) + moves != placed:
        s.fail("%d discs placed, %d by keys, but %d computer moves heard:\n%s"
               % (placed, moves, len(heard_moves), ear.report(0)))
    hear("^[a-h][1-8], ", "Return")  # the board has the keyboard again
    s.wait_for(lambda: not s.shown(RESULT) and s.start_enabled(), 10, "始める is not back")
    hear("^notification No legal cell", "l")
    chord("alt", "g")
    s.key("x")
    s.expect_exit("Alt+G and x")
    print("game-by-ear: %d discs placed by keys, %d computer moves heard, %d pass boxes; "
          "result %r for %s; quit by keys" % (moves, len(heard_moves), passes, text, discs))


def main():
    sys.stdout.reconfigure(line_buffering=True)  # each line as it comes, for a test that hangs
    scenario, program = sys.argv[1], os.path.abspath(sys.argv[2])
    if scenario == "platforms":
        platforms(program)
    session = Session(program)
    try:
        {"quits": quits, "game-by-ear": game_by_ear}[scenario](session)
    except Exception:
        session.fail(traceback.format_exc())
    session.xvfb.kill()


if __name__ == "__main__":  # listener.py borrows the Session
    main()
