"""The practice program, pivolo-entrainement, as a player drives it and a screen reader reads
it back.

Each scenario starts the program afresh, most on a given game (--draw and --target), types
an answer, or none until the clock ends, reads back each verdict and the solutions through
the accessibility bus (pyatspi), and ends the program with status 0. The X11 scenarios run
on the X display given in DISPLAY, under openbox, and type with xdotool; the Wayland ones
each start a headless weston of their own, where the answer is filled in and the buttons
pressed through the accessibility bus. Run by run.sh, which provides the display, the window
manager or the runtime folder, and the session bus:

    run.sh --practice path/to/pivolo-entrainement [scenario ...]
    run.sh --practice-wayland path/to/pivolo-entrainement [scenario ...]

With no scenario named, all of that kind run. Prints one line per scenario and exits with 1
when any failed.
"""

import os
import signal
import subprocess
import sys

import pyatspi

import pivolo_e2e
from wayland import Weston, WaylandProgram
from pivolo_e2e import (
    QUIET,
    SOUND_BUTTON,
    SOUND_QUESTION,
    application_on_bus,
    box_text,
    capture_env,
    captured,
    check,
    children,
    find,
    find_all,
    key,
    stays_false,
    text_of,
    type_text,
    wait_captured,
    wait_for,
    wave_data,
    window_of,
    xdotool,
)

TITLE = "Le pivolo : entraînement"
BOX_TITLE = "pivolo-entrainement"
GIVEN = ["--draw", "2,8,75,8,100,25", "--target", "387"]
# The only distinct solution of 2 8 75 8 100 25 / 387, a step a line.
VALID_387 = ["8 / 2 = 4", "100 x 25 = 2500", "2500 - 4 = 2496", "2496 / 8 = 312", "312 + 75 = 387"]
SOLUTIONS_387 = [
    "387 : 1 solution :",
    "1. (100 x 25 - 8 / 2) / 8 + 75 = 387   ← votre réponse",
]
# Two faults, one a line: a tile three times, a division that is not whole.
FAULTY = ["8 x 8 x 8 = 512", "75 / 2 = 37"]
FAULTS = [
    "Ligne 1 : 8 est pris 3 fois, mais tiré 2 fois.",
    "Ligne 2 : 75 / 2 ne tombe pas juste.",
]
LARGE = {25, 50, 75, 100}
# A clock short enough that a test waits for it: the program's test-only setting.
SHORT_CLOCK = {"PIVOLO_TEST_TIME_LIMIT_MS": "1500"}

SCENARIOS = {}
WAYLAND_SCENARIOS = {}


def scenario(function):
    SCENARIOS[function.__name__] = function
    return function


def wayland_scenario(function):
    WAYLAND_SCENARIOS[function.__name__] = function
    return function


