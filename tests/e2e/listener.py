#!/usr/bin/python3
# Hears the program the way a blind player does: the real Orca screen reader,
# speaking through a private speech-dispatcher whose only voice writes each
# utterance to a file instead of a sound card.
#
#   listener = Listener(session.dir)  # with a display, a D-Bus session and
#   listener.start()                  # the accessibility bus (e2e.Session)
#   listener.mark()
#   session.key("Left")
#   listener.expect("^c4, empty", 5)  # raises with all heard since the mark
#   listener.stop()                   # also at exit
#
# The voice "speaks" at a reader's pace (15 characters a second, about
# Orca's default rate), so an utterance that Orca cuts off (it does so on
# every key press) has no end, just as the player never hears its rest.
import atexit, collections, os, re, signal, subprocess, time  # noqa: E401

Utterance = collections.namedtuple("Utterance", "start text end cut")  # times from time.time()

# The voice: one line for the start of an utterance, with its text, and one
# for its end once spoken; speech-dispatcher kills it when Orca interrupts.
VOICE = r"""#!/bin/bash
LC_ALL=C.UTF-8
printf '%%s + %%s\n' "$EPOCHREALTIME" "${1//$'\n'/ }" >> %(log)s
sleep "$(( ${#1} * 1000 / %(rate)d ))e-3"
printf '%%s -\n' "$EPOCHREALTIME" >> %(log)s
"""
# The ALSA "null" device satisfies the audio check of the module, which plays
# nothing itself. Neither the server nor the module turns punctuation into
# words or drops it, and "\x01" as the only delimiter keeps each utterance in
# one piece rather than one call of the voice per sentence: the log holds
# Orca's text as it was sent. Languages that it does not list are recoded to
# Latin-1 (Orca asks for "en-us", which falls back to "en").
SPEECHD_CONF = """LogDir "%(dir)s"
AudioOutputMethod "alsa"
AudioALSADevice "null"
SymbolsPreproc "no"
AddModule "log" "sd_generic" "log.conf"
DefaultModule log
DefaultLanguage "en"
"""
MODULE_CONF = """GenericExecuteSynth "exec %(dir)s/voice \\'$DATA\\'"
GenericDelimiters "\x01"
GenericStripPunctChars "\x01"
GenericMaxChunkLength 100000
GenericLanguage "en" "en" "utf-8"
GenericLanguage "ja" "ja" "utf-8"
AddVoice "en" "MALE1" "log"
"""
# Orca refuses to start while any other process of this user is named
# "orca", and names itself so: both would keep parallel tests (and a
# player's own Orca) apart, so this session's Orca neither looks nor takes
# the name.
RUN_ORCA = """import runpy, sys
orca = runpy.run_path("/usr/bin/orca")
orca["main"].__globals__.update(otherOrcas=lambda: [], setProcessName=lambda name: None)
sys.exit(orca["main"]())
"""


