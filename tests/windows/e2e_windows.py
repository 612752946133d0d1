#!/usr/bin/python3
"""Runs the Windows program Zarn.exe under Wine as a user would, with the same tools as the Linux
end-to-end tests (tests/standalone/e2e.py): on the test Xvfb, driven with xdotool. The programs play
into the test PulseAudio server (tests/support/pulse.sh, found through PULSE_SERVER), Wine's
through its own driver and the Linux program's through ALSA's PulseAudio plug-in, and are recorded
from its sink's monitor with parec. Wine's prefix and display come from the environment
(WINEPREFIX, DISPLAY).

usage: e2e_windows.py program ZARN_EXE GUI_RESOURCE_DIR SHOTS_DIR
       e2e_windows.py timbres ZARN_EXE GUI_RESOURCE_DIR SHOTS_DIR LINUX_ZARN LINUX_GUI_RESOURCE_DIR
       e2e_windows.py editor EDITOR_HOST_EXE PLUGIN_DLL SHOTS_DIR
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "standalone"))
import e2e  # noqa: E402
from e2e import check, fail, wait_for, windows, xdo  # noqa: E402


SAVE_TITLE = "^Save your timbre as an xml file...$"
LOAD_TITLE = "^Load a timbre from an xml file...$"

# A timbre that sounds like e2e.TEST_TIMBRE an octave up (880 Hz for note 81) and sets each of the
# other settings to a value of its own, so that a file carries every one of them.
CROSS_TIMBRE = dict(
    e2e.TEST_TIMBRE, osc0dtn=12, osc0cent=0, osc0pw=0.35,
    osc1wave=1, osc1lvl=0.45, osc1dtn=-7, osc1cent=23, osc1pw=0.2, osc1double=1,
    osc2wave=2, osc2lvl=0.65, osc2dtn=5, osc2cent=-41, osc2pw=0.4, osc2double=1,
    moogAtk=120, moogDcy=450, moogSus=0.55, moogRls=700, moogRes=0.05,
    ampGain=0.7, ampAtk=4, ampDcy=200, delayFbk=0.25, delayLvl=0.2,
    lfoWave=1, lfoRate=7.5, lfoDepth=0.4,
    eq0=3, eq1=-2, eq2=5, eq3=-6, eq4=1, eq5=7, eq6=-4, eq7=2)


def close_and_wait(run, main):
    """Closes the main window with its close button; the program must end with status 0."""
    e2e.close_main_window(main)
    check(run.wait() == 0, "closing the main window ends the program with status 0")


def windows_path(path):
    # Wine maps the Unix root to drive Z:.
    return "Z:" + path.replace("/", "\\")


def file_dialog(run, main, button_x, title, path):
    """Clicks the save or load button and answers the Windows file dialog with a full path."""
    e2e.click_in_window(main, e2e.PANEL_X + button_x, e2e.PANEL_Y + 68 + 12)
    dialog = wait_for(lambda: windows(run.pid, title), 10)
    check(bool(dialog), "the file dialog opens")
    time.sleep(0.5)
    xdo("type", "--delay", 10, windows_path(path))
    time.sleep(0.3)
    xdo("key", "Return")
    check(wait_for(lambda: not windows(run.pid, title), 10), "the file dialog closes")
    time.sleep(0.3)


PULSE_ASOUNDRC = """pcm.!default { type pulse }
ctl.!default { type pulse }
"""


def streams():
    listed = e2e.subprocess.run(["pactl", "list", "short", "sink-inputs"], capture_output=True, text=True)
    return [line for line in listed.stdout.split("\n") if line.strip()]


def record(path, seconds):
    """A recorder for e2e.play_key: `seconds` of the server's one sink, as a 16-bit WAV file.
    parec closes the file when it is interrupted."""
    return e2e.subprocess.Popen(
        ["timeout", "-s", "INT", str(seconds), "parec", "--device=@DEFAULT_MONITOR@", "--latency-msec=20",
         "--rate=%d" % e2e.RATE, "--channels=2", "--format=s16le", "--file-format=wav", path],
        stdout=e2e.subprocess.DEVNULL, stderr=e2e.subprocess.DEVNULL)


class Start:
    """One start of a program with `timbre` as its only preset, waited for until its main window
    shows and it plays into the test server (which has no other client), through Wine's driver or
    ALSA's default device."""

    def __init__(self, command, gui_resource, timbre):
        check(not streams(), "the test server plays nothing before the program starts")
        self.run = e2e.Run(command, gui_resource, PULSE_ASOUNDRC, {}, e2e.timbres_xml(timbre))

    def __enter__(self):
        try:
            self.main = e2e.startup_windows(self.run)
            check(len(wait_for(streams, 10)) == 1, "the program plays into the test server")
            return self
        except BaseException:
            self.run.cleanup()
            raise

    def __exit__(self, *exc):
        self.run.cleanup()
        # The server drops the program's stream once its process has ended.
        wait_for(lambda: not streams(), 10)

    def pitch(self):
        return e2e.play_key(self.run, self.main, record, held=0.8, lead=0.8).frequency


def scenario_program(zarn_exe, gui_resource, shots):
    with Start(["wine", zarn_exe], gui_resource, ("test", e2e.TEST_TIMBRE)) as p:
        e2e.screenshot(p.main, os.path.join(shots, "windows-main.png"))
        sound = e2e.play_key(p.run, p.main, record, held=1.5)
        check(abs(sound.frequency - 440.0) < 1.0, "note 81 sounds at 440 Hz (measured %.2f Hz)" % sound.frequency)
        check(sound.end - sound.onset > 1.5 + 0.2, "the release and the echo ring on after the key is let go")
        close_and_wait(p.run, p.main)


