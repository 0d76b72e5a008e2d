#!/usr/bin/python3
"""Random but valid user actions against the real KELDAR2014 program, for a given time.

Started by scripts/gui-monkey.sh, which documents the arguments. The program runs on a private
X server (Xvfb) with its home, settings, temporary and working folders inside one scratch folder
that holds copies of every example. Input goes through xdotool (the XTEST extension), exactly as
a user's keys and clicks would arrive; windows are found and watched through Xlib.

Faults: the program crashing or ending by itself, a sanitizer report in its output, no X event
handled for 20 s (a _NET_WM_PING heartbeat that the program's GUI thread must answer), and any
file written outside the scratch folder. Replay a run with KELDAR_MONKEY_SEED=<seed>: the same
seed makes the same choices, although timing may still take a run down another path.
"""

import argparse
import collections
import ctypes
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import zlib
import struct
import select

from Xlib import X
from Xlib import display as xdisplay
from Xlib.protocol import event as xevent

HANG_SECONDS = 20.0
PING_INTERVAL = 1.0
WRITE_CHECK_INTERVAL = 15.0
PICTURE_INTERVAL = 10.0
START_TIMEOUT = 60.0
SCREEN_SIZE = "1280x1024x24"
# Leaks of system libraries, not of the program: D-Bus keeps what it allocated for the session
# bus that Qt's X11 support looks for (and does not find) at start.
LEAK_SUPPRESSIONS = ["leak:libdbus-1.so"]
SANITIZER_REPORT = re.compile(
    r"ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|"
    r"SUMMARY: (AddressSanitizer|UndefinedBehaviorSanitizer|LeakSanitizer)|Sanitizer:DEADLYSIGNAL")


class Fault(Exception):
    """What the monkey found: the kind of fault and what it saw."""

    def __init__(self, kind, detail):
        super().__init__(f"{kind}: {detail}")
        self.kind = kind
        self.detail = detail


def die_with_parent():
    # Xvfb and the program must not outlive the monkey, whatever ends it (CI's timeout included).
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


# ---- The scratch folder ----

class Scratch:
    """Everything the program may write: copies of the examples, its home and settings, its
    temporary folder, the stand-ins for the text editor and the desktop's file opener."""

    def __init__(self, root, repo):
        self.root = root
        self.repo = repo
        self.files = os.path.join(root, "files")
        self.home = os.path.join(root, "home")
        self.runtime = os.path.join(root, "run")
        self.tmp = os.path.join(root, "tmp")
        self.bin = os.path.join(root, "bin")
        self.logs = os.path.join(root, "logs")
        self.stamp = os.path.join(root, "stamp")
        self.leak_suppressions = os.path.join(root, "lsan.supp")

    def prepare(self):
        for folder in (self.files, self.home, self.tmp, self.bin, self.logs):
            os.makedirs(folder, exist_ok=True)
        os.makedirs(self.runtime, mode=0o700, exist_ok=True)
        self.copy_examples()
        self.add_unreadable_projects()
        self.add_stand_ins()
        self.write_settings()
        with open(self.leak_suppressions, "w") as out:
            out.write("\n".join(LEAK_SUPPRESSIONS) + "\n")
        with open(self.stamp, "w"):
            pass

    def copy_examples(self):
        examples = os.path.join(self.repo, "examples")
        expected = os.path.join(examples, "expected")
        for folder, _, names in os.walk(examples):
            for name in sorted(names):
                if not name.endswith(".kd3d"):
                    continue
                target = os.path.join(self.files, os.path.relpath(folder, examples))
                os.makedirs(target, exist_ok=True)
                shutil.copy(os.path.join(folder, name), target)
                # With its results beside it a project opens with the plot commands enabled.
                stem = name[:-len(".kd3d")]
                for suffix in (".kd3o", ".kd3p"):
                    result = os.path.join(expected, stem + suffix)
                    if os.path.exists(result):
                        shutil.copy(result, target)

    def add_unreadable_projects(self):
        # Files a user may open by mistake: empty, plain text, binary, one mistyped number.
        with open(os.path.join(self.files, "empty.kd3d"), "w"):
            pass
        with open(os.path.join(self.files, "notes.kd3d"), "w") as out:
            out.write("Meeting notes\nPile load test on Friday, 9:30\n")
        with open(os.path.join(self.files, "binary.kd3d"), "wb") as out:
            out.write(bytes(random.Random(7).randrange(256) for _ in range(2048)))
        source = os.path.join(self.files, "steel-pipe-clay.kd3d")
        if os.path.exists(source):
            with open(source) as original:
                text = original.read()
            with open(os.path.join(self.files, "mistyped.kd3d"), "w") as out:
                out.write(text.replace(" 0.128", " O.128", 1))

    def add_stand_ins(self):
        # The program's PATH holds only these: the text editor, the desktop's file and web
        # opener and the sanitizers' symbolizer. Nothing typed into the editor field can start
        # a real program.
        log = os.path.join(self.logs, "desktop.log")
        for name in ("editor", "xdg-open"):
            path = os.path.join(self.bin, name)
            with open(path, "w") as out:
                out.write(f'#!/bin/sh\necho "{name} $*" >> "{log}"\n')
            os.chmod(path, 0o755)
        for tool in ("llvm-symbolizer", "addr2line"):
            found = shutil.which(tool)
            if found:
                os.symlink(found, os.path.join(self.bin, tool))

    def write_settings(self):
        folder = os.path.join(self.home, ".config", "Morvel")
        os.makedirs(folder, exist_ok=True)
        examples = sorted(self.projects())[:5]
        lines = ["[2014.3.4]", f"Word%20Processor={os.path.join(self.bin, 'editor')}"]
        lines += [f"File{i + 1}={path}" for i, path in enumerate(examples)]
        with open(os.path.join(folder, "KELDAR.conf"), "w") as out:
            out.write("\n".join(lines) + "\n")

    def projects(self):
        found = []
        for folder, _, names in os.walk(self.files):
            found += [os.path.join(folder, n) for n in names if n.endswith((".kd3d", ".kdd"))]
        return found

    def environment(self, display, locale):
        home = self.home
        return {
            "DISPLAY": display,
            "HOME": home,
            "USER": "monkey",
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_STATE_HOME": os.path.join(home, ".local", "state"),
            "XDG_RUNTIME_DIR": self.runtime,
            "TMPDIR": self.tmp,
            "PATH": self.bin,
            "LANG": locale,
            "LC_ALL": locale,
            "QT_QPA_PLATFORM": "xcb",
            "NO_AT_BRIDGE": "1",
            "ASAN_OPTIONS": "halt_on_error=1:abort_on_error=1:detect_leaks=1",
            "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1",
            "LSAN_OPTIONS": f"suppressions={self.leak_suppressions}:print_suppressions=0",
        }


