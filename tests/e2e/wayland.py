"""The program on Wayland (weston, Qt's wayland platform), read and driven through the
accessibility bus as on X11.

Each scenario starts a weston of its own and the program on it. Weston's headless backend
has no keyboard: there the controls are filled and pressed through the accessibility bus.
The system menu needs keys: its scenario runs weston's X11 backend in the virtual X
display and sends the keys to weston's window with xdotool. Run by run.sh, which provides
the X display, the session bus and a private runtime folder:

    run.sh --wayland path/to/pivolo [scenario ...]

With no scenario named, all of them run. Prints one line per scenario and exits with 1
when any failed.
"""

import os
import pathlib
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

import pivolo_e2e
from pivolo_e2e import (
    application_on_bus,
    ABOUT_TITLE,
    EXIT_SECONDS,
    MAIN_TITLE,
    QUIET,
    SOLUTION_387,
    TILE_SET,
    TIMES_387,
    Failure,
    box_text,
    check,
    children,
    find,
    find_all,
    key,
    message_boxes,
    text_of,
    valid_game,
    wait_for,
    xdotool,
)

SCENARIOS = {}
# How long a key may take to show an effect before it is sent again.
KEY_EFFECT_SECONDS = 2.0
EDITS = ["Valeur à trouver"] + [f"Plaque {k}" for k in range(1, 7)]
# The system menu where the program cannot place its window: Move is there, greyed.
WAYLAND_MENU = [
    ("Déplacer", False),
    ("Fermer\tAlt+F4", True),
    ("", False),
    ("A propos du pivolo...", True),
]


def scenario(function):
    SCENARIOS[function.__name__] = function
    return function


class Weston:
    """A weston of the scenario's own, on a socket of its own in the runtime folder."""

    def __init__(self, workdir, backend):
        self.socket = f"wayland-pivolo-{os.getpid()}"
        runtime = pathlib.Path(os.environ["XDG_RUNTIME_DIR"])
        self.log = open(workdir / "weston.log", "wb")
        self.process = subprocess.Popen(
            [
                "weston",
                f"--backend={backend}",
                "--use-pixman",
                f"--socket={self.socket}",
                "--width=1024",
                "--height=768",
                "--idle-time=0",
            ],
            stdout=self.log,
            stderr=subprocess.STDOUT,
        )
        try:
            wait_for(f"weston's socket {self.socket}", lambda: self._ready(runtime))
        except BaseException:
            self.stop()
            raise

    def _ready(self, runtime):
        check(self.process.poll() is None, f"weston ended: see {self.log.name}")
        return (runtime / self.socket).is_socket()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


class WaylandProgram:
    """One run of the program on the weston given, with its main dialog as the screen
    reader names it."""

    def __init__(self, executable, weston):
        self.executable = executable
        env = {
            **os.environ,
            **QUIET,
            "QT_QPA_PLATFORM": "wayland",
            "WAYLAND_DISPLAY": weston.socket,
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        }
        env.pop("DISPLAY", None)
        self.process = subprocess.Popen([executable], env=env)
        try:
            self.app = wait_for("the program on the accessibility bus", self._find_app)
            self.dialog = wait_for("the main dialog", lambda: find(self.app, "dialog", MAIN_TITLE))
        except BaseException:
            self.kill()
            raise

    def _find_app(self):
        return application_on_bus(self.executable, self.process)

    def alive(self):
        return self.process.poll() is None

    def control(self, role, name, within=None):
        found = find(within or self.dialog, role, name)
        check(found is not None, f"no {role} named {name!r}")
        return found

    def press(self, name, within=None):
        """Presses a push button through the accessibility bus, as a screen reader can."""
        action = self.control("push button", name, within).queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check("Press" in names, f"{name!r} cannot be pressed: {names}")
        action.doAction(names.index("Press"))

    def edits(self):
        return [text_of(self.control("text", name)) for name in EDITS]

    def fill(self, target, tiles):
        for name, text in zip(EDITS, [target, *tiles]):
            check(
                self.control("text", name).queryEditableText().setTextContents(text),
                f"{name} refused {text!r}",
            )
        wait_for("the game filled in", lambda: self.edits() == [target, *tiles])

    def solution(self):
        return [item.name for item in children(self.control("list", "Solution"))]

    def time_text(self):
        labels = [l.name for l in find_all(self.dialog, "label") if l.name.startswith("Temps")]
        check(len(labels) == 1, f"time texts: {labels}")
        return labels[0]

    def end(self, how, timeout=max(EXIT_SECONDS, 5.0)):
        """Ends the program (how presses Cancel or sends Escape): status 0. How fast it
        ends is the X11 scenarios' business: here the request goes through weston or the
        accessibility bus, which a busy machine may hold a while."""
        how()
        try:
            status = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {timeout} s")
        check(status == 0, f"the program ended with status {status}")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def on_headless_weston(executable, workdir, play):
    weston = Weston(workdir, "headless-backend.so")
    try:
        program = WaylandProgram(executable, weston)
        try:
            play(program)
        finally:
            program.kill()
    finally:
        weston.stop()


@scenario
def game_solved(executable, workdir):
    """On headless weston: 2 8 75 8 100 25 / 387 filled in and Calculer pressed: the
    solution read line by line and the elapsed time; Annuler ends the program."""

    def play(program):
        check(program.solution() == [], "the solution list is not empty at the start")
        program.fill(*pivolo_e2e.GAME_387)
        program.press("Calculer")
        wait_for("six solution lines", lambda: len(program.solution()) == 6)
        check(program.solution() == SOLUTION_387, f"solution {program.solution()}")
        wait_for("the elapsed time", lambda: program.time_text() != "Temps écoulé :")
        check(program.time_text() in TIMES_387, f"time {program.time_text()!r}")
        check(not message_boxes(program.app), "a message box opened")
        program.end(lambda: program.press("Annuler"))

    on_headless_weston(executable, workdir, play)


