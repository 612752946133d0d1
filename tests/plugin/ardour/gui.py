#!/usr/bin/python3
"""Ardour's GUI with the plug-in's own editor in its plug-in window (display and JACK server from
the environment). The session made by session.lua is set to open that window when it loads; the
editor must show there and paint, and a click on its filter switch, once the session is saved,
must change the switch's parameter in the session file. Ardour crashes now and then on its own:
an attempt during which Ardour died by a signal starts again from the prepared session, ATTEMPTS
times at most, and says so; a check that fails while Ardour runs fails the test at once.

usage: gui.py WORK_DIR BACKGROUND_PNG SHOT_PNG ATTEMPTS SWITCH_X SWITCH_Y
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import time

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from xdriver import check, click_in_window, fail, screenshot, window_image, xdo  # noqa: E402

EDITOR_SIZE = "800x550"
FILTER_SWITCH = 21


def pixels(image, source_format):
    """An image's pixels as an array of rows of RGB triples (ImageMagick reads it)."""
    size = subprocess.run(["convert", source_format + ":-", "-format", "%w %h", "info:-"], input=image,
                          capture_output=True, check=True).stdout.split()
    rgb = subprocess.run(["convert", source_format + ":-", "-depth", "8", "rgb:-"], input=image,
                         capture_output=True, check=True).stdout
    width, height = int(size[0]), int(size[1])
    return np.frombuffer(rgb, dtype=np.uint8).reshape(height, width, 3)


def parameter(session_file, index):
    found = re.search(r'<Controllable [^>]*value="([^"]*)" parameter="%d"/>' % index, open(session_file).read())
    return float(found.group(1)) if found else None


def open_editor_on_load(session_file):
    """Asks for the plug-in's own editor window when the session loads. The engine hints go, or
    Ardour asks about a changed audio device first."""
    text = open(session_file).read()
    text = re.sub(r"\s*<EngineHints[^>]*/>", "", text)
    route = re.search(r'<Route [^>]*id="(\d+)" name="Synth"', text).group(1)
    processor = re.search(r'<Processor id="(\d+)" name="zarN the Synthesizer"', text).group(1)
    window = '<Window name="P-%s-%s" visible="1" custom-ui="1"/>' % (route, processor)
    text = text.replace("</Session>", "  <Extra>\n    <UI>\n      %s\n    </UI>\n  </Extra>\n</Session>" % window)
    open(session_file, "w").write(text)


def editor_window(plugin_window):
    """The editor's own window: the descendant of Ardour's plug-in window that has its size."""
    tree = subprocess.run(["xwininfo", "-tree", "-id", plugin_window], capture_output=True, text=True).stdout
    found = re.search(r"(0x[0-9a-f]+) .*\s%s\+\d+\+\d+" % EDITOR_SIZE, tree)
    return str(int(found.group(1), 16)) if found else None


class HostCrashed(Exception):
    pass


class Ardour:
    """Ardour's GUI on a session, for one attempt; it ends with the attempt."""

    def __init__(self, session_file, log_path):
        self.log = open(log_path, "w")
        self.process = subprocess.Popen(["ardour", "--no-splash", session_file], stdout=self.log,
                                        stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, start_new_session=True)

    def stop_if_crashed(self):
        """Ardour's death by a signal ends the attempt."""
        if self.process.poll() is not None and self.process.returncode < 0:
            raise HostCrashed("died by %s" % signal.Signals(-self.process.returncode).name)

    def wait_for(self, condition, timeout):
        """As xdriver's wait_for, but it stops early when Ardour has ended."""
        end = time.monotonic() + timeout
        while True:
            try:
                result = condition()
            except subprocess.CalledProcessError:  # a window of Ardour's that went with it
                if self.process.poll() is None:
                    raise
                result = None
            if result or time.monotonic() >= end or self.process.poll() is not None:
                break
            time.sleep(0.05)
        if not result:
            self.stop_if_crashed()
        return result

    def check(self, condition, message):
        if not condition:
            self.stop_if_crashed()
        check(condition, message)

    def end(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()
        self.log.close()


def attempt(ardour, session_file, before, background, shot, switch_x, switch_y):
    plugin_window = ardour.wait_for(lambda: xdo("search", "--onlyvisible", "--name", "zarN the Synthesizer"), 90)
    ardour.check(plugin_window, "Ardour opened the plug-in window")
    editor = ardour.wait_for(lambda: editor_window(plugin_window[0]), 10)
    ardour.check(editor, "the plug-in window holds the editor's window, %s" % EDITOR_SIZE)

    # Painted: most of the editor shows the panel's background image exactly (the controls cover
    # the rest).
    def painted():
        shown = pixels(window_image(editor), "xwd")
        return shown.shape == background.shape and np.all(shown == background, axis=2).mean() > 0.5

    ardour.check(ardour.wait_for(painted, 10), "the editor paints the panel in Ardour's window")
    screenshot(plugin_window[0], shot)
    click_in_window(editor, switch_x, switch_y, settle=0.3)
    time.sleep(1.0)

    # The editor takes the keyboard focus: the main window gets it back for Ctrl+S.
    saved_at = os.path.getmtime(session_file)
    main_window = xdo("search", "--onlyvisible", "--name", "Ardour$")
    ardour.check(main_window, "Ardour's main window is there")
    xdo("windowfocus", "--sync", main_window[0])
    xdo("key", "ctrl+s")
    ardour.check(ardour.wait_for(lambda: os.path.getmtime(session_file) != saved_at
                                 and parameter(session_file, FILTER_SWITCH) is not None, 20), "the session was saved")

    expected = 0.0 if int(before) != 0 else 1.0
    after = parameter(session_file, FILTER_SWITCH)
    check(after == expected, "the saved session holds the clicked filter switch: %s, was %s" % (after, before))


def main():
    work, background_png, shot, attempts, switch_x, switch_y = sys.argv[1:7]
    session_dir = os.path.join(work, "session")
    session_file = os.path.join(session_dir, "render.ardour")
    open_editor_on_load(session_file)
    before = parameter(session_file, FILTER_SWITCH)
    check(before is not None, "the session holds the filter switch's parameter (%s)" % before)
    background = pixels(open(background_png, "rb").read(), "png")

    # Each attempt starts from the session as prepared here.
    prepared = os.path.join(work, "session-prepared")
    shutil.copytree(session_dir, prepared)

    for number in range(1, int(attempts) + 1):
        shutil.rmtree(session_dir)
        shutil.copytree(prepared, session_dir)
        ardour = Ardour(session_file, os.path.join(work, "ardour-%d.log" % number))
        try:
            attempt(ardour, session_file, before, background, shot, switch_x, switch_y)
            return
        except HostCrashed as crash:
            print("== HOST CRASH: ardour %s (attempt %d of %s); its log: %s" % (crash, number, attempts, ardour.log.name))
        finally:
            ardour.end()

    fail("Ardour crashed in each of %s attempts" % attempts)


if __name__ == "__main__":
    main()