# ---- Files written outside the scratch folder ----

class WriteWatch:
    """Files and folders under the watched folders that changed since the run began."""

    def __init__(self, folders, scratch, display_number):
        self.folders = [f for f in folders if os.path.isdir(f)]
        # Another monkey's scratch folder (a campaign beside the test run) is its own business.
        others = os.path.join(os.path.dirname(scratch.root), "keldar-monkey.*")
        self.pruned = [scratch.root, others, os.path.expanduser("~/.cache/ccache"),
                       "/tmp/.X11-unix"]
        # The X server's own lock; the watched folders themselves change when it comes and goes.
        self.ignored = {f"/tmp/.X{display_number}-lock", "/tmp/.X11-unix"} | set(self.folders)
        self.stamp = scratch.stamp
        self.reported = set()

    def new_writes(self):
        if not self.folders:
            return []
        prune = []
        for path in self.pruned:
            prune += ["-path", path, "-o"]
        command = ["find", *self.folders, "-xdev", "(", *prune[:-1], ")", "-prune", "-o",
                   "-newer", self.stamp, "-print"]
        found = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                               text=True, timeout=120).stdout.split("\n")
        fresh = [p for p in found if p and p not in self.ignored and p not in self.reported]
        self.reported.update(fresh)
        return fresh


# ---- The X server and the windows on it ----

def start_xvfb(log):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN_SIZE, "-nolisten", "tcp",
         "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log,
        preexec_fn=die_with_parent)
    os.close(write_end)
    # Xvfb writes the number and then a newline: closing the pipe before the newline kills it.
    answer = b""
    deadline = time.monotonic() + 30
    while not answer.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], 1)
        if ready:
            piece = os.read(read_end, 64)
            if not piece:
                break
            answer += piece
    os.close(read_end)
    number = answer.decode().strip()
    if not number.isdigit():
        server.kill()
        raise Fault("setup", "Xvfb did not start")
    return server, int(number)


class Window:
    def __init__(self, xid, title, x, y, width, height, popup, modal):
        self.xid, self.title, self.popup, self.modal = xid, title, popup, modal
        self.x, self.y, self.width, self.height = x, y, width, height

    def point(self, rng, left=0, top=0, right=0, bottom=0):
        """A random point inside the window, keeping clear of the given margins."""
        return (self.x + rng.randint(left, max(left, self.width - 1 - right)),
                self.y + rng.randint(top, max(top, self.height - 1 - bottom)))