class Practice:
    """One run of the program, with its window's controls as a screen reader names them."""

    def __init__(self, executable, env, arguments=(), wayland=None, redirections=None):
        """redirections: the shell's, applied as the program is started in place of the
        shell ("<&- >&- 2>&-"), from the root folder, as a menu may start it."""
        self.executable = executable
        # Headless weston gives no window the keyboard, so none has the focus.
        self.has_keyboard = wayland is None
        environment = {
            **os.environ,
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            **env,
        }
        if wayland:
            environment.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=wayland.socket)
            environment.pop("DISPLAY", None)
        command = [executable, *arguments]
        if redirections:
            command = ["/bin/sh", "-c", f'exec "$0" "$@" {redirections}', *command]
        self.process = subprocess.Popen(command, env=environment, cwd="/" if redirections else None)
        try:
            self.app = wait_for(
                "the program on the accessibility bus",
                lambda: application_on_bus(self.executable, self.process),
            )
            self.window = wait_for("the window", lambda: find(self.app, "frame", TITLE))
        except BaseException:
            self.kill()
            raise

    @property
    def pid(self):
        return self.process.pid

    def control(self, role, name, within=None):
        found = find(within or self.window, role, name)
        check(found is not None, f"no {role} named {name!r}")
        return found

    def labelled(self, prefix):
        """The text after "prefix : " of the label so named."""
        names = [l.name for l in find_all(self.window, "label") if l.name.startswith(prefix + " : ")]
        check(len(names) == 1, f"labels {prefix!r}: {names}")
        return names[0][len(prefix) + 3 :]

    def game(self):
        return [self.labelled("Compte à trouver")] + [self.labelled(f"Plaque {k}") for k in range(1, 7)]

    def answer(self):
        return self.control("text", "Votre réponse")

    def verdict(self):
        return text_of(self.control("text", "Verdict"))

    def solutions(self):
        return [item.name for item in children(self.control("list", "Solutions les plus simples"))]

    def session(self):
        return self.labelled("Séance")

    def wait_verdict(self, headline):
        """Waits for a verdict, which must start with the headline, take the focus (where the
        window has the keyboard) and carry the headline as its description; returns its
        lines."""
        lines = wait_for(
            "a verdict",
            lambda: not self.verdict().startswith("Trouvez") and self.verdict().splitlines(),
        )
        check(lines[0] == headline, f"verdict {lines}")
        verdict = self.control("text", "Verdict")
        if self.has_keyboard:
            wait_for("the verdict to take the focus",
                     lambda: verdict.getState().contains(pyatspi.STATE_FOCUSED))
        check(verdict.description == headline, f"verdict described {verdict.description!r}")
        return lines

    def boxes(self):
        return [w for w in children(self.app) if w.name == BOX_TITLE]

    def fill(self, lines):
        text = "\n".join(lines)
        check(self.answer().queryEditableText().setTextContents(text), "the answer refused")
        wait_for("the answer filled in", lambda: text_of(self.answer()) == text)

    def focus(self):
        xdotool("windowactivate", "--sync", wait_for("the X window", lambda: window_of(self.pid, TITLE)))

    def type_lines(self, lines, last_key="Return"):
        """Types the answer as a player does: a line, Enter, the next line."""
        self.focus()
        for i, line in enumerate(lines):
            type_text(line)
            if i + 1 < len(lines):
                key("Return")
        wait_for("the typed answer", lambda: text_of(self.answer()) == "\n".join(lines))
        if last_key:
            key(last_key)

    # As the dialog's scenarios on Wayland press a button, end the program and kill it.
    press = WaylandProgram.press
    end = WaylandProgram.end
    kill = WaylandProgram.kill


def run(program, play):
    try:
        play(program)
    finally:
        program.kill()


# --- X11, under openbox -------------------------------------------------------------------


def xprop(window, name):
    result = subprocess.run(["xprop", "-id", str(window), name], check=True, capture_output=True, text=True)
    return result.stdout.partition("=")[2].strip()


@scenario
def valid_answer_typed(executable, workdir):
    """On 2 8 75 8 100 25 / 387, given on the command line: the window is a normal one with
    its icon and its class; the valid answer typed a step a line, the last Enter submits;
    the verdict, the solutions with the player's marked and the tally; the quick-find clip
    reaches ALSA; Alt+Q ends the program."""

    def play(program):
        window = wait_for("the X window", lambda: window_of(program.pid, TITLE))
        check(xprop(window, "_NET_WM_WINDOW_TYPE") == "_NET_WM_WINDOW_TYPE_NORMAL", "not a normal window")
        check(xprop(window, "WM_CLASS") == '"pivolo-entrainement", "pivolo-entrainement"',
              f"class {xprop(window, 'WM_CLASS')}")
        check(xprop(window, "_NET_WM_ICON").startswith("Icon (16 x 16)"), "no icon")
        check(program.game() == ["387", "2", "8", "75", "8", "100", "25"], f"game {program.game()}")
        program.type_lines(VALID_387)
        lines = program.wait_verdict("Compte trouvé : 387.")
        check("C'est la seule solution qui donne 387." in lines, f"verdict {lines}")
        check(program.solutions() == SOLUTIONS_387, f"solutions {program.solutions()}")
        check(program.session() == "1 partie, 1 compte trouvé, 1 fois le meilleur possible",
              program.session())
        expected = wave_data(140)
        check(wait_captured(workdir / "capture", expected) == expected, "the quick-find clip differs")
        check(not program.answer().getState().contains(pyatspi.STATE_EDITABLE), "the answer is still editable")
        program.end(lambda: key("alt+q"))
        check(captured(workdir) == ["capture"], f"captured {captured(workdir)}")

    run(Practice(executable, capture_env(workdir), GIVEN), play)


