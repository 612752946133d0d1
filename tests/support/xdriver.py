"""Drives programs on the test X server as a user would, for the end-to-end scripts: xdotool,
screenshots, waiting for a condition, and checks that end the script with a message."""
import os
import subprocess
import sys
import time


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)
    print("ok: " + message)


def xdo(*args):
    return subprocess.run(["xdotool"] + [str(a) for a in args], capture_output=True, text=True).stdout.split()


def wait_for(condition, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    return condition()


def window_image(window):
    """What the window shows, as an xwd dump."""
    return subprocess.run(["xwd", "-id", window, "-silent"], capture_output=True, check=True).stdout


def screenshot(window, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    subprocess.run(["convert", "xwd:-", path], input=window_image(window), check=True)
    print("screenshot: " + path)


def click_in_window(window, x, y, settle=0.1):
    xdo("mousemove", "--window", window, x, y)
    time.sleep(settle)
    xdo("click", 1)