class Screen:
    """The X server seen through Xlib: the program's windows and its heartbeat."""

    def __init__(self, display_name):
        self.display = xdisplay.Display(display_name)
        # Windows come and go between a query and the next request: such errors mean nothing.
        self.display.set_error_handler(lambda *args: None)
        self.root = self.display.screen().root
        # Qt answers a ping by sending it back to the root window for the clients that select
        # structure changes there.
        self.root.change_attributes(event_mask=X.StructureNotifyMask)
        self.protocols = self.display.intern_atom("WM_PROTOCOLS")
        self.ping_atom = self.display.intern_atom("_NET_WM_PING")
        self.name_atom = self.display.intern_atom("_NET_WM_NAME")
        self.utf8 = self.display.intern_atom("UTF8_STRING")
        self.state_atom = self.display.intern_atom("_NET_WM_STATE")
        self.modal_atom = self.display.intern_atom("_NET_WM_STATE_MODAL")
        self.delete_atom = self.display.intern_atom("WM_DELETE_WINDOW")
        self.ping_serial = 0
        self.last_answer = None
        self.last_ping = 0.0

    def windows(self):
        """The viewable top-level windows, from the bottom of the stack to the top."""
        found = []
        try:
            children = self.root.query_tree().children
        except Exception:
            return found
        for child in children:
            try:
                attributes = child.get_attributes()
                if attributes.map_state != X.IsViewable:
                    continue
                geometry = child.get_geometry()
                found.append(Window(child.id, self.title(child), geometry.x, geometry.y,
                                    geometry.width, geometry.height,
                                    bool(attributes.override_redirect), self.modal(child)))
            except Exception:
                continue
        return found

    def title(self, window):
        name = window.get_full_property(self.name_atom, self.utf8)
        if name is not None:
            value = name.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
        legacy = window.get_wm_name()
        return legacy if isinstance(legacy, str) else ""

    def modal(self, window):
        state = window.get_full_property(self.state_atom, X.AnyPropertyType)
        return state is not None and self.modal_atom in state.value

    def close(self, window):
        """What a window manager's close button does: asks the window to close."""
        self.send_protocol(window.xid, self.delete_atom, X.CurrentTime)

    def send_protocol(self, xid, protocol, value):
        data = (32, [protocol, value, xid, 0, 0])
        target = self.display.create_resource_object("window", xid)
        target.send_event(xevent.ClientMessage(window=target, client_type=self.protocols,
                                               data=data), event_mask=0)
        self.display.flush()

    def focus(self, window):
        if self.display.get_input_focus().focus != window.xid:
            self.display.set_input_focus(window.xid, X.RevertToParent, X.CurrentTime)
            self.display.sync()

    def heartbeat(self, main_xid):
        """Sends a ping to the main window once a second and collects the answers; returns the
        seconds since the program last answered one."""
        now = time.monotonic()
        if self.last_answer is None:
            self.last_answer = now
        while self.display.pending_events():
            event = self.display.next_event()
            if (event.type == X.ClientMessage and event.client_type == self.protocols
                    and event.data[1][0] == self.ping_atom):
                self.last_answer = time.monotonic()
        if main_xid is not None and now - self.last_ping >= PING_INTERVAL:
            self.ping_serial += 1
            self.send_protocol(main_xid, self.ping_atom, self.ping_serial)
            self.last_ping = now
        return now - self.last_answer

    def reset_heartbeat(self):
        self.last_answer = None

    def grab_png(self, path):
        """The whole screen as a PNG, for the report of a fault."""
        geometry = self.root.get_geometry()
        width, height = geometry.width, geometry.height
        pixels = self.root.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
        rows = []
        for y in range(height):
            line = pixels[y * width * 4:(y + 1) * width * 4]
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
            rows.append(b"\0" + bytes(rgb))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                      chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b""))


# ---- Input as a user makes it ----

