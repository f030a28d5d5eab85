"""The program as a keyboard user drives it and a screen reader reads it back.

Each scenario starts the program afresh on the X display given in DISPLAY, types into it
with xdotool and reads its windows through the accessibility bus (pyatspi). Run by
run.sh, which provides the display and the session bus:

    run.sh path/to/pivolo [scenario ...]

With no scenario named, all of them run. Prints one line per scenario and exits with 1
when any failed.
"""

import argparse
import fcntl
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import traceback

import pyatspi

SOURCE_DIR = pathlib.Path(__file__).resolve().parents[2]
MAIN_TITLE = "Le pivolo"
ABOUT_TITLE = "A propos du pivolo"
BOX_TITLE = "pivolo"
BAD_TILE = "Au moins une plaque a une valeur incorrecte"
SOUND_QUESTION = (
    "Il ne faut pas avoir peur, le pivolo n'est qu'un jeu\n"
    "Voulez-vous stopper/activer le son ?"
)
SOUND_BUTTON = "Je n'ai jamais joué au \"pivolo\" et j'ai peur"
TILE_SET = "1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 10 10 25 25 50 50 75 75 100 100 "
TILE_VALUES = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 25, 50, 75, 100}
GAME_387 = ("387", ["2", "8", "75", "8", "100", "25"])
SOLUTION_387 = [
    "Solution : 387",
    "387\t= 312 + 75",
    "312\t= 2496 / 8",
    "2496\t= 2500 - 4",
    "2500\t= 100 x 25",
    "4\t= 8 / 2",
]
# What the program's solve of 387 may show: a second boundary can fall during the search.
TIMES_387 = {"Temps écoulé :   0 sec", "Temps écoulé :   1 sec"}
# How long the program may take to end after Escape.
EXIT_SECONDS = float(os.environ.get("PIVOLO_E2E_EXIT_SECONDS", "1.0"))
WAIT_SECONDS = 15.0
# What the negative checks give the program to show what it must not: a box, a clip.
QUIET_SECONDS = 1.0


# How long each run took to end after Escape, for the report.
EXIT_TIMES = []


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, probe, timeout=WAIT_SECONDS):
    """Polls probe until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            result = probe()
        except Failure:
            raise
        except Exception:  # the tree changes under the reader: try again
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(0.02)


def stays_false(probe, seconds=QUIET_SECONDS):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if probe():
            return False
        time.sleep(0.02)
    return True


# --- The keyboard ----------------------------------------------------------------------


def xdotool(*args):
    return subprocess.run(
        ["xdotool", *args], check=True, capture_output=True, text=True
    ).stdout


def key(*names):
    xdotool("key", "--delay", "30", *names)


def type_text(text):
    xdotool("type", "--delay", "30", text)


def window_of(pid, title):
    """The X window of the program's visible top-level window with that title, or None."""
    result = subprocess.run(
        ["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", f"^{title}$"],
        capture_output=True,
        text=True,
    )
    ids = result.stdout.split()
    return ids[0] if ids else None


def visible_windows(pid):
    result = subprocess.run(
        ["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", ""],
        capture_output=True,
        text=True,
    )
    return result.stdout.split()


def focus(pid, title):
    window = wait_for(f"window {title!r}", lambda: window_of(pid, title))
    # No window manager: the focus is given directly.
    xdotool("windowfocus", "--sync", window)
    return window


# --- The screen reader's view ----------------------------------------------------------