def scenario_timbres(zarn_exe, gui_resource, shots, linux_zarn, linux_gui_resource):
    """A timbre file saved by the Windows program loads in the Linux program and the other way
    round; the Linux program writes the timbre it loaded back byte for byte as Windows wrote it."""
    windows_command = ["wine", zarn_exe]
    folder = e2e.tempfile.mkdtemp(prefix="zarn-timbres-")
    from_windows = os.path.join(folder, "from-windows")
    from_linux = os.path.join(folder, "from-linux")
    os.makedirs(from_windows)
    os.makedirs(from_linux)
    try:
        with Start(windows_command, gui_resource, ("cross", CROSS_TIMBRE)) as p:
            check(abs(p.pitch() - 880.0) < 2.0, "Windows: the timbre to save is in force")
            file_dialog(p.run, p.main, 677 + 25, SAVE_TITLE, os.path.join(from_windows, "cross"))
            check(os.path.isfile(os.path.join(from_windows, "cross.xml")), "Windows: saving writes cross.xml")
            close_and_wait(p.run, p.main)

        with Start(linux_zarn, linux_gui_resource, ("plain", e2e.TEST_TIMBRE)) as p:
            check(abs(p.pitch() - 440.0) < 1.0, "Linux: starts with its own preset")
            e2e.file_dialog(p.run, p.main, 727 + 25, os.path.join(from_windows, "cross.xml"))
            check(abs(p.pitch() - 880.0) < 2.0, "Linux: the file saved on Windows loads")
            e2e.file_dialog(p.run, p.main, 677 + 25, os.path.join(from_linux, "cross"))
            close_and_wait(p.run, p.main)

        with open(os.path.join(from_windows, "cross.xml"), "rb") as f:
            windows_bytes = f.read()
        with open(os.path.join(from_linux, "cross.xml"), "rb") as f:
            linux_bytes = f.read()
        print(linux_bytes.decode())
        check(windows_bytes == linux_bytes, "the Linux program writes the loaded timbre back byte for byte")

        with Start(windows_command, gui_resource, ("plain", e2e.TEST_TIMBRE)) as p:
            check(abs(p.pitch() - 440.0) < 1.0, "Windows: starts with its own preset")
            file_dialog(p.run, p.main, 727 + 25, LOAD_TITLE, os.path.join(from_linux, "cross.xml"))
            check(abs(p.pitch() - 880.0) < 2.0, "Windows: the file saved on Linux loads")
            e2e.screenshot(p.main, os.path.join(shots, "windows-timbres.png"))
            close_and_wait(p.run, p.main)
    finally:
        e2e.shutil.rmtree(folder, ignore_errors=True)


def scenario_editor(host_exe, plugin_dll, shots):
    """The plug-in's editor in a window of a Windows host (tests/windows/EditorHost.cpp): it
    paints the panel there, and a key clicked on its keyboard plays and comes back to the host."""
    host = e2e.subprocess.Popen(["wine", host_exe, plugin_dll, "30"], stdout=e2e.subprocess.PIPE, text=True)
    try:
        found = wait_for(lambda: xdo("search", "--onlyvisible", "--name", "^zarN editor host$"), 20)
        check(len(found) == 1, "the host's window shows")
        window = found[0]
        check(e2e.geometry(window)[2:] == (800, 550), "it has the editor's size, 800 by 550")
        xdo("mousemove", 1270, 890)  # away from the controls, which show tooltips
        shot = os.path.join(shots, "windows-editor.png")

        counted = []

        def colours():
            # The first paint of the panel's images can take seconds when Wine runs emulated.
            time.sleep(0.5)
            e2e.screenshot(window, shot)
            counted.append(int(e2e.subprocess.run(["convert", shot, "-format", "%k", "info:"],
                                                  capture_output=True, text=True).stdout))
            return counted[-1]

        painted = wait_for(lambda: colours() > 100, 30)
        check(painted, "the editor paints the panel in the host's window (%d colours)" % counted[-1])

        # Note 81 on the editor's keyboard, as on the program's panel.
        xdo("mousemove", "--window", window, 301 + 16 * 17 + 8, 463 + 60)
        time.sleep(0.3)
        xdo("mousedown", 1)
        time.sleep(0.5)
        xdo("mouseup", 1)

        output, _ = host.communicate(timeout=60)
    finally:
        if host.poll() is None:
            host.kill()
            host.wait()
    print(output)
    check(host.returncode == 0, "the host's requests are answered, and the editor closes")
    check("editor window 800x550 at 0,0 in the host window" in output, "the editor's window fills the host's")
    note_ons = int(e2e.re.search(r"note-ons from the plug-in (\d+)", output).group(1))
    loudest = float(e2e.re.search(r"loudest sample ([0-9.]+)", output).group(1))
    check(note_ons >= 1, "the clicked key comes back to the host as a note-on")
    check(loudest > 0.01, "and it sounds (loudest sample %.3f)" % loudest)


if __name__ == "__main__":
    name = sys.argv[1]
    exe, resources, shots_dir = (os.path.abspath(a) for a in sys.argv[2:5])
    if name == "program":
        scenario_program(exe, resources, shots_dir)
    elif name == "editor":
        scenario_editor(exe, resources, shots_dir)
    elif name == "timbres":
        scenario_timbres(exe, resources, shots_dir, os.path.abspath(sys.argv[5]), os.path.abspath(sys.argv[6]))
    else:
        fail("no scenario " + name)
    print("PASS")
