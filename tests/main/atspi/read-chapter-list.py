#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Reads the real window over AT-SPI, as a screen reader does: the chapter list
of the sample novel is a table whose titles are the chapters the command line
lists, and a row ticked through the reader's own action reports its check mark.

Run inside an X server and a session bus (atspi-test.sh sets both up):
    read-chapter-list.py LUMARIN LUMARIN_SPLIT NOVEL
Exit code 77: the accessibility bus could not start (the test is skipped).
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
PATIENCE = 60  # seconds to wait for a step that is slow only on a loaded machine


def say(*words):
    print(*words, flush=True)


def start_bus():
    for folder in ("/usr/libexec", "/usr/lib/at-spi2-core", "/usr/lib/at-spi2"):
        launcher = os.path.join(folder, "at-spi-bus-launcher")
        if os.access(launcher, os.X_OK):
            break
    else:
        say("SKIP: at-spi-bus-launcher not found (package at-spi2-core)")
        sys.exit(SKIP)
    bus = subprocess.Popen([launcher, "--launch-immediately"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        probe = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], capture_output=True, text=True)
        if probe.returncode == 0 and "unix:" in probe.stdout:
            return bus
        if bus.poll() is not None:
            break
        time.sleep(0.2)
    say("SKIP: the accessibility bus did not start")
    bus.kill()
    sys.exit(SKIP)


def wait_for(what, probe):
    deadline = time.monotonic() + PATIENCE
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.25)
    raise SystemExit("FAIL: " + what)


def find(node, test, depth=0):
    """Depth-first, not into tables: their cells are many and made on demand."""
    if node is None or depth > 40:
        return None
    if test(node):
        return node
    if node.getRole() == pyatspi.ROLE_TABLE:
        return None
    for child in node:
        hit = find(child, test, depth + 1)
        if hit is not None:
            return hit
    return None


def main():
    lumarin, splitter, novel = sys.argv[1:4]
    headings = [row["heading"] for row in json.loads(subprocess.run(
        [splitter, "--list", "--json", "--condition", "auto", novel],
        check=True, capture_output=True, text=True).stdout)["rows"]]

    bus = start_bus()
    home = tempfile.mkdtemp(prefix="lumarin-atspi-")
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_DATA_HOME=os.path.join(home, ".local", "share"))
    # A copy: the window may keep a review beside nothing but its own settings.
    book = os.path.join(home, os.path.basename(novel))
    shutil.copyfile(novel, book)
    window = subprocess.Popen([lumarin, book], env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)

        def app():
            if window.poll() is not None:
                raise SystemExit(f"FAIL: the window ended at once (exit code {window.returncode})")
            for a in desktop:
                try:
                    if a is not None and a.get_process_id() == window.pid:
                        return a
                except Exception:
                    pass
            return None

        application = wait_for("the window never showed on the accessibility bus", app)
        table = wait_for("no table named 章节列表", lambda: find(
            application, lambda n: n.getRole() == pyatspi.ROLE_TABLE and n.name == "章节列表"))
        cells = table.queryTable()
        wait_for("the list never filled", lambda: cells.nRows == len(headings))

        columns = [cells.getColumnDescription(c) for c in range(cells.nColumns)]
        say("table", repr(table.name), "rows", cells.nRows, "columns", columns)
        assert columns == ["章", "标题", "预览", "卷"], columns
        titles = [cells.getAccessibleAt(r, 1).name for r in range(cells.nRows)]
        assert titles == headings, (titles, headings)

        def marked(row):
            return cells.getAccessibleAt(row, 0).getState().contains(pyatspi.STATE_CHECKED)

        for r in list(range(4)) + [22, 23]:
            first = cells.getAccessibleAt(r, 0)
            states = [s.value_nick for s in first.getState().get_states()
                      if s in (pyatspi.STATE_CHECKABLE, pyatspi.STATE_CHECKED)]
            say(f"row {r}: {first.getRoleName()} {first.name!r} | "
                f"{cells.getAccessibleAt(r, 1).name!r} | {cells.getAccessibleAt(r, 2).name!r} "
                f"| states {states}")

        # A row no mark stands on: tick it with the reader's own action.
        row = next(r for r in range(cells.nRows) if not marked(r))
        # The main window is the application's first child; its name is the caption.
        frame = application.getChildAtIndex(0)
        caption = frame.name
        action = cells.getAccessibleAt(row, 0).queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        say(f"row {row} actions {names}")
        action.doAction(names.index("Toggle"))
        wait_for(f"row {row} does not report its tick", lambda: marked(row))
        say(f"row {row} after Toggle: checked")
        def recounted():
            frame.clear_cache()  # the client keeps names it has read
            return frame.name != caption
        wait_for("the caption did not count the tick", recounted)
        say("caption", repr(caption), "->", repr(frame.name))
        action.doAction(names.index("Toggle"))
        wait_for(f"row {row} does not report the tick taken back", lambda: not marked(row))
        say("PASS")
    finally:
        window.terminate()
        try:
            window.wait(10)
        except subprocess.TimeoutExpired:
            window.kill()
        bus.terminate()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    try:
        import pyatspi  # noqa: F401  (Debian's python3-pyatspi)
    except ImportError:
        say("SKIP: python3-pyatspi is not installed")
        sys.exit(SKIP)
    main()
