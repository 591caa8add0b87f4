#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Pomerel as a screen reader meets it, through AT-SPI2.

Run by scripts/test-access.sh, which gives it a virtual screen and a D-Bus session of its own.
Starts the program twice from its folder (which holds the resource files beside it):

- once driven through the accessibility interface alone: text typed through the
  editable-text interface, buttons pressed and list rows picked through their actions, the
  new folder's name answered in the input box's own tree. Both windows must be frames with
  their titles, and every control shown must have a name, in each state and in the help
  window;
- once driven with the keyboard alone (xdotool: Tab, space, Return, F1), while the Tab
  chain that a screen reader announces is printed for each state.

Each run makes a whole page; its text (Windows-1252), its photo and the browser's call are
checked. Usage: screen_reader.py PROGRAM_FOLDER SCRATCH_FOLDER
"""

import os
import pathlib
import signal
import subprocess
import sys
import time

import pyatspi

MAIN_TITLE = "      Pomerel"
HELP_TITLE = "                  Aide"
# Parts of a named control (a scroll area's frame, its scroll bars, a box's button row),
# which a screen reader does not stop on.
UNNAMED_PARTS = {pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL, pyatspi.ROLE_SCROLL_BAR}


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=10.0):
    """Polls probe until it gives something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except (LookupError, RuntimeError):  # objects replaced while the tree changes
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"{what}: not within {timeout:g} s")
        time.sleep(0.05)


def states(accessible):
    return accessible.getState().getStates()


def showing(accessible):
    return pyatspi.STATE_SHOWING in states(accessible)


def child(parent, role, name):
    """The child of parent with this role and name."""
    for each in parent:
        if each is not None and each.getRole() == role and each.name == name:
            return each
    raise LookupError(f"no {name!r} in {parent.name!r}")


def describe(accessible):
    return f"{accessible.name!r} ({accessible.getRoleName()})"


def do_action(accessible, action):
    actions = accessible.queryAction()
    for index in range(actions.nActions):
        if actions.getName(index) == action:
            actions.doAction(index)
            return
    raise Failure(f"{describe(accessible)} has no action {action}")


class Checks:
    """Failures that do not stop the run, reported together at the end."""

    def __init__(self):
        self.failures = []

    def expect(self, condition, message):
        if not condition:
            self.failures.append(message)
            print(f"FAIL: {message}")
        return condition

    def window(self, window, title):
        if self.expect(window.getRole() == pyatspi.ROLE_FRAME,
                       f"the window {title.strip()!r} is a {window.getRoleName()}, not a frame"):
            print(f"the window {title.strip()!r} is a frame")

    def names(self, where, root):
        """Every control shown under root has a name."""
        unnamed = []

        def walk(accessible):
            for each in accessible:
                if each is None or not showing(each):
                    continue
                if not each.name.strip() and each.getRole() not in UNNAMED_PARTS:
                    unnamed.append(f"a {each.getRoleName()} in {describe(accessible)}")
                walk(each)

        walk(root)
        if self.expect(not unnamed, f"{where}: controls without a name: {unnamed}"):
            print(f"{where}: every control shown has a name")


