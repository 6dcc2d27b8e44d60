#!/usr/bin/python3
"""Reads dadiRaravor's windows as a screen reader does, over the AT-SPI accessibility bus.

Prints the main window's tree of roles, names and descriptions as a screen reader walks it (only
what shows: the controls a collapsed folder panel hides are left out), then again with both
folder panels opened through their strips; types an extension, makes two runs with the start
button, confirms their messages and prints every name change of the status line meanwhile (a
screen reader reads these); then opens the info window with its button and prints its tree.
Exits with 1 when the program's tree does not appear or a run is not announced exactly once.
"""

import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# Atspi 2.46 marks the action names deprecated and offers only localised ones instead.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def pump(seconds):
    """Lets events arrive for `seconds`."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def find(node, test):
    if test(node):
        return node
    for child in children(node):
        found = find(child, test)
        if found is not None:
            return found
    return None


def wait_for(test, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find(Atspi.get_desktop(0), test)
        if found is not None:
            return found
        pump(0.2)
    return None


def describe(node):
    states = node.get_state_set()
    line = f'{node.get_role_name()} "{node.get_name()}"'
    if node.get_description():
        line += f" ({node.get_description()})"
    # What a reader names a field by when its own name is its content (a drop-down list).
    for relation in node.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            for i in range(relation.get_n_targets()):
                line += f' beschriftet von "{relation.get_target(i).get_name()}"'
    if states.contains(Atspi.StateType.FOCUSABLE):
        line += " [fokussierbar]"
    if states.contains(Atspi.StateType.EXPANDED):
        line += " [aufgeklappt]"
    elif states.contains(Atspi.StateType.COLLAPSED):
        line += " [zugeklappt]"
    if "Action" in node.get_interfaces() and node.get_n_actions() > 0:
        names = [node.get_action_name(i) for i in range(node.get_n_actions())]
        line += " {" + ", ".join(names) + "}"
    return line


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def print_tree(node, depth=0):
    """Prints `node` and what of it shows, as a screen reader walks a window."""
    print("  " * depth + describe(node))
    for child in children(node):
        if showing(child):
            print_tree(child, depth + 1)


def press(node):
    node.do_action(0)


def confirm_messages():
    """Presses OK in each message of a run (a dialog of the program), until none comes."""
    for _ in range(4):
        ok = wait_for(lambda n: n.get_role_name() == "push button" and n.get_name() == "OK", 5)
        if ok is None:
            return
        press(ok)
        pump(0.5)


def main():
    def is_window(title):
        return lambda n: n.get_role_name() in ("frame", "window") and n.get_name() == title

    window = wait_for(is_window("dadiRaravor"), 30)
    if window is None:
        print("dadiRaravor does not appear on the accessibility bus", file=sys.stderr)
        return 1
    print("== Das Hauptfenster")
    print_tree(window)
    for strip in ("Startverzeichnis-Auswahl öffnen", "Ausgabeverzeichnis-Auswahl öffnen"):
        press(find(window, lambda n, name=strip: n.get_name() == name))
    pump(1)
    print("== Das Hauptfenster mit beiden offenen Auswahlen")
    print_tree(window)

    spoken = []
    listener = Atspi.EventListener.new(
        lambda event: spoken.append((event.source.get_name(), event.source.get_description()))
    )
    listener.register("object:property-change:accessible-name")
    # Types the extension as a screen reader's user would have it typed, and runs twice: the
    # second run ends with the same text, and must be announced all the same.
    extension = find(
        window, lambda n: n.get_role_name() == "text" and n.get_name().startswith("Extension")
    )
    extension.set_text_contents("tif")
    start = find(window, lambda n: n.get_name() == "Kommando für alle Unterordner jetzt starten")
    for _ in range(2):
        press(start)
        confirm_messages()
    pump(1)
    status = [name for name, description in spoken if description == "Statuszeile"]
    print("== Namensänderungen der Statuszeile während des Laufs")
    for name in status:
        print(f'"{name}"')

    press(find(window, lambda n: n.get_name() == "INFO – Über das Programm"))
    info = wait_for(is_window("INFO"), 10)
    if info is not None:
        print("== Das INFO-Fenster")
        print_tree(info)
    announced = len(status) == 2 and all(n.endswith("Dateien wurden verarbeitet") for n in status)
    return 0 if announced else 1


if __name__ == "__main__":
    sys.exit(main())