class Listener:
    def __init__(self, session_dir, chars_per_second=15, debug_file=None):
        self.dir, self.rate = os.path.join(session_dir, "listener"), chars_per_second
        self.log = os.path.join(self.dir, "heard")
        self.debug = ["--debug", "--debug-file", debug_file] if debug_file else []  # Orca's own
        self.procs, self.began, self.last_mark = [], None, 0.0

    # Starts speech-dispatcher, then Orca, and returns once Orca has said
    # "Screen reader on." (it listens for events from then on).
    def start(self, timeout=60):
        os.makedirs(os.path.join(self.dir, "conf", "modules"), exist_ok=True)
        values = dict(dir=self.dir, log=self.log, rate=self.rate)
        for name, text in (("voice", VOICE), ("conf/speechd.conf", SPEECHD_CONF),
                           ("conf/modules/log.conf", MODULE_CONF)):
            with open(os.path.join(self.dir, name), "w") as f:
                f.write(text % values)
        os.chmod(os.path.join(self.dir, "voice"), 0o755)
        open(self.log, "w").close()
        socket = os.path.join(self.dir, "speechd.sock")
        # English messages whatever the locale; settings and caches stay in
        # the session's directory.
        env = dict(os.environ, LC_ALL="C.UTF-8", LANGUAGE="", GSETTINGS_BACKEND="memory",
                   SPEECHD_ADDRESS="unix_socket:" + socket,
                   **{v: os.path.join(self.dir, v) for v in ("XDG_CONFIG_HOME", "XDG_DATA_HOME",
                                                             "XDG_CACHE_HOME")})
        self.began = time.time()
        atexit.register(self.stop)
        # It quits by itself 30 s after its last client, should this
        # process die without stop().
        self._spawn(["speech-dispatcher", "--run-single", "--timeout", "30",
                     "--config-dir", os.path.join(self.dir, "conf"), "--log-dir", self.dir,
                     "--communication-method", "unix_socket", "--socket-path", socket], env)
        if not self._until(lambda: os.path.exists(socket), 20):
            raise RuntimeError("speech-dispatcher did not start:\n" + self._errors())
        self._spawn(["/usr/bin/python3", "-c", RUN_ORCA, "--user-prefs", self.dir + "/orca",
                     "--disable", "braille,sound", "--enable", "speech", *self.debug], env)
        if not self.wait_for("^Screen reader on", timeout):
            raise RuntimeError("Orca did not speak within %s s:\n%s" % (timeout, self._errors()))
        self.ready = time.time()

    # Each process leads a group of its own, so that stop() ends its
    # children (the voices) too; it gets SIGTERM when this one dies.
    def _spawn(self, command, env):
        err = open(os.path.join(self.dir, "stderr"), "a")
        self.procs.append(subprocess.Popen(["setpriv", "--pdeathsig", "TERM", "--", *command],
                                           env=env, stdin=subprocess.DEVNULL, stdout=err,
                                           stderr=err, start_new_session=True))

    def _errors(self):
        with open(os.path.join(self.dir, "stderr"), errors="replace") as f:
            return f.read()[-2000:]

    @staticmethod
    def _until(probe, seconds):
        end = time.monotonic() + seconds
        while not (found := probe()) and time.monotonic() < end:
            time.sleep(0.05)
        return found

    # Everything heard so far, oldest first. The voice speaks one utterance
    # at a time, so one without an end was cut off if another followed it
    # or its time is long past.
    def heard(self):
        utterances, now = [], time.time()
        with open(self.log, encoding="utf-8", errors="replace") as f:
            for line in f:
                stamp, sign, text = (line.rstrip("\n").split(" ", 2) + [""])[:3]
                if sign == "+":
                    if utterances and utterances[-1].end is None:
                        utterances[-1] = utterances[-1]._replace(cut=True)
                    utterances.append(Utterance(float(stamp), text.strip(), None, False))
                elif sign == "-" and utterances:
                    utterances[-1] = utterances[-1]._replace(end=float(stamp))
        if utterances and utterances[-1].end is None:
            last = utterances[-1]
            utterances[-1] = last._replace(cut=now > last.start + len(last.text) / self.rate + 1)
        return utterances

    def mark(self):  # a point in time for the calls below
        self.last_mark = time.time()
        return self.last_mark

    def heard_since(self, mark=None):
        mark = self.last_mark if mark is None else mark
        return [u for u in self.heard() if u.start >= mark]

    # The first utterance since mark (by default the last mark()) that
    # matches; None after timeout seconds.
    def wait_for(self, regex, timeout, mark=None):
        return self._until(lambda: next((u for u in self.heard_since(mark)
                                         if re.search(regex, u.text)), None), timeout)

    def expect(self, regex, timeout, mark=None):  # as wait_for, but raises if not heard
        return self.wait_for(regex, timeout, mark) or self.fail(
            "Orca did not say /%s/ within %s s" % (regex, timeout), mark)

    def fail(self, why, mark=None):
        raise AssertionError("%s; it said since the mark:\n%s" % (why, self.report(mark)))

    def report(self, mark=None):  # for messages: the times count from start()
        return "\n".join("%8.0f ms  %s%s" % ((u.start - self.began) * 1000, u.text,
                                             "  [cut off]" if u.cut else "")
                         for u in self.heard_since(mark)) or "(nothing)"

    def stop(self):
        for proc in reversed(self.procs):  # Orca first, then its speech-dispatcher
            proc.terminate()
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                pass
            try:
                os.killpg(proc.pid, signal.SIGKILL)  # whatever is left of its group
            except ProcessLookupError:
                pass
            proc.wait()
        self.procs = []


# Presses modifier+key as a person does, the modifier held for a moment. With
# a screen reader, Qt holds each key event back until the registry has asked
# it whether it takes the key (up to 100 ms), while shortcuts act at once: a
# chord sent in one burst can reach the menu bar as a lone Alt after its G,
# which closes the menu that G opened.
def chord(modifier, key):
    subprocess.run(["xdotool", "keydown", modifier, "sleep", "0.3", "key", key,
                    "keyup", modifier], check=True)