class Input:
    """Keys, text and mouse through xdotool; counts the X input events it sends."""

    def __init__(self, display_name):
        self.environment = dict(os.environ, DISPLAY=display_name)
        self.events = 0

    def run(self, arguments, events):
        self.events += events
        try:
            subprocess.run(["xdotool", *arguments], env=self.environment, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            raise Fault("hang", "the X server did not take input for 30 s")

    def keys(self, *chords):
        self.run(["key", "--delay", "40", *chords], len(chords))

    def type(self, text):
        if text:
            self.run(["type", "--delay", "6", "--", text], len(text))

    def click(self, point, button=1, repeat=1):
        self.run(["mousemove", str(point[0]), str(point[1]), "click", "--repeat", str(repeat),
                  str(button)], repeat)

    def drag(self, start, end):
        self.run(["mousemove", str(start[0]), str(start[1]), "mousedown", "1", "mousemove",
                  str(end[0]), str(end[1]), "mouseup", "1"], 3)


# ---- What a user types ----

EXPRESSIONS = [
    "2*3+1", "(4.5-1)/2", "12*2.54", "sqrt(2)/2", "2^10", "10/4", "-(-3)", "1/3*3", "pi", "e",
    "abs(-7)", "ln(0)", "sqrt(-1)", "1/0", "0/0", "5!", "171!", "$FF", "$FFFFFFFFFFFFFFFF",
    "sin(pi)", "round(2.5)", "2(3)", "((((((1))))))", "1e308*10", "10^400", "int(9.99)",
    "log(100)", "arccos(2)", "tan(pi/2)", "frac(-2.5)", "7%2", "1&1", "1|0", "1=1", "3-+2",
    "2^-1", "-2^0.5", "cotan(0)", "arctanh(1)", "floor(-0.5)", "ceil(1e20)",
]
GARBAGE = [
    "abc", "O.128", "1..2", "--", "+", "()", ")(", "1e", "e5", "x", "#", "NaN", "inf", "-inf",
    "1,5", "1 000", "\u0663", "\u00e4", "\u20ac", "\u65e5\u672c", " ", "9" * 300, "1" * 40,
    "0x10", "1e-400", "sqrt", "sqrt(", "(((((", "1.2.3", "12abc", "''", '"', ";", "\\", "%",
    "1e+", "-", ".", "E", "$", "$G", "!", "2!!", "1e99999",
]
EXTREMES = ["0", "-0", "1e300", "1e-300", "3.4e38", "1.7976931348623157e308", "99999999999",
            "0.000001", "-1", "2147483648", "4.9e-324"]


def number(rng):
    roll = rng.random()
    if roll < 0.4:
        return f"{rng.uniform(0, 100):.{rng.randint(0, 4)}f}"
    if roll < 0.6:
        return str(rng.randint(-10, 1000))
    if roll < 0.75:
        return f"{rng.uniform(1, 9):.2f}e{rng.randint(-12, 12)}"
    if roll < 0.85:
        return f"-{rng.uniform(0, 50):.2f}"
    return rng.choice(EXTREMES)


def entry_text(rng):
    """A cell or field entry: mostly numbers, then expressions, then garbage. Never a '/' at
    the start, a '~' or a '..' path step, so no entry can name a place outside the scratch."""
    roll = rng.random()
    if roll < 0.55:
        return number(rng)
    if roll < 0.75:
        return rng.choice(EXPRESSIONS)
    return rng.choice(GARBAGE)


# ---- Commands through menus and the tool bar ----

# Access-key paths through the menus. A walk with Up starts at the bottom of the menu whether or
# not its first item is highlighted, and skips disabled items: it reaches the items without an
# access key.
MENU_COMMANDS = [
    ("File > New", ["alt+f", "n"]), ("File > Open...", ["alt+f", "o"]),
    ("File > Save", ["alt+f", "s"]), ("File > Save As...", ["alt+f", "a"]),
    ("Data > Title", ["alt+d", "t"]), ("Data > Pile Properties", ["alt+d", "p"]),
    ("Data > Soil Layers", ["alt+d", "l"]), ("Data > Enter t-z Curves", ["alt+d", "z"]),
    ("Data > Enter Q-w Curve", ["alt+d", "w"]), ("Data > Enter Tip Movements", ["alt+d", "m"]),
    ("Data > Enter Loads at Pile Head", ["alt+d", "h"]),
    ("Data > Enter Soil-Settlement Data", ["alt+d", "s"]),
    ("Data > Modification Factors on Q-w Curve", ["alt+d", "Up", "Return"]),
    ("Data > Modification Factors on t-z Curves", ["alt+d", "Up", "Up", "Return"]),
    ("Options > Units > English Units", ["alt+o", "u", "e"]),
    ("Options > Units > S.I. Units", ["alt+o", "u", "s"]),
    ("Options > Curves > Generated by the program", ["alt+o", "c", "Up", "Up", "Return"]),
    ("Options > Curves > Entered by the user", ["alt+o", "c", "Up", "Return"]),
    ("Options > Load Method > Specify Tip Movements", ["alt+o", "m", "t"]),
    ("Options > Load Method > Assign Loads at Pile Head", ["alt+o", "m", "l"]),
    ("Options > Include Down-Drag", ["alt+o", "d"]),
    ("Options > Apply Modification Factors on t-z Curves", ["alt+o", "Up", "Up", "Up", "Return"]),
    ("Options > Apply Modification Factors on Q-w Curve", ["alt+o", "Up", "Up", "Return"]),
    ("Options > Selection of Text Editor", ["alt+o", "e"]),
    ("Computation > Run Analysis", ["alt+c", "r"]),
    ("Computation > Edit Input Text", ["alt+c", "i"]),
    ("Computation > Edit Processor-Run Notes", ["alt+c", "p"]),
    ("Computation > Edit Output Text", ["alt+c", "o"]),
    ("Computation > View Soil Layer Coordinates", ["alt+c", "v"]),
    ("Graphics > Load Distribution", ["alt+g", "d"]),
    ("Graphics > Axial Load vs Settlement", ["alt+g", "a"]),
    ("Graphics > t-z Curves", ["alt+g", "z"]), ("Graphics > Q-w Curve", ["alt+g", "w"]),
    ("Graphics > Export Plots", ["alt+g", "Up", "Return"]),
    ("Window > Cascade", ["alt+w", "c"]), ("Window > Tile", ["alt+w", "t"]),
    ("Window > Arrange Icons", ["alt+w", "a"]), ("Window > last window", ["alt+w", "Up", "Return"]),
    ("Help > Contents", ["alt+h", "c"]), ("Help > About", ["alt+h", "a"]),
    ("Help > User's Manual", ["alt+h", "Up", "Up", "Up", "Return"]),
    ("Help > Technical Manual", ["alt+h", "Up", "Up", "Return"]),
]
MENU_KEYS = ["alt+f", "alt+d", "alt+o", "alt+c", "alt+g", "alt+w", "alt+h"]
SHORTCUTS = [("New (Ctrl+N)", "ctrl+n"), ("Open (Ctrl+O)", "ctrl+o"), ("Save (Ctrl+S)", "ctrl+s")]

# Tool buttons, left to right: their centres from the main window's top left corner.
TOOL_BUTTONS = [("New File", 20), ("Open File", 53), ("Save File", 87), ("Run Analysis", 126),
                ("Soil-Layer Data", 165), ("Edit Output Text", 199), ("View Soil Profile", 232),
                ("View Load Distribution Plot", 272), ("View Load vs Settlement", 305),
                ("View t-z Curves", 339), ("View Q-w Curve", 371)]
TOOL_BAR_Y = 39
MDI_TOP = 60       # below the menu bar and the tool bar
MDI_BOTTOM = 26    # above the status bar

EDIT_KEYS = ["Tab", "shift+Tab", "Return", "Escape", "Up", "Down", "Left", "Right", "Home", "End",
             "Prior", "Next", "Delete", "BackSpace", "Insert", "space", "F2", "ctrl+a", "ctrl+c",
             "ctrl+v", "ctrl+x", "ctrl+z", "ctrl+Home", "ctrl+End", "ctrl+Tab", "ctrl+shift+Tab",
             "ctrl+F4", "ctrl+F6", "shift+Down", "shift+Right", "ctrl+Insert", "ctrl+Delete",
             "alt+a", "alt+b", "alt+e", "alt+k", "alt+x"]

# Dialog titles that belong to file dialogs (or may, like an unknown large dialog): there the
# monkey only types a path inside the scratch folder or cancels, so that it can never steer a
# dialog to a folder outside.
FILE_DIALOG_TITLE = re.compile(r"^(Open|Save .*|Save|Print to PDF File|Print To File.*|"
                               r"An Excel instance.*|Export.*|Find Directory)$")
FREE_DIALOG_TITLES = {"About", "Legend", "Graph Caption", "Caption Location", "Active Curves",
                      "Save Attributes", "Print", "Control Options", "Information", "KELDAR 3.0",
                      "Confirm", "Error", "Warning", "Question", "KELDAR Help"}
MESSAGE_BOX_KEYS = ["Return", "Escape", "alt+y", "alt+n", "alt+c", "alt+o", "Tab", "space",
                    "y", "n"]


class Monkey:
    def __init__(self, rng, scratch, screen, keys, binary, log_actions):
        self.rng = rng
        self.scratch = scratch
        self.screen = screen
        self.input = keys
        self.binary = binary
        # A debugger to run the program under when a fault is replayed, e.g.
        # KELDAR_MONKEY_WRAPPER="/usr/bin/gdb -batch -ex run -ex bt --args".
        self.wrapper = os.environ.get("KELDAR_MONKEY_WRAPPER", "").split()
        self.log_actions = log_actions
        self.program = None
        self.program_log = None
        self.log_offset = 0
        self.log_tail = ""
        self.exit_chance = None
        self.main_xid = None
        self.started = time.monotonic()
        self.recent = collections.deque(maxlen=40)
        self.counts = collections.Counter()
        self.unknown_titles = set()
        self.saved_names = 0

    # -- the program --

    def start_program(self):
        self.counts["starts"] += 1
        projects = self.scratch.projects()
        argument = [self.rng.choice(projects)] if projects and self.rng.random() < 0.8 else []
        locale = self.rng.choice(["C.UTF-8", "de_DE.UTF-8"])
        log_path = os.path.join(self.scratch.logs, f"program-{self.counts['starts']}.log")
        self.program_log = log_path
        self.log_offset = 0
        self.log_tail = ""
        self.note(f"start the program ({locale}) {' '.join(argument)}")
        with open(log_path, "w") as log:
            self.program = subprocess.Popen(
                [*self.wrapper, self.binary, *argument], cwd=self.scratch.files, stdout=log,
                stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                env=self.scratch.environment(self.input.environment["DISPLAY"], locale),
                preexec_fn=die_with_parent)
        self.exit_chance = None
        self.main_xid = None
        self.screen.reset_heartbeat()
        deadline = time.monotonic() + START_TIMEOUT
        while time.monotonic() < deadline:
            self.check_program()
            # A file that cannot be read shows its message before the main window appears.
            if self.front(self.screen.windows()):
                return
            time.sleep(0.2)
        raise Fault("start", f"no window within {START_TIMEOUT:.0f} s")

    def check_program(self):
        """Raises a fault for a sanitizer report or an end the user did not ask for; starts the
        program again after an ordinary exit."""
        with open(self.program_log, "rb") as log:
            log.seek(self.log_offset)
            fresh = log.read()
        self.log_offset += len(fresh)
        # With the end of the part read before, so that a report's first line cut by a read
        # is still found.
        output = self.log_tail + fresh.decode("utf-8", "replace")
        self.log_tail = output[-200:]
        if SANITIZER_REPORT.search(output):
            time.sleep(2)  # let the report finish
            raise Fault("sanitizer", f"report in {self.program_log}")
        code = self.program.poll()
        if code is None:
            return
        asked = self.exit_chance is not None and time.monotonic() - self.exit_chance < 60
        if code != 0 or not asked:
            raise Fault("crash" if code != 0 else "ended", f"the program ended with status {code}"
                        f"{'' if asked else ' without being asked to'}; see {self.program_log}")
        self.counts["exits"] += 1
        self.note("the program closed")
        self.start_program()

    def restart_after_fault(self):
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        self.start_program()

    def stop_program(self):
        """Closes the program as a user would, answering its questions with No; ends it by
        signal if it is still open after 20 s (left in a state the monkey cannot leave)."""
        if self.program is None or self.program.poll() is not None:
            return
        deadline = time.monotonic() + 20
        answered = collections.Counter()
        while time.monotonic() < deadline and self.program.poll() is None:
            windows = self.screen.windows()
            front = self.front(windows)
            if front is None or self.open_popup(windows):
                self.note("closing: Escape")
                self.input.keys("Escape")
            elif self.main_window(windows) is front:
                self.note("closing: File > Exit")
                self.screen.focus(front)
                self.menu_used()
                self.input.keys("Escape", "alt+f", "x")
            else:
                # No to the save query first; then whatever else closes the question.
                key = ["alt+n", "Escape", "Return"][answered[front.xid] % 3]
                answered[front.xid] += 1
                self.note(f"closing: '{front.title}': {key}")
                self.screen.focus(front)
                self.input.keys(key)
            time.sleep(0.5)
        try:
            self.program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.note("the program did not close at the end; ended by signal")
            self.counts["ended by signal"] += 1
            self.program.terminate()
            try:
                self.program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.program.kill()
            return
        self.check_program_end()

    def check_program_end(self):
        with open(self.program_log, errors="replace") as log:
            output = log.read()
        if SANITIZER_REPORT.search(output):
            raise Fault("sanitizer", f"report on closing in {self.program_log}")
        if self.program.returncode != 0:
            raise Fault("crash", f"status {self.program.returncode} on closing; "
                                 f"see {self.program_log}")
        self.counts["exits"] += 1

    # -- windows --

    @staticmethod
    def main_window(windows):
        for window in windows:
            if not window.popup and window.title.startswith("KELDAR 2014"):
                return window
        return None

    @staticmethod
    def front(windows):
        for window in reversed(windows):
            if not window.popup:
                return window
        return None

    @staticmethod
    def open_popup(windows):
        # Menus and drop-down lists; tooltips are lower than any menu and take no input.
        for window in reversed(windows):
            if window.popup and window.height >= 34:
                return window
        return None

    def dialog_kind(self, window):
        if FILE_DIALOG_TITLE.match(window.title):
            return "file"
        if window.title in FREE_DIALOG_TITLES:
            return "message" if window.width < 700 and window.height < 320 else "free"
        if window.width < 560 and window.height < 320:
            return "message"
        if window.title not in self.unknown_titles:
            self.unknown_titles.add(window.title)
            self.note(f"unknown dialog '{window.title}' {window.width}x{window.height}: "
                      "handled as a file dialog")
        return "file"

    # -- the loop --

    def note(self, text):
        line = f"{time.monotonic() - self.started:8.2f}s  {text}"
        self.recent.append(line)
        self.log_actions.write(line + "\n")
        self.log_actions.flush()

    def step(self):
        windows = self.screen.windows()
        main = self.main_window(windows)
        self.main_xid = main.xid if main else None
        popup = self.open_popup(windows)
        front = self.front(windows)
        if popup is not None:
            self.act_in_popup(popup)
        elif front is None:
            self.note("no window to act on")
        elif main is None:
            self.screen.focus(front)
            self.act_in_dialog(front)
        elif front is main:
            self.screen.focus(main)
            self.act_in_main(main)
        elif not front.modal and self.rng.random() < 0.4:
            # A window of its own beside the main window, such as the help: the user goes on
            # working in the main window.
            self.screen.focus(main)
            self.act_in_main(main)
        else:
            self.screen.focus(front)
            self.act_in_dialog(front)

    def menu_used(self):
        # Any walk through the menus may end on File > Exit: an ordinary exit soon after one is
        # what the user asked for.
        self.exit_chance = time.monotonic()

    def command(self, name):
        self.counts["commands"] += 1
        if "Run Analysis" in name:
            self.counts["runs"] += 1
        self.menu_used()
        self.note(f"command {name}")

    def act_in_main(self, main):
        rng = self.rng
        actions = [
            (22, self.menu_command), (6, self.menu_walk), (3, self.unit_switch),
            (3, self.run_analysis), (10, self.tool_button), (12, self.click_workspace),
            (4, self.double_click_workspace), (14, self.enter_into_workspace),
            (8, self.type_entry), (12, self.edit_keys), (2, self.context_menu),
            (3, self.drag_workspace), (2, self.wheel_workspace), (1.5, self.shortcut),
            (0.3, self.exit_program), (0.2, self.close_main_window),
        ]
        action = rng.choices([a for _, a in actions], [w for w, _ in actions])[0]
        action(main)

    def menu_command(self, main):
        name, keys = self.rng.choice(MENU_COMMANDS)
        self.command(name)
        self.input.keys(*keys)

    def menu_walk(self, main):
        keys = [self.rng.choice(MENU_KEYS)]
        for _ in range(self.rng.randint(0, 8)):
            keys.append(self.rng.choice(["Down", "Down", "Up", "Right", "Left"]))
        keys.append(self.rng.choice(["Return", "Return", "Escape"]))
        self.command("menu walk " + " ".join(keys))
        self.input.keys(*keys)

    def unit_switch(self, main):
        english = self.rng.random() < 0.5
        self.command(f"Options > Units > {'English' if english else 'S.I.'} Units")
        self.input.keys("alt+o", "u", "e" if english else "s")

    def run_analysis(self, main):
        if self.rng.random() < 0.5:
            self.command("Computation > Run Analysis")
            self.input.keys("alt+c", "r")
        else:
            self.command("tool button Run Analysis")
            self.input.click((main.x + TOOL_BUTTONS[3][1], main.y + TOOL_BAR_Y))

    def tool_button(self, main):
        name, x = self.rng.choice(TOOL_BUTTONS)
        self.command(f"tool button {name}")
        self.input.click((main.x + x, main.y + TOOL_BAR_Y))

    def workspace_point(self, main):
        return main.point(self.rng, 2, MDI_TOP, 2, MDI_BOTTOM)

    def click_workspace(self, main):
        point = self.workspace_point(main)
        self.note(f"click {point}")
        self.input.click(point)

    def double_click_workspace(self, main):
        point = self.workspace_point(main)
        self.note(f"double click {point}")
        self.input.click(point, repeat=2)

    def enter_into_workspace(self, main):
        point = self.workspace_point(main)
        text = entry_text(self.rng)
        end = self.rng.choice(["Return", "Tab", "Return", "Down", ""])
        self.note(f"click {point}, type {text[:40]!r} {end}")
        self.input.click(point, repeat=self.rng.choice([1, 1, 2]))
        self.input.type(text)
        if end:
            self.input.keys(end)

    def type_entry(self, main):
        text = entry_text(self.rng)
        end = self.rng.choice(["Return", "Tab", ""])
        self.note(f"type {text[:40]!r} {end}")
        self.input.type(text)
        if end:
            self.input.keys(end)

    def edit_keys(self, main):
        keys = [self.rng.choice(EDIT_KEYS) for _ in range(self.rng.randint(1, 3))]
        self.note("keys " + " ".join(keys))
        self.input.keys(*keys)

    def context_menu(self, main):
        point = self.workspace_point(main)
        self.note(f"right click {point}")
        self.input.click(point, button=3)

    def drag_workspace(self, main):
        start, end = self.workspace_point(main), self.workspace_point(main)
        self.note(f"drag {start} to {end}")
        self.input.drag(start, end)

    def wheel_workspace(self, main):
        point = self.workspace_point(main)
        button = self.rng.choice([4, 5])
        self.note(f"wheel {'up' if button == 4 else 'down'} at {point}")
        self.input.click(point, button=button, repeat=self.rng.randint(1, 5))

    def shortcut(self, main):
        name, chord = self.rng.choice(SHORTCUTS)
        self.command(name)
        self.input.keys(chord)

    def exit_program(self, main):
        self.command("File > Exit")
        self.input.keys("alt+f", "x")

    def close_main_window(self, main):
        self.command("close button of the main window")
        self.exit_chance = time.monotonic()
        self.screen.close(main)

    def act_in_popup(self, popup):
        self.menu_used()
        if self.rng.random() < 0.25:
            point = popup.point(self.rng, 2, 2, 2, 2)
            self.note(f"click in a menu at {point}")
            self.input.click(point)
            return
        key = self.rng.choice(["Down", "Down", "Up", "Right", "Left", "Return", "Escape"])
        self.note(f"menu key {key}")
        self.input.keys(key)

    def act_in_dialog(self, dialog):
        if self.rng.random() < 0.06:
            self.note(f"'{dialog.title}': close button")
            self.counts["windows closed"] += 1
            self.screen.close(dialog)
            return
        kind = self.dialog_kind(dialog)
        self.counts[f"{kind} dialogs"] += 1
        if kind == "file":
            self.answer_file_dialog(dialog)
        elif kind == "message":
            self.answer_message_box(dialog)
        else:
            self.act_in_free_dialog(dialog)

    def answer_file_dialog(self, dialog):
        if self.rng.random() < 0.45:
            self.note(f"'{dialog.title[:40]}': Escape")
            self.input.keys("Escape")
            return
        path = self.file_name_for(dialog.title)
        self.note(f"'{dialog.title[:40]}': {path}")
        self.input.keys("ctrl+a")
        self.input.type(path)
        self.input.keys("Return")

    def file_name_for(self, title):
        """A path inside the scratch folder: an existing project to open or overwrite, a new
        name, or a name in a folder that does not exist."""
        rng = self.rng
        projects = self.scratch.projects()
        roll = rng.random()
        if roll < (0.7 if title == "Open" else 0.3) and projects:
            return rng.choice(projects)
        if roll < 0.8:
            self.saved_names += 1
            name = rng.choice(["saved-{}.kd3d", "saved {} \u00e4.kd3d", "saved-{}", "plot-{}.png",
                               "plot-{}.svg", "book-{}.xlsx", "book-{}.csv", "page-{}.pdf"])
            return os.path.join(self.scratch.files, name.format(self.saved_names))
        if roll < 0.9:
            return os.path.join(self.scratch.files, "no-such-folder", "x.kd3d")
        return os.path.join(self.scratch.files, entry_text(rng).replace("/", "-")[:60])

    def answer_message_box(self, dialog):
        if self.rng.random() < 0.3:
            point = dialog.point(self.rng, 4, 4, 4, 4)
            self.note(f"'{dialog.title}': click {point}")
            self.input.click(point)
            return
        key = self.rng.choice(MESSAGE_BOX_KEYS)
        self.note(f"'{dialog.title}': {key}")
        self.input.keys(key)

    def act_in_free_dialog(self, dialog):
        roll = self.rng.random()
        if roll < 0.35:
            point = dialog.point(self.rng, 4, 4, 4, 4)
            self.note(f"'{dialog.title}': click {point}")
            self.input.click(point)
        elif roll < 0.5:
            text = entry_text(self.rng)
            self.note(f"'{dialog.title}': type {text[:40]!r}")
            self.input.type(text)
            self.input.keys(self.rng.choice(["Tab", "Return"]))
        elif roll < 0.85:
            key = self.rng.choice(["Tab", "shift+Tab", "space", "Return", "Up", "Down", "Escape"])
            self.note(f"'{dialog.title}': {key}")
            self.input.keys(key)
        else:
            self.note(f"'{dialog.title}': Escape")
            self.input.keys("Escape")

    def heartbeat(self):
        silent = self.screen.heartbeat(self.main_xid)
        if silent > HANG_SECONDS:
            raise Fault("hang", f"no event handled for {silent:.0f} s")


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("seconds", type=float)
    parser.add_argument("build", help="build folder with bin/KELDAR2014")
    parser.add_argument("--repo", required=True)
    parser.add_argument("--seed", type=int)
    parser.add_argument("--watch", default="", help="colon-separated folders to watch")
    parser.add_argument("--keep-going", action="store_true",
                        help="after a fault, start the program again and go on")
    return parser.parse_args()


def report(monkey, seconds, seed):
    counts = monkey.counts
    print(f"gui-monkey: {seconds:.0f} s, seed {seed}: {monkey.input.events} events, "
          f"{counts['commands']} commands ({counts['runs']} Run Analysis), "
          f"{counts['message dialogs']} message-box answers, {counts['file dialogs']} file-dialog "
          f"answers, {counts['free dialogs']} other dialog actions, "
          f"{counts['starts']} starts, {counts['exits']} exits"
          f"{', closed by signal at the end' if counts['ended by signal'] else ''}")
    if monkey.unknown_titles:
        print("gui-monkey: dialogs handled as file dialogs: " +
              ", ".join(sorted(repr(t) for t in monkey.unknown_titles)))


def describe_fault(monkey, fault, scratch, number):
    """Prints what a fault was, the actions before it and the end of the program's output."""
    print(f"gui-monkey: FAULT {number} ({fault.kind}): {fault.detail}", flush=True)
    if monkey is None:
        return
    try:
        monkey.screen.grab_png(os.path.join(scratch.logs, f"fault-{number}.png"))
    except Exception:
        pass
    print("gui-monkey: the last actions:")
    for line in monkey.recent:
        print("  " + line)
    if monkey.program_log and os.path.exists(monkey.program_log):
        with open(monkey.program_log, errors="replace") as log:
            tail = log.read()[-6000:]
        print(f"gui-monkey: the end of {monkey.program_log}:\n{tail}", flush=True)


class Campaign:
    """The monkey against the program for the given time. Stops at the first fault, or with
    keep_going records it, starts the program again and goes on (for long campaigns)."""

    def __init__(self, monkey, watch, seconds, keep_going):
        self.monkey = monkey
        self.watch = watch
        self.seconds = seconds
        self.keep_going = keep_going
        self.faults = []

    def run(self, on_fault):
        monkey = self.monkey
        begin = time.monotonic()
        next_write_check = begin + WRITE_CHECK_INTERVAL
        next_picture = begin
        self.guarded(monkey.start_program, on_fault)
        while time.monotonic() - begin < self.seconds:
            self.guarded(self.one_step, on_fault)
            if time.monotonic() >= next_picture:
                # The screen as it was shortly before a fault; a crash leaves nothing to see.
                next_picture = time.monotonic() + PICTURE_INTERVAL
                monkey.screen.grab_png(os.path.join(monkey.scratch.logs, "screen-last.png"))
            if time.monotonic() >= next_write_check:
                next_write_check = time.monotonic() + WRITE_CHECK_INTERVAL
                self.guarded(self.check_writes, on_fault)
        seconds = time.monotonic() - begin
        self.guarded(monkey.stop_program, on_fault)
        self.guarded(self.check_writes, on_fault)
        return seconds

    def one_step(self):
        monkey = self.monkey
        monkey.check_program()
        monkey.heartbeat()
        monkey.step()
        time.sleep(monkey.rng.uniform(0.02, 0.12))
        monkey.heartbeat()

    def check_writes(self):
        written = self.watch.new_writes()
        if written:
            raise Fault("write outside the scratch folder", ", ".join(written[:10]))

    def guarded(self, work, on_fault):
        try:
            work()
        except Fault as fault:
            self.faults.append(fault)
            on_fault(fault, len(self.faults))
            if not self.keep_going or fault.kind == "setup":
                raise
            self.monkey.restart_after_fault()


def main():
    arguments = parse_arguments()
    seed = arguments.seed if arguments.seed is not None else random.SystemRandom().randrange(10**9)
    binary = os.path.join(os.path.abspath(arguments.build), "bin", "KELDAR2014")
    if not os.access(binary, os.X_OK):
        print(f"gui-monkey: no program {binary}", file=sys.stderr)
        return 2
    print(f"gui-monkey: seed {seed}, {arguments.seconds:.0f} s, program {binary}", flush=True)
    scratch = Scratch(tempfile.mkdtemp(prefix="keldar-monkey."), arguments.repo)
    scratch.prepare()
    watched = arguments.watch.split(":") if arguments.watch else []
    xvfb_log = open(os.path.join(scratch.logs, "xvfb.log"), "w")
    actions = open(os.path.join(scratch.logs, "actions.log"), "w")
    server = None
    monkey = None
    campaign = None
    signal.signal(signal.SIGTERM, lambda *args: sys.exit(3))

    def on_fault(fault, number):
        describe_fault(monkey, fault, scratch, number)

    try:
        server, number = start_xvfb(xvfb_log)
        display_name = f":{number}"
        screen = Screen(display_name)
        monkey = Monkey(random.Random(seed), scratch, screen, Input(display_name), binary, actions)
        campaign = Campaign(monkey, WriteWatch(watched, scratch, number), arguments.seconds,
                            arguments.keep_going)
        seconds = campaign.run(on_fault)
    except Fault as fault:
        if campaign is None:
            print(f"gui-monkey: {fault}", file=sys.stderr)
            return 2
        seconds = time.monotonic() - monkey.started
    finally:
        if monkey is not None and monkey.program is not None and monkey.program.poll() is None:
            monkey.program.kill()
        if server is not None:
            server.terminate()
            try:
                server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                server.kill()
    if monkey is not None:
        report(monkey, seconds, seed)
    faults = campaign.faults
    if not faults:
        print("gui-monkey: no fault found", flush=True)
        shutil.rmtree(scratch.root, ignore_errors=True)
        return 0
    kinds = collections.Counter(fault.kind for fault in faults)
    print("gui-monkey: FAILED: " + ", ".join(f"{n} {kind}" for kind, n in kinds.items()))
    print(f"gui-monkey: scratch folder kept: {scratch.root}")
    print(f"gui-monkey: replay with KELDAR_MONKEY_SEED={seed}")
    return 1


if __name__ == "__main__":
    sys.exit(main())