def application(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    return None


def children(acc):
    return [c for c in acc if c is not None]


def windows(app):
    """The application's top-level windows that are shown, by role and name."""
    shown = []
    for window in children(app):
        states = window.getState()
        if states.contains(pyatspi.STATE_SHOWING) or states.contains(pyatspi.STATE_VISIBLE):
            shown.append(window)
    return shown


def find(acc, role, name=None):
    """The first descendant with that role (and name), depth first, or None."""
    for child in children(acc):
        if child.getRoleName() == role and (name is None or child.name == name):
            return child
        found = find(child, role, name)
        if found is not None:
            return found
    return None


def find_all(acc, role):
    found = []
    for child in children(acc):
        if child.getRoleName() == role:
            found.append(child)
        found.extend(find_all(child, role))
    return found


def text_of(acc):
    return acc.queryText().getText(0, -1)


def message_boxes(app):
    return [w for w in windows(app) if w.name == BOX_TITLE]


def box_text(box):
    """The message of a box: its labels other than the icon, joined."""
    labels = [label.name for label in find_all(box, "label") if label.name]
    return "\n".join(labels)


def application_on_bus(executable, process):
    """The program's application on the accessibility bus once it shows its windows, or None
    while it does not yet; fails when the program has ended."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != pathlib.Path(executable).name:
            continue
        if app.get_process_id() == process.pid and app.childCount > 0:
            return app
    check(process.poll() is None, "the program ended before its window opened")
    return None


class Program:
    """One run of the program, with its main dialog's controls as the screen reader names
    them."""

    def __init__(self, executable, env, stdout=None, redirections=None):
        """stdout: where standard output goes, as for subprocess.Popen; redirections: the
        shell's, applied as the program is started in place of the shell (">&-")."""
        self.executable = executable
        command = [executable]
        if redirections:
            command = ["/bin/sh", "-c", f'exec "$0" {redirections}', executable]
        self.process = subprocess.Popen(
            command,
            stdout=stdout,
            env={
                **os.environ,
                "QT_QPA_PLATFORM": "xcb",
                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                **env,
            },
        )
        try:
            self.app = wait_for("the program on the accessibility bus", self._find_app)
            self.dialog = wait_for(
                "the main dialog", lambda: find(self.app, "dialog", MAIN_TITLE)
            )
            focus(self.pid, MAIN_TITLE)
        except BaseException:
            self.kill()
            raise

    def _find_app(self):
        return application_on_bus(self.executable, self.process)

    @property
    def pid(self):
        return self.process.pid

    def control(self, role, name):
        found = find(self.dialog, role, name)
        check(found is not None, f"no {role} named {name!r} in the main dialog")
        return found

    def edit(self, name):
        return text_of(self.control("text", name))

    def edits(self):
        return [self.edit("Valeur à trouver")] + [self.edit(f"Plaque {k}") for k in range(1, 7)]

    def solution(self):
        return [item.name for item in children(self.control("list", "Solution"))]

    def time_text(self):
        labels = [l.name for l in find_all(self.dialog, "label") if l.name.startswith("Temps")]
        check(len(labels) == 1, f"time texts: {labels}")
        return labels[0]

    def type_game(self, target, tiles):
        """Types the game the way a player goes through the edits: the focus starts in the
        target, and Tab walks the tiles left to right."""
        focus(self.pid, MAIN_TITLE)
        type_text(target)
        for tile in tiles:
            key("Tab")
            type_text(tile)
        wait_for("the typed game", lambda: self.edits() == [target, *tiles])

    def alive(self):
        return self.process.poll() is None

    def wait_box(self):
        box = wait_for("a message box", lambda: message_boxes(self.app))
        check(len(box) == 1, f"{len(box)} message boxes at once")
        return box[0]

    def close_box_with(self, *keys):
        focus(self.pid, BOX_TITLE)
        key(*keys)
        wait_for("the box to close", lambda: not message_boxes(self.app))

    def escape(self):
        """Escape in the main dialog: the program must end at once, with status 0."""
        focus(self.pid, MAIN_TITLE)
        start = time.monotonic()
        key("Escape")
        try:
            status = self.process.wait(timeout=EXIT_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {EXIT_SECONDS} s of Escape")
        elapsed = time.monotonic() - start
        check(status == 0, f"the program ended with status {status}")
        EXIT_TIMES.append(elapsed)
        return elapsed

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


# --- Sound ------------------------------------------------------------------------------


def wave_data(clip):
    """The data chunk of one of the program's clips."""
    image = (SOURCE_DIR / "res" / "wav" / f"{clip}.wav").read_bytes()
    offset = 12
    while offset + 8 <= len(image):
        size = int.from_bytes(image[offset + 4 : offset + 8], "little")
        if image[offset : offset + 4] == b"data":
            return image[offset + 8 : offset + 8 + size]
        offset += 8 + size + (size & 1)
    raise Failure(f"clip {clip} has no data chunk")


def capture_env(directory):
    """ALSA's default device writes each clip it is given into a file of its own: capture,
    then capture.0001, capture.0002..."""
    return {
        "ALSA_CONFIG_PATH": str(SOURCE_DIR / "tests" / "e2e" / "capture-each.conf"),
        "ALSA_CAPTURE_FILE": str(directory / "capture"),
    }


def captured(directory):
    return sorted(p.name for p in directory.iterdir())


def wait_captured(path, expected):
    """Waits until the file holds as many bytes as the clip, and returns them."""
    wait_for(
        f"{len(expected)} bytes in {path.name}",
        lambda: path.exists() and path.stat().st_size >= len(expected),
    )
    return path.read_bytes()


class PacedDevice:
    """A sound device that takes the bytes no faster than a few times real time, through a
    named pipe: the file plugin's writes then block as a sound card's would, so a clip is
    still playing while the player acts."""

    # Frames per second times bytes per frame, for clip 137: 44 100 Hz, stereo, 8 bits.
    BYTES_PER_SECOND = 44100 * 2 * 4
    CHUNK = 4096

    def __init__(self, directory):
        self.path = directory / "device"
        os.mkfifo(self.path)
        self.received = 0
        self.ended = threading.Event()
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def env(self):
        return {
            "ALSA_CONFIG_PATH": str(SOURCE_DIR / "tests" / "alsa" / "capture.conf"),
            "ALSA_CAPTURE_FILE": str(self.path),
        }

    def _read(self):
        with open(self.path, "rb", buffering=0) as pipe:
            try:
                fcntl.fcntl(pipe, fcntl.F_SETPIPE_SZ, self.CHUNK)
            except (AttributeError, OSError):
                pass
            start = time.monotonic()
            while True:
                chunk = pipe.read(self.CHUNK)
                if not chunk:
                    break
                self.received += len(chunk)
                due = start + self.received / self.BYTES_PER_SECOND
                time.sleep(max(0.0, due - time.monotonic()))
        self.ended.set()


# --- Scenarios --------------------------------------------------------------------------

SCENARIOS = {}


def scenario(function):
    SCENARIOS[function.__name__] = function
    return function


QUIET = {"ALSA_CONFIG_PATH": str(SOURCE_DIR / "tests" / "alsa" / "nodevice.conf")}


@scenario
def typed_game_solved(executable, workdir):
    """2 8 75 8 100 25 / 387 typed and solved with Enter: the solution read line by line
    and the elapsed time."""
    program = Program(executable, QUIET)
    try:
        check(program.solution() == [], "the solution list is not empty at the start")
        check(program.time_text() == "Temps écoulé :", program.time_text())
        program.type_game(*GAME_387)
        key("Return")
        wait_for("six solution lines", lambda: len(program.solution()) == 6)
        check(program.solution() == SOLUTION_387, f"solution {program.solution()}")
        wait_for("the elapsed time", lambda: program.time_text() != "Temps écoulé :")
        check(program.time_text() in TIMES_387, f"time {program.time_text()!r}")
        check(not message_boxes(program.app), "a message box opened")
        program.escape()
    finally:
        program.kill()


@scenario
def rejected_tile(executable, workdir):
    """11 in the third tile: one box with the message, closed with Enter; nothing solved and
    the dialog still there."""
    program = Program(executable, QUIET)
    try:
        program.type_game("387", ["2", "8", "11", "8", "100", "25"])
        key("Return")
        box = program.wait_box()
        check(box.name == BOX_TITLE, f"box caption {box.name!r}")
        check(box_text(box) == BAD_TILE, f"box text {box_text(box)!r}")
        program.close_box_with("Return")
        # A digit that reaches the sixth tile shows that no second box holds the dialog.
        focus(program.pid, MAIN_TITLE)
        type_text("0")
        wait_for("the dialog to take keys again", lambda: program.edit("Plaque 6") == "250")
        check(not message_boxes(program.app), "a second message box opened")
        check(program.solution() == [], f"solution {program.solution()}")
        check(program.time_text() == "Temps écoulé :", program.time_text())
        check(program.alive() and find(program.app, "dialog", MAIN_TITLE), "the dialog is gone")
        program.escape()
    finally:
        program.kill()


def valid_game(texts):
    target, *tiles = texts
    check(target.isdigit() and 100 <= int(target) <= 999, f"target {target!r}")
    check(all(t.isdigit() and int(t) in TILE_VALUES for t in tiles), f"tiles {tiles}")
    for value in set(tiles):
        check(tiles.count(value) <= 2, f"tiles {tiles}: {value} more than twice")


@scenario
def random_draw(executable, workdir):
    """Alt+T fills the seven edits with a game of the tile set; Enter then solves it."""
    program = Program(executable, QUIET)
    try:
        key("alt+t")
        texts = wait_for("a drawn game", lambda: all(program.edits()) and program.edits())
        valid_game(texts)
        check(not message_boxes(program.app), "a message box opened")
        program.escape()
    finally:
        program.kill()


@scenario
def show_tiles(executable, workdir):
    """Alt+V lists the 28 tiles in one box, closed with Enter."""
    program = Program(executable, QUIET)
    try:
        key("alt+v")
        box = program.wait_box()
        text = box_text(box)
        check(len(text) == 68 and text == TILE_SET, f"tile set {text!r} ({len(text)})")
        check(box.name == BOX_TITLE, f"box caption {box.name!r}")
        program.close_box_with("Return")
        program.escape()
    finally:
        program.kill()


def about_box(program):
    return find(program.app, "dialog", ABOUT_TITLE)


def close_about(program):
    about = wait_for("the About box", lambda: about_box(program))
    labels = [label.name for label in find_all(about, "label")]
    check("Le pivolo version 1.31" in labels, f"About box labels {labels}")
    check(find(about, "push button", "OK") is not None, "the About box has no OK button")
    focus(program.pid, ABOUT_TITLE)
    key("Escape")
    wait_for("the About box to close", lambda: not about_box(program))
    check(program.alive() and find(program.app, "dialog", MAIN_TITLE), "the dialog is gone")


@scenario
def about_box_from_button_and_system_menu(executable, workdir):
    """Alt+P opens the About box, and so does the system menu's last entry (Alt+Space, then
    its letter); Escape closes it and leaves the main dialog open."""
    program = Program(executable, QUIET)
    try:
        key("alt+p")
        close_about(program)

        focus(program.pid, MAIN_TITLE)
        shown = visible_windows(program.pid)
        key("alt+space")
        # The toolkit keeps popup menus out of the accessibility tree: the menu is seen as
        # the window that opens; its entries are the dialog layer's own tests' business.
        wait_for("the system menu", lambda: len(visible_windows(program.pid)) == len(shown) + 1)
        key("a")
        close_about(program)
        program.escape()
    finally:
        program.kill()


@scenario
def startup_clip_reaches_alsa(executable, workdir):
    """The start-up clip's data bytes reach ALSA's default device, byte for byte."""
    program = Program(executable, capture_env(workdir))
    try:
        expected = wave_data(137)
        check(len(expected) == 1870260, f"clip 137 holds {len(expected)} bytes")
        got = wait_captured(workdir / "capture", expected)
        check(got == expected, f"{len(got)} bytes captured, not the clip's {len(expected)}")
        program.escape()
        check(captured(workdir) == ["capture"], f"captured {captured(workdir)}")
    finally:
        program.kill()


@scenario
def quick_solve_plays_the_success_clip(executable, workdir):
    """With sound on, a quick exact solve plays clip 140 after the start-up clip."""
    program = Program(executable, capture_env(workdir))
    try:
        wait_captured(workdir / "capture", wave_data(137))
        program.type_game(*GAME_387)
        key("Return")
        wait_for("the solution", lambda: program.solution() == SOLUTION_387)
        expected = wave_data(140)
        got = wait_captured(workdir / "capture.0001", expected)
        check(got == expected, "the success clip's bytes differ")
        program.escape()
    finally:
        program.kill()


@scenario
def sound_switched_off_then_solve_plays_nothing(executable, workdir):
    """The sound button plays its clip and asks; Yes turns the sound off, and a quick exact
    solve then plays nothing."""
    program = Program(executable, capture_env(workdir))
    try:
        wait_captured(workdir / "capture", wave_data(137))
        # The sound button comes after the seven edits and the list in the tab order.
        focus(program.pid, MAIN_TITLE)
        key(*["Tab"] * 8)
        button = program.control("push button", SOUND_BUTTON)
        wait_for(
            "the sound button to have the focus",
            lambda: button.getState().contains(pyatspi.STATE_FOCUSED),
        )
        key("space")
        box = program.wait_box()
        check(box_text(box) == SOUND_QUESTION, f"question {box_text(box)!r}")
        buttons = [b.name for b in find_all(box, "push button")]
        check(sorted(buttons) == ["Non", "Oui"], f"buttons {buttons}")
        got = wait_captured(workdir / "capture.0001", wave_data(141))
        check(got == wave_data(141), "the sound button's clip differs")
        program.close_box_with("alt+o")

        # Back in the target edit with Shift+Tab, as a player would go.
        focus(program.pid, MAIN_TITLE)
        key(*["shift+Tab"] * 8)
        program.type_game(*GAME_387)
        key("Return")
        wait_for("the solution", lambda: program.solution() == SOLUTION_387)
        check(
            stays_false(lambda: len(captured(workdir)) > 2),
            f"a clip played with the sound off: {captured(workdir)}",
        )
        program.escape()
        check(captured(workdir) == ["capture", "capture.0001"], f"captured {captured(workdir)}")
    finally:
        program.kill()


@scenario
def escape_ends_the_program_while_a_clip_plays(executable, workdir):
    """Escape ends the program with status 0 within a second while the start-up clip still
    plays, and again once no clip plays."""
    device = PacedDevice(workdir)
    program = Program(executable, device.env())
    try:
        wait_for("the start-up clip to play", lambda: device.received > 100_000)
        check(not device.ended.is_set(), "the clip ended before Escape")
        program.escape()
        check(device.received < len(wave_data(137)), "the whole clip played before the end")
    finally:
        program.kill()

    program = Program(executable, QUIET)
    try:
        program.escape()
    finally:
        program.kill()


def blocked_writing(pid):
    """Whether a thread of the process sleeps in the kernel inside a write into a pipe."""
    for task in pathlib.Path(f"/proc/{pid}/task").iterdir():
        try:
            if "pipe_write" in (task / "wchan").read_text():
                return True
            # Where the kernel hides its symbols: the write system call, on x86-64.
            syscall = (task / "syscall").read_text().split()
            if os.uname().machine == "x86_64" and syscall[:1] == ["1"]:
                return True
        except OSError:
            pass
    return False


def device_env(file):
    """ALSA's default device writes into the file, named pipe or command ("|command")."""
    return {
        "ALSA_CONFIG_PATH": str(SOURCE_DIR / "tests" / "alsa" / "capture.conf"),
        "ALSA_CAPTURE_FILE": str(file),
    }


@scenario
def escape_ends_the_program_though_the_device_stalls(executable, workdir):
    """With a sound device that stalls (a named pipe whose reader holds it open and reads
    nothing), Escape ends the program with status 0 within a second."""
    pipe = workdir / "device"
    os.mkfifo(pipe)
    # Opened before the program, whose device would otherwise wait for a reader.
    reader = os.open(pipe, os.O_RDONLY | os.O_NONBLOCK)
    try:
        program = Program(executable, device_env(pipe))
        try:
            wait_for("a worker blocked writing to the device", lambda: blocked_writing(program.pid))
            program.escape()
        finally:
            program.kill()
    finally:
        os.close(reader)


@scenario
def a_device_whose_reader_goes_away_is_silent(executable, workdir):
    """With a sound device whose reader takes the start-up clip's first bytes and exits, the
    program stays alive and answers: a game is solved, and Escape ends it with status 0."""
    heard = workdir / "heard"
    program = Program(executable, device_env(f"|head -c 100000 >{heard}"))
    try:
        wait_for(
            "the reader to take its bytes",
            lambda: heard.exists() and heard.stat().st_size >= 100_000,
        )
        program.type_game(*GAME_387)
        key("Return")
        wait_for("the solution", lambda: program.solution() == SOLUTION_387)
        check(program.alive(), "the program ended")
        program.escape()
    finally:
        program.kill()


# A game whose search writes its diagnostic line ("Sol : N") to standard output, and the
# steps it lists.
GAME_6 = ("6", ["1", "2", "3", "4", "5", "6"])
SOLUTION_6 = ["1\t= 5 / 5", "5\t= 1 + 4", "1\t= 3 / 3", "3\t= 1 + 2"]


def solve_game_6_and_escape(case, executable, **started):
    """Starts the program as given, solves 1 2 3 4 5 6 / 6 and ends it with Escape."""
    try:
        program = Program(executable, QUIET, **started)
        try:
            program.type_game(*GAME_6)
            key("Return")
            wait_for("the solution", lambda: program.solution() == SOLUTION_6)
            check(program.alive(), "the program ended")
            program.escape()
        finally:
            program.kill()
    except Failure as failure:
        raise Failure(f"{case}: {failure}")


@scenario
def standard_output_gone_or_closed(executable, workdir):
    """The diagnostic line of 1 2 3 4 5 6 / 6 goes to standard output (seen in a file).
    Where standard output is a pipe whose reader has gone, and where it was closed at the
    start (">&-", and "<&- >&- 2>&-"), the game is solved all the same and Escape ends the
    program with status 0."""
    output = workdir / "output"
    with open(output, "wb") as file:
        solve_game_6_and_escape("into a file", executable, stdout=file)
    check(output.read_text().startswith("Sol : "), f"standard output: {output.read_text()!r}")

    reader, writer = os.pipe()
    os.close(reader)
    try:
        solve_game_6_and_escape("into a pipe nobody reads", executable, stdout=writer)
    finally:
        os.close(writer)

    for redirections in (">&-", "<&- >&- 2>&-"):
        solve_game_6_and_escape(redirections, executable, redirections=redirections)


@scenario
def launch_and_escape(executable, workdir):
    """The program opens its main dialog, and Escape ends it with status 0."""
    program = Program(executable, QUIET)
    try:
        check(program.edits() == [""] * 7, f"edits {program.edits()}")
        program.escape()
    finally:
        program.kill()


def main(scenarios=SCENARIOS, description=__doc__):
    parser = argparse.ArgumentParser(description=description.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("scenarios", nargs="*", help=", ".join(scenarios))
    args = parser.parse_args()
    names = args.scenarios or [n for n in scenarios if n != "launch_and_escape"]
    unknown = [n for n in names if n not in scenarios]
    if unknown:
        parser.error(f"unknown scenarios: {unknown}")

    failed = 0
    for name in names:
        workdir = pathlib.Path(tempfile.mkdtemp(prefix=f"pivolo-{name}-"))
        start = time.monotonic()
        EXIT_TIMES.clear()
        try:
            scenarios[name](os.path.abspath(args.program), workdir)
            exits = ", ".join(f"{t:.2f}" for t in EXIT_TIMES)
            ended = f"; ended {exits} s after Escape" if EXIT_TIMES else ""
            print(f"ok   {name} ({time.monotonic() - start:.1f} s{ended})", flush=True)
            shutil.rmtree(workdir)
        except Exception as error:
            failed += 1
            print(f"FAIL {name} ({time.monotonic() - start:.1f} s): {error}", flush=True)
            if not isinstance(error, Failure):
                traceback.print_exc()
            print(f"     kept {workdir}", flush=True)
    print(f"{len(names) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