class Program:
    """The program, started from its folder with a stand-in browser on its PATH."""

    def __init__(self, folder, scratch, name):
        self.opened = scratch / f"{name}.opened"
        tools = scratch / "bin"
        tools.mkdir(exist_ok=True)
        opener = tools / "xdg-open"
        opener.write_text('#!/bin/sh\nprintf "%s\\n" "$@" >>"$POMEREL_OPENED"\n')
        opener.chmod(0o755)
        runtime = scratch / "runtime"
        runtime.mkdir(mode=0o700, exist_ok=True)
        environment = dict(os.environ, PATH=f"{tools}:{os.environ['PATH']}",
                           XDG_RUNTIME_DIR=str(runtime), POMEREL_OPENED=str(self.opened),
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.log = open(scratch / f"{name}.log", "wb")
        self.process = subprocess.Popen([str(folder / "pomerel")], cwd=folder,
                                        env=environment, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        self.application = self.main = None

    def __enter__(self):
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            self.application = wait_for(
                "the program on the accessibility bus",
                lambda: next((app for app in desktop if app is not None and
                              app.get_process_id() == self.process.pid), None))
            self.main = self.window(MAIN_TITLE)
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *_):
        self.stop()

    def window(self, title):
        return wait_for(f"the window {title.strip()!r}",
                        lambda: next((each for each in self.application
                                      if each is not None and each.name == title), None))

    def dialog(self):
        return wait_for("the input box", lambda: next(
            (each for each in self.application
             if each is not None and each.getRole() == pyatspi.ROLE_DIALOG), None))

    def gone(self, title):
        wait_for(f"the window {title.strip()!r} closing",
                 lambda: all(each is None or each.name != title for each in self.application))

    def control(self, role, name):
        return child(self.main, role, name)

    def wait_shown(self, role, name):
        wait_for(f"{name!r} shown", lambda: showing(self.control(role, name)))

    def ended(self):
        try:
            status = self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end") from None
        if status != 0:
            raise Failure(f"the program ended with status {status}")

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


def check_page(checks, program, folder, texts):
    """The page in folder holds the texts typed and the photo; the browser was given it."""
    page = folder / "CV.html"
    wait_for(f"{page} written and given to the browser",
             lambda: program.opened.exists() and program.opened.read_text().strip())
    content = page.read_bytes()
    for text in texts:
        checks.expect(text.encode("cp1252") in content, f"{page} lacks {text!r}")
    checks.expect(b"portrait.jpg" in content and (folder / "portrait.jpg").exists(),
                  f"{page} does not show the chosen photo")
    checks.expect(program.opened.read_text().splitlines() == [page.as_uri()],
                  f"the browser was given {program.opened.read_text()!r}, not {page.as_uri()}")
    print(f"made {page} and gave it to the browser")


# Through the accessibility interface alone.

def type_into(program, name, text):
    box = program.control(pyatspi.ROLE_TEXT, name)
    if not box.queryEditableText().setTextContents(text):
        raise Failure(f"{name!r} refused its text")
    wait_for(f"{name!r} holding its text", lambda: box.queryText().getText(0, -1) == text)


def press(program, name, root=None):
    do_action(child(root or program.main, pyatspi.ROLE_PUSH_BUTTON, name), "Press")


def selected_row(rows):
    return next((row.name for row in rows if pyatspi.STATE_SELECTED in states(row)), None)


def open_folder(program, list_name, folder):
    """Opens folder from the root, one row at a time, with each row's own action."""
    rows = program.control(pyatspi.ROLE_LIST, list_name)
    path = ["/", *folder.parts[1:]]
    for name in path:
        row = wait_for(f"the row {name!r} in {list_name!r}",
                       lambda: next((each for each in rows if each.name == name), None))
        do_action(row, "Toggle")
    # The list shows the path from the root down, the folder opened selected.
    wait_for(f"{list_name!r} opening {folder}",
             lambda: [each.name for each in rows][:len(path)] == path and
             pyatspi.STATE_SELECTED in states(rows[len(path) - 1]))
    return rows


def pick_file(program, list_name, name):
    files = program.control(pyatspi.ROLE_LIST, list_name)
    do_action(wait_for(f"{name!r} in {list_name!r}",
                       lambda: next((each for each in files if each.name == name), None)),
              "Toggle")
    wait_for(f"{name!r} selected", lambda: selected_row(files) == name)


def through_the_interface(folder, scratch, photos, checks):
    with Program(folder, scratch, "interface") as program:
        checks.window(program.main, MAIN_TITLE)
        checks.names("Editing", program.main)

        press(program, "Aide")
        help_window = program.window(HELP_TITLE)
        checks.window(help_window, HELP_TITLE)
        checks.names("the help window", help_window)
        press(program, "Quitter l'aide", help_window)
        program.gone(HELP_TITLE)

        texts = {"Genre Prénom Nom, première ligne": "Hélène Dupré",
                 "Profession, première ligne": "Comptable",
                 "E Mail": "helene.dupre@example.org",
                 "Présentation": "Vingt ans de métier.\nRigueur et discrétion."}
        for name, text in texts.items():
            type_into(program, name, text)
        press(program, "Expériences")
        program.wait_shown(pyatspi.ROLE_TEXT, "Expériences")
        type_into(program, "Expériences", "Cabinet Lefèvre, Rennes")

        open_folder(program, "Dossier de la photo", photos)
        pick_file(program, "Fichiers de photo", "portrait.jpg")

        press(program, "Création de la page.")
        program.wait_shown(pyatspi.ROLE_PUSH_BUTTON, "SUITE")
        checks.names("ChoosingDestination", program.main)
        rows = open_folder(program, "Dossier de destination", scratch)
        press(program, "Ajouter un répertoire")
        box = program.dialog()
        checks.names("the input box", box)
        answer = next(each for each in box if each.getRole() == pyatspi.ROLE_TEXT)
        answer.queryEditableText().setTextContents("interface")
        press(program, "OK", next(each for each in box if each.getRole() == pyatspi.ROLE_PANEL))
        wait_for("the new folder opened", lambda: selected_row(rows) == "interface")

        press(program, "SUITE")
        program.wait_shown(pyatspi.ROLE_PUSH_BUTTON, "Refaire")
        checks.names("Finished", program.main)
        check_page(checks, program, scratch / "interface",
                   ["Hélène Dupré", "Comptable", "Vingt ans de métier.<BR>",
                    "Rigueur et discrétion.", "Cabinet Lefèvre, Rennes"])
        press(program, "Quitter l'application")
        program.ended()


# With the keyboard alone; the accessibility interface only watches.

def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "20", *names], check=True)