@scenario
def faulty_answer_then_a_new_draw(executable, workdir):
    """A faulty answer: each line marked as it is typed, Alt+V submits, every fault named and
    no clip. Two large tiles chosen, Alt+N draws a new round with two; an answer typed, Alt+Q
    asks first, No keeps the window, Yes ends the program."""

    def play(program):
        program.type_lines(FAULTY[:1], last_key=None)
        answer = program.answer()
        wait_for("the line's mark", lambda: answer.description == FAULTS[0])
        key("Return")
        type_text(FAULTY[1])
        wait_for("the typed answer", lambda: text_of(answer) == "\n".join(FAULTY))
        wait_for("both marks", lambda: answer.description == " ".join(FAULTS))
        key("alt+v")
        lines = program.wait_verdict("Réponse refusée : 2 fautes.")
        check(lines[1:3] == FAULTS, f"verdict {lines}")
        check(program.solutions() == [s.replace("   ← votre réponse", "") for s in SOLUTIONS_387],
              f"solutions {program.solutions()}")
        check(program.session() == "1 partie, 0 compte trouvé, 0 fois le meilleur possible",
              program.session())

        program.focus()
        key("alt+g", "Down", "Down", "Down")
        wait_for("two large tiles chosen", lambda: find(program.window, "combo box", "2"))
        key("alt+n")
        wait_for("a new round", lambda: program.verdict().startswith("Trouvez"))
        tiles = [int(t) for t in program.game()[1:]]
        check(sum(t in LARGE for t in tiles) == 2, f"tiles {tiles}")
        check(text_of(program.answer()) == "" and program.solutions() == [], "the last round stayed")
        program.type_lines(["1 + 1"], last_key="alt+q")
        box = wait_for("the question", lambda: program.boxes())[0]
        check(box_text(box) == "Quitter sans faire juger votre réponse ?", f"box {box_text(box)!r}")
        key("alt+n")
        wait_for("the question to close", lambda: not program.boxes())
        check(stays_false(lambda: program.process.poll() is not None), "No ended the program")
        check(text_of(program.answer()) == "1 + 1", "the answer was lost")
        program.focus()
        key("alt+q")
        wait_for("the question again", lambda: program.boxes())
        program.end(lambda: key("alt+o"))
        check(captured(workdir) == [], f"a clip played: {captured(workdir)}")

    run(Practice(executable, capture_env(workdir), GIVEN), play)


@scenario
def clock_runs_out_and_the_sound_switch(executable, workdir):
    """Nothing typed until the clock ends (a short test clock): the verdict says so, with the
    solutions, the time taken and the game's level. The sound button plays its clip and asks
    the dialog's question; Yes turns the sound off. With no limit chosen, the next round's
    clock counts up."""

    def play(program):
        lines = program.wait_verdict("Temps écoulé. Aucune réponse.")
        check(lines[-1] == "Temps pris : 0:01. Ce compte était de niveau difficile.", f"verdict {lines}")
        check(program.labelled("Temps restant") == "0:00", program.labelled("Temps restant"))
        check(program.solutions()[0] == SOLUTIONS_387[0], f"solutions {program.solutions()}")
        check(program.session() == "1 partie, 0 compte trouvé, 0 fois le meilleur possible",
              program.session())
        program.focus()
        key("alt+p")
        box = wait_for("the sound question", lambda: program.boxes())[0]
        check(box_text(box) == SOUND_QUESTION, f"question {box_text(box)!r}")
        check(sorted(b.name for b in find_all(box, "push button")) == ["Non", "Oui"], "buttons")
        toggle = wave_data(141)
        check(wait_captured(workdir / "capture", toggle) == toggle, "the sound button's clip differs")
        key("alt+o")
        wait_for("the question to close", lambda: not program.boxes())
        program.focus()
        key("alt+t", "End")
        wait_for("no time limit", lambda: find(program.window, "combo box", "sans limite"))
        key("alt+n")
        wait_for("a new round", lambda: program.verdict().startswith("Trouvez"))
        check(program.labelled("Temps écoulé") in ("0:00", "0:01"), "the clock does not count up")
        program.end(lambda: program.press("Quitter"))
        check(captured(workdir) == ["capture"], f"captured {captured(workdir)}")

    run(Practice(executable, {**capture_env(workdir), **SHORT_CLOCK}, GIVEN), play)


