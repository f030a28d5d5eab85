"""The program under a real window manager (openbox), as a desktop user meets it.

Each scenario starts the program afresh on the X display given in DISPLAY, where openbox
runs, drives it with xdotool and reads what its windows tell the window manager with xprop
and where they stand with xwininfo. Run by run.sh, which provides the display, the window
manager and the session bus:

    run.sh --window-manager path/to/pivolo [scenario ...]

With no scenario named, all of them run. Prints one line per scenario and exits with 1
when any failed.
"""

import re
import signal
import subprocess
import sys

import pivolo_e2e
from pivolo_e2e import (
    ABOUT_TITLE,
    BOX_TITLE,
    EXIT_SECONDS,
    MAIN_TITLE,
    QUIET,
    Failure,
    Program,
    check,
    key,
    visible_windows,
    wait_for,
    window_of,
    xdotool,
)

# Pixels per arrow key while the window moves from the keyboard.
MOVE_STEP = 8
# How long a key may take to show an effect before it is sent again.
KEY_EFFECT_SECONDS = 1.0

SCENARIOS = {}


def scenario(function):
    SCENARIOS[function.__name__] = function
    return function


# --- What the windows tell the window manager ------------------------------------------


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def xprop(window, name):
    """One property of the window as xprop prints it, without its name."""
    return run("xprop", "-id", str(window), name).partition("=")[2].strip()


def transient_for(window):
    found = re.search(
        r"window id # (0x[0-9a-fA-F]+)", run("xprop", "-id", str(window), "WM_TRANSIENT_FOR")
    )
    return int(found.group(1), 16) if found else None


def client_rect(window):
    """Where the window's client area stands on the screen: x, y, width, height."""
    info = run("xwininfo", "-id", str(window))
    names = ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
    fields = dict(re.findall(rf"^\s*({'|'.join(names)}):\s+(-?\d+)", info, re.M))
    return tuple(int(fields[name]) for name in names)


def centre(rect):
    x, y, width, height = rect
    return (x + width / 2, y + height / 2)


def frame_of(window):
    """The window manager's frame around the window: its ancestor just under the root."""
    while True:
        info = run("xwininfo", "-tree", "-id", str(window))
        parent = re.search(r"Parent window id: (0x[0-9a-fA-F]+)( \(the root window\))?", info)
        if parent.group(2):
            return window
        window = int(parent.group(1), 16)