def type_keys(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def type_lines(window, lines):
    """Types lines into the focused box, Return between them, and reads them back.

    Now and then xdotool misses a French letter that the screen has on a key, binds it to a
    spare key for a moment and presses that; a program reading the key after the moment sees
    no letter (xev sees the same). The box is then emptied and the text typed again, and the
    loss is told.
    """
    box = focused(window)[0]
    expected = "\n".join(lines)
    for _ in range(3):
        for index, line in enumerate(lines):
            if index > 0:
                keys("Return")
            type_keys(line)
        try:
            wait_for(f"{box.name!r} holding {expected!r}",
                     lambda: box.queryText().getText(0, -1) == expected, timeout=3)
            return
        except Failure:
            print(f"note: typed {expected!r}, {box.name!r} holds "
                  f"{box.queryText().getText(0, -1)!r}; typing it again")
            keys("ctrl+a", "BackSpace")
    raise Failure(f"{box.name!r} never held what was typed")


def focus_window(title):
    """Gives a window the keyboard focus, as a window manager would when it comes up."""
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                            check=True, capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)


def focused(window):
    """The control of window that has the focus, and for a list the row it is on."""
    for each in window:
        if each is None or pyatspi.STATE_FOCUSED not in states(each):
            continue
        row = next((row for row in each if row is not None and
                    pyatspi.STATE_FOCUSED in states(row)), None) if each.getRole() in (
            pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE) else None
        return each, row
    return None


def announce(entry):
    control, row = entry
    return describe(control) + (f", row {row.name!r}" if row is not None else "")


def tab(window):
    before = focused(window)
    keys("Tab")
    return wait_for("the focus moving on Tab",
                    lambda: (now := focused(window)) and now[0] != before[0] and now)


def tab_to(window, name, role=None):
    """Presses Tab until the control of that name (and role) has the focus."""
    for _ in range(45):
        control = focused(window)[0]
        if control.name == name and role in (None, control.getRole()):
            return
        tab(window)
    raise Failure(f"Tab never reaches {name!r}")


def tab_chain(state, window):
    """Prints the controls that Tab visits, from the first name line round to it again."""
    tab_to(window, "Genre Prénom Nom, première ligne")
    chain = [focused(window)]
    while len(chain) < 45:
        entry = tab(window)
        if entry[0] == chain[0][0]:
            break
        chain.append(entry)
    print(f"Tab chain in {state}:")
    for position, entry in enumerate(chain, 1):
        print(f"  {position:2}. {announce(entry)}")


def open_folder_by_keys(window, list_name, folder):
    """Home and Return open the root; each folder's name is typed, then Return opens it."""
    tab_to(window, list_name)
    rows = focused(window)[0]
    keys("Home", "Return")
    for name in folder.parts[1:]:
        # The list finds a row by the letters typed within the desktop's type-ahead interval
        # (0.4 s): the next name starts a search of its own only after it.
        time.sleep(0.5)
        type_keys(name)
        keys("Return")
        wait_for(f"{list_name!r} opening {name!r}", lambda: selected_row(rows) == name)