@scenario
def sound_off_plays_no_clip(executable, workdir):
    """The sound switched off first: the target made plays nothing."""

    def play(program):
        program.focus()
        key("alt+p")
        wait_for("the sound question", lambda: program.boxes())
        wait_captured(workdir / "capture", wave_data(141))
        key("alt+o")
        wait_for("the question to close", lambda: not program.boxes())
        program.type_lines(VALID_387)
        program.wait_verdict("Compte trouvé : 387.")
        check(stays_false(lambda: len(captured(workdir)) > 1), f"a clip played: {captured(workdir)}")
        program.end(lambda: key("alt+q"))

    run(Practice(executable, capture_env(workdir), GIVEN), play)


@scenario
def started_with_its_descriptors_closed(executable, workdir):
    """Started from the root folder with standard input, output and error closed, as a menu
    or a launcher may start it: the valid answer is judged, and Quitter ends the program."""

    def play(program):
        program.type_lines(VALID_387)
        program.wait_verdict("Compte trouvé : 387.")
        program.end(lambda: program.press("Quitter"))

    run(Practice(executable, QUIET, GIVEN, redirections="<&- >&- 2>&-"), play)


@scenario
def launch_and_quit(executable, workdir):
    """The program opens its window with no game yet, and Quitter ends it with status 0."""

    def play(program):
        check(program.verdict().startswith("Choisissez"), f"verdict {program.verdict()!r}")
        check(program.answer().getState().contains(pyatspi.STATE_ENABLED) is False, "answer enabled")
        program.end(lambda: program.press("Quitter"))

    run(Practice(executable, QUIET), play)


# --- Wayland, under headless weston -------------------------------------------------------


def on_headless_weston(executable, workdir, env, play):
    weston = Weston(workdir, "headless-backend.so")
    try:
        run(Practice(executable, env, GIVEN, wayland=weston), play)
    finally:
        weston.stop()


@wayland_scenario
def wayland_rounds(executable, workdir):
    """On headless weston: the valid answer filled in and Valider pressed; Nouveau tirage;
    a faulty answer, Valider; Quitter ends the program."""

    def play(program):
        check(program.game() == ["387", "2", "8", "75", "8", "100", "25"], f"game {program.game()}")
        program.fill(VALID_387)
        program.press("Valider")
        program.wait_verdict("Compte trouvé : 387.")
        check(program.solutions() == SOLUTIONS_387, f"solutions {program.solutions()}")
        program.press("Nouveau tirage")
        wait_for("a new round", lambda: program.verdict().startswith("Trouvez"))
        program.fill(["9999"])
        program.press("Valider")
        lines = program.wait_verdict("Réponse refusée : 1 faute.")
        check(lines[1] == "9999 n'est pas une des plaques.", f"verdict {lines}")
        check(program.session() == "2 parties, 1 compte trouvé, 1 fois le meilleur possible",
              program.session())
        program.end(lambda: program.press("Quitter"))

    on_headless_weston(executable, workdir, QUIET, play)


@wayland_scenario
def wayland_clock_runs_out(executable, workdir):
    """On headless weston: the clock ends with nothing typed; the sound button's question is
    answered Non through the bus; Quitter ends the program."""

    def play(program):
        program.wait_verdict("Temps écoulé. Aucune réponse.")
        program.press(SOUND_BUTTON)
        box = wait_for("the sound question", lambda: program.boxes())[0]
        program.press("Non", box)
        wait_for("the question to close", lambda: not program.boxes())
        program.end(lambda: program.press("Quitter"))

    on_headless_weston(executable, workdir, {**QUIET, **SHORT_CLOCK}, play)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    if len(sys.argv) > 1 and sys.argv[1] == "--wayland":
        del sys.argv[1]
        sys.exit(pivolo_e2e.main(WAYLAND_SCENARIOS, __doc__))
    sys.exit(pivolo_e2e.main(SCENARIOS, __doc__))