def close_button(window):
    """The centre of the close box: the rightmost of the title bar's buttons, the small square
    windows of the frame above the client area."""
    client_x, client_y, _, _ = client_rect(window)
    tree = run("xwininfo", "-tree", "-id", str(frame_of(window)))
    buttons = []
    geometries = re.findall(r"(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)", tree)
    for width, height, x, y in geometries:
        width, height, x, y = int(width), int(height), int(x), int(y)
        if width == height and 6 <= width <= 32 and y + height <= client_y:
            buttons.append((x + width // 2, y + height // 2))
    check(buttons, "no button in the title bar")
    return max(buttons)


def activate(window):
    xdotool("windowactivate", "--sync", str(window))


# --- Scenarios --------------------------------------------------------------------------


def main_window(program):
    window = int(wait_for("the main dialog", lambda: window_of(program.pid, MAIN_TITLE)))
    activate(window)
    return window


def wait_window(program, title):
    return int(wait_for(f"window {title!r}", lambda: window_of(program.pid, title)))


def close_with(program, window, title, *keys):
    activate(window)
    key(*keys)
    wait_for(f"window {title!r} to close", lambda: window_of(program.pid, title) is None)


def expect_owned(window, owner, what):
    """A secondary window: transient for its owner, centred over it, with its icon."""
    check(
        transient_for(window) == owner,
        f"{what} is transient for {transient_for(window)}, not {owner}",
    )
    (x, y), (owner_x, owner_y) = centre(client_rect(window)), centre(client_rect(owner))
    check(abs(x - owner_x) <= 1 and abs(y - owner_y) <= 1,
          f"{what} centred at {x}, {y}, the main dialog at {owner_x}, {owner_y}")
    check(xprop(window, "_NET_WM_ICON") == xprop(owner, "_NET_WM_ICON"), f"{what} has another icon")


@scenario
def secondary_windows_belong_to_the_main_dialog(executable, workdir):
    """The main dialog is a normal window with the program's icon; the About box and a message
    box are transient for it, centred over it, with its icon."""
    program = Program(executable, QUIET)
    try:
        main = main_window(program)
        check(transient_for(main) is None, "the main dialog is transient for another window")
        check(xprop(main, "_NET_WM_WINDOW_TYPE") == "_NET_WM_WINDOW_TYPE_NORMAL",
              f"main dialog of type {xprop(main, '_NET_WM_WINDOW_TYPE')}")
        check(
            xprop(main, "_NET_WM_ICON").startswith("Icon (32 x 32)"), "the main dialog has no icon"
        )

        key("alt+p")
        about = wait_window(program, ABOUT_TITLE)
        expect_owned(about, main, "the About box")
        close_with(program, about, ABOUT_TITLE, "Escape")

        activate(main)
        key("alt+v")
        box = wait_window(program, BOX_TITLE)
        expect_owned(box, main, "the message box")
        close_with(program, box, BOX_TITLE, "Return")
        program.escape()
    finally:
        program.kill()


def open_system_menu(program, main, keys):
    """Pops the dialog's own menu up with the keys; returns its window."""
    activate(main)
    shown = set(visible_windows(program.pid))
    key(keys)
    opened = wait_for(
        f"the system menu after {keys}", lambda: set(visible_windows(program.pid)) - shown
    )
    check(len(opened) == 1, f"{len(opened)} windows opened on {keys}")
    return int(opened.pop())


@scenario
def system_menu_from_the_keyboard(executable, workdir):
    """Shift+F10 and the Menu key, which openbox leaves to the program (it keeps Alt+Space),
    pop the dialog's own menu up under the title bar; its last entry opens the About box."""
    program = Program(executable, QUIET)
    try:
        main = main_window(program)
        for keys in ("shift+F10", "Menu"):
            menu = open_system_menu(program, main, keys)
            check(client_rect(menu)[:2] == client_rect(main)[:2],
                  f"menu at {client_rect(menu)[:2]}, the client area at {client_rect(main)[:2]}")
            key("a")
            about = wait_window(program, ABOUT_TITLE)
            check(transient_for(about) == main, "the About box is not the main dialog's")
            close_with(program, about, ABOUT_TITLE, "Escape")
        program.escape()
    finally:
        program.kill()


def press_until_moved(main, arrow, expected):
    """Sends the arrow until the window stands at the expected place: the move begins once
    the menu has closed and its command has arrived, and keys before that go elsewhere."""
    def moved():
        key(arrow)
        try:
            return wait_for("a step", lambda: client_rect(main)[:2] == expected, KEY_EFFECT_SECONDS)
        except Failure:
            return False
    wait_for(f"the window to move to {expected}", moved)


@scenario
def move_from_the_keyboard(executable, workdir):
    """The menu's Move entry moves the window by steps with the arrow keys until Enter;
    Escape puts it back where the move began."""
    program = Program(executable, QUIET)
    try:
        main = main_window(program)
        x, y, _, _ = client_rect(main)
        open_system_menu(program, main, "shift+F10")
        key("d")
        press_until_moved(main, "Right", (x + MOVE_STEP, y))
        key("Right", "Right", "Down", "Down", "Return")
        moved = (x + 3 * MOVE_STEP, y + 2 * MOVE_STEP)
        wait_for(f"the window at {moved}", lambda: client_rect(main)[:2] == moved)

        open_system_menu(program, main, "Menu")
        key("d")
        press_until_moved(main, "Left", (moved[0] - MOVE_STEP, moved[1]))
        key("Up", "Escape")
        wait_for(f"the window back at {moved}", lambda: client_rect(main)[:2] == moved)
        check(program.alive(), "Escape ended the program rather than the move")
        program.escape()
    finally:
        program.kill()


@scenario
def close_box_ends_the_program(executable, workdir):
    """A click on the close box in openbox's title bar ends the program with status 0."""
    program = Program(executable, QUIET)
    try:
        main = main_window(program)
        x, y = close_button(main)
        xdotool("mousemove", str(x), str(y), "click", "1")
        try:
            status = program.process.wait(timeout=max(EXIT_SECONDS, 5.0))
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end after a click on the close box at {x}, {y}")
        check(status == 0, f"the program ended with status {status}")
    finally:
        program.kill()


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(pivolo_e2e.main(SCENARIOS, __doc__))