def shown_labels(window):
    return [each.name for each in window
            if each.getRole() == pyatspi.ROLE_LABEL and showing(each)]


def by_keyboard(folder, scratch, photos, checks):
    with Program(folder, scratch, "keyboard") as program:
        window = program.main
        focus_window(MAIN_TITLE)
        checks.expect(focused(window) and focused(window)[0].name ==
                      "Genre Prénom Nom, première ligne",
                      "the focus does not start in the first name line")
        tab_chain("Editing", window)

        keys("F1")
        try:
            help_window = program.window(HELP_TITLE)
        except Failure as failure:
            checks.expect(False, f"F1 does not open the help window ({failure})")
        else:
            print("F1 opened the help window")
            focus_window(HELP_TITLE)
            checks.expect(wait_for("the help window's focus", lambda: focused(help_window))[0]
                          .name == "Quitter l'aide", "\"Quitter l'aide\" does not have the focus")
            print(f"Tab chain in the help window:\n   1. {announce(focused(help_window))}")
            explanation = shown_labels(help_window)
            keys("Right")
            checks.expect(wait_for("the next explanation on the right arrow",
                                   lambda: shown_labels(help_window) != explanation),
                          "the right arrow does not change the help's explanation")
            print("the right arrow shows the next explanation")
            keys("space")
            program.gone(HELP_TITLE)
            focus_window(MAIN_TITLE)

        tab_to(window, "Genre Prénom Nom, première ligne")
        type_lines(window, ["Loïc Férec"])
        tab_to(window, "Profession, première ligne")
        type_lines(window, ["Menuisière ébéniste"])
        tab_to(window, "Présentation", pyatspi.ROLE_TEXT)
        type_lines(window, ["Trente ans d'atelier.", "Chêne et noyer."])
        open_folder_by_keys(window, "Dossier de la photo", photos)
        tab_to(window, "Fichiers de photo")
        files = focused(window)[0]
        keys("Down")
        wait_for("the photo chosen", lambda: selected_row(files) == "portrait.jpg")

        tab_to(window, "Création de la page.")
        keys("space")
        program.wait_shown(pyatspi.ROLE_PUSH_BUTTON, "SUITE")
        tab_chain("ChoosingDestination", window)
        open_folder_by_keys(window, "Dossier de destination", scratch)
        tab_to(window, "Ajouter un répertoire")
        keys("space")
        program.dialog()
        focus_window("Pomerel")
        type_keys("clavier")
        keys("Return")
        program.gone("Pomerel")
        focus_window(MAIN_TITLE)
        rows = program.control(pyatspi.ROLE_LIST, "Dossier de destination")
        wait_for("the new folder opened", lambda: selected_row(rows) == "clavier")

        tab_to(window, "SUITE")
        keys("space")
        program.wait_shown(pyatspi.ROLE_PUSH_BUTTON, "Refaire")
        check_page(checks, program, scratch / "clavier",
                   ["Loïc Férec", "Menuisière ébéniste", "Trente ans d'atelier.<BR>", "Chêne et noyer."])
        tab_chain("Finished", window)
        tab_to(window, "Quitter l'application")
        keys("space")
        program.ended()


def main():
    # Ended from outside, the run still stops the program it started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    folder = pathlib.Path(sys.argv[1]).resolve()
    scratch = pathlib.Path(sys.argv[2]).resolve()
    photos = scratch / "photos"
    photos.mkdir()
    (photos / "portrait.jpg").write_bytes((folder / "logo.jpg").read_bytes())
    checks = Checks()
    try:
        print("--- through the accessibility interface alone")
        through_the_interface(folder, scratch, photos, checks)
        print("--- with the keyboard alone")
        by_keyboard(folder, scratch, photos, checks)
    except Failure as failure:
        checks.failures.append(str(failure))
        print(f"FAIL: {failure}")
    if checks.failures:
        for log in sorted(scratch.glob("*.log")):
            if log.stat().st_size:
                print(f"--- {log.name}\n{log.read_text(errors='replace')}")
        print(f"access: {len(checks.failures)} failure(s)", file=sys.stderr)
        return 1
    print("access: both pages made, every control named")
    return 0


if __name__ == "__main__":
    sys.exit(main())