@scenario
def boxes_open_and_close(executable, workdir):
    """On headless weston: the tile set's box, the About box and the random draw, each
    opened and its box closed with its OK button; the dialog stays."""

    def play(program):
        program.press("Voir les plaques")
        boxes = wait_for("the tile set's box", lambda: message_boxes(program.app))
        check(len(boxes) == 1, f"{len(boxes)} boxes at once")
        check(box_text(boxes[0]) == TILE_SET, f"tile set {box_text(boxes[0])!r}")
        program.press("OK", boxes[0])
        wait_for("the box to close", lambda: not message_boxes(program.app))

        program.press("A propos...")
        about = wait_for("the About box", lambda: find(program.app, "dialog", ABOUT_TITLE))
        labels = [label.name for label in find_all(about, "label")]
        check("Le pivolo version 1.31" in labels, f"About box labels {labels}")
        program.press("OK", about)
        wait_for("the About box to close", lambda: not find(program.app, "dialog", ABOUT_TITLE))

        program.press("Tirage aléatoire")
        valid_game(wait_for("a drawn game", lambda: all(program.edits()) and program.edits()))
        check(not message_boxes(program.app), "a message box opened")
        check(program.alive(), "the program ended")
        program.end(lambda: program.press("Annuler"))

    on_headless_weston(executable, workdir, play)


class MenuWatch:
    """The program's popup menus as they show and hide, from the accessibility bus's
    events: the toolkit keeps popups out of the tree, but tells when one shows."""

    def __init__(self):
        # How many menus have shown, and those that show now (a menu that has gone can no
        # longer be read, but keeps its path on the bus).
        self.shown = 0
        self.open = []
        pyatspi.Registry.registerEventListener(self._on_event, "object:state-changed:showing")

    def _on_event(self, event):
        path = event.source.path
        if not event.detail1:
            self.open = [menu for menu in self.open if menu.path != path]
            return
        try:
            role = event.source.getRoleName()
        except Exception:  # gone already: a menu that flashed shut
            return
        if role == "popup menu":
            self.shown += 1
            self.open.append(event.source)

    def open_menu(self):
        """The menu that shows now, if any."""
        return self.open[-1] if self.open else None

    def wait(self, what, probe, timeout=pivolo_e2e.WAIT_SECONDS):
        """Lets the events in until probe is true."""
        context = GLib.MainContext.default()

        def pumped():
            while context.iteration(False):
                pass
            return probe()

        return wait_for(what, pumped, timeout)

    def close(self):
        pyatspi.Registry.deregisterEventListener(self._on_event, "object:state-changed:showing")


def menu_entries(menu):
    """A menu's entries: their names and whether they are offered. Read afresh: the bus's
    client keeps what it read of a menu that was still filling in."""
    menu.clearCache()
    return [
        (entry.name, entry.getState().contains(pyatspi.STATE_SENSITIVE))
        for entry in children(menu)
    ]


def weston_window():
    """Weston's output on the X display (xdotool's search by name does not find it)."""
    for window in xdotool("search", "--name", "").split():
        try:
            if xdotool("getwindowname", window).startswith("Weston Compositor"):
                return window
        except subprocess.CalledProcessError:  # gone meanwhile
            pass
    return None


@scenario
def system_menu_move_greyed(executable, workdir):
    """On weston (its X11 backend, for the keys): Shift+F10 opens the system menu with
    Move greyed and the other entries offered; D then does nothing, Escape closes only the
    menu, and the next Escape ends the program with status 0."""
    weston = Weston(workdir, "x11-backend.so")
    watch = MenuWatch()
    try:
        # Weston's window has the X keyboard before the program starts. Moved there later,
        # weston may take the keyboard from the dialog and never give it back.
        xdotool("windowfocus", "--sync", wait_for("weston's window", weston_window))
        program = WaylandProgram(executable, weston)
        try:
            # Keys reach the dialog once weston has given it the keyboard.
            wait_for(
                "the dialog to have the keyboard",
                lambda: program.dialog.getState().contains(pyatspi.STATE_ACTIVE),
            )
            # Weston closes a menu at once when the key's release reached it before the
            # menu: the menu flashes, and the key is sent again. A key weston takes while it
            # is busy may come late: it is sent again too, until the menu stays with its
            # entries (a second key while it shows does nothing). The menu tells it shows
            # before its entries are all there.
            entries = []

            def menu_read():
                menu = watch.open_menu()
                entries[:] = menu_entries(menu) if menu else []
                return entries == WAYLAND_MENU

            deadline = time.monotonic() + pivolo_e2e.WAIT_SECONDS
            while True:
                key("shift+F10")
                try:
                    watch.wait("the system menu", menu_read, KEY_EFFECT_SECONDS)
                    break
                except Failure:
                    if time.monotonic() > deadline:
                        raise Failure(f"no system menu: menu {entries}")
            menus = watch.shown
            key("d")
            key("Escape")
            try:
                watch.wait("the menu to close", lambda: not watch.open_menu())
            except Failure as failure:
                raise Failure(f"{failure}; menus shown {watch.shown}, alive {program.alive()}")
            check(
                pivolo_e2e.stays_false(lambda: not program.alive()),
                "the Escape that closed the menu ended the program",
            )
            check(find(program.app, "dialog", MAIN_TITLE), "the dialog is gone")
            check(watch.shown == menus, f"menus shown: {watch.shown}, not {menus}")
            program.end(lambda: key("Escape"))
        finally:
            program.kill()
    finally:
        watch.close()
        weston.stop()


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(pivolo_e2e.main(SCENARIOS, __doc__))
