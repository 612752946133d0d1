#!/usr/bin/python3
"""Runs the standalone program as a user would: under the test Xvfb, with ALSA's default device
routed into the test JACK server (or, for no-device, a default device that can't open and no JACK
server), driven with xdotool and recorded from the JACK graph with jack_rec.

usage: e2e.py SCENARIO ZARN_BINARY GUI_RESOURCE_DIR SHOTS_DIR
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import wave

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from xdriver import check, click_in_window, fail, screenshot, wait_for, xdo  # noqa: E402

RATE = 44100
JACK_ASOUNDRC = """pcm.!default { type plug; slave.pcm "j" }
pcm.j { type jack; playback_ports { 0 system:playback_1 1 system:playback_2 } }
"""
BROKEN_ASOUNDRC = """pcm.!default { type hw; card 63 }
ctl.!default { type hw; card 63 }
"""

# One timbre whose sound is easy to measure: a sine on the first oscillator only, the filter open
# (switched off, it silences the voices), no LFO, a 300 ms release and a short echo.
TEST_TIMBRE = dict(
    osc0switch=1, osc0wave=3, osc0lvl=0.8, osc0dtn=0, osc0cent=0, osc0pw=0.5, osc0double=0,
    osc1switch=0, osc1wave=0, osc1lvl=0, osc1dtn=0, osc1cent=0, osc1pw=0.5, osc1double=0,
    osc2switch=0, osc2wave=0, osc2lvl=0, osc2dtn=0, osc2cent=0, osc2pw=0.5, osc2double=0,
    moogSwitch=1, moogAtk=1, moogDcy=1, moogSus=1, moogRls=1, moogCutoff=5000, moogRes=0, moogDepth=0,
    ampGain=0.8, ampAtk=3, ampDcy=10, ampSus=1, ampRls=300, delayFbk=0.3, delayLvl=0.3,
    lfoSwitch=0, lfoWave=5, lfoRate=0, lfoDepth=0, eqSwitch=0,
    eq0=0, eq1=0, eq2=0, eq3=0, eq4=0, eq5=0, eq6=0, eq7=0)

# Where the panel sits inside the window that JUCE's own title bar frames.
PANEL_X, PANEL_Y = 1, 27
MAIN_TITLE = "^zarN$"
WELCOME_TITLE = "^zarN Synth bids you Welcome!$"


def timbres_xml(*timbres):
    elements = "".join("  <%s %s/>\n" % (name, " ".join('%s="%s"' % kv for kv in settings.items()))
                       for name, settings in timbres)
    return '<?xml version="1.0" encoding="UTF-8"?>\n<PRESETS>\n%s</PRESETS>\n' % elements


def timbre_xml(name, settings):
    return timbres_xml((name, settings))


def windows(pid, title):
    return xdo("search", "--all", "--onlyvisible", "--pid", pid, "--name", title)


def geometry(window):
    values = {}
    for line in subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                               capture_output=True, text=True).stdout.split():
        key, _, value = line.partition("=")
        values[key] = int(value) if value.isdigit() else value
    return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]


def click_menu_item(menu, x, y):
    # JUCE's menus ignore a click that comes at once after they open, and find the item under the
    # mouse on their own timer: let both pass.
    time.sleep(0.4)
    click_in_window(menu, x, y, settle=0.4)


def close_main_window(window):
    _, _, width, _ = geometry(window)
    click_in_window(window, width - 19, 13)  # JUCE's own close button


class Run:
    """One start of the program in a private home and working directory. `zarn` is the program's
    path, or a command that starts it (such as ["wine", path])."""

    def __init__(self, zarn, gui_resource, asoundrc, env_extra, presets=None, prepare=None):
        self.root = tempfile.mkdtemp(prefix="zarn-e2e-")
        self.home = os.path.join(self.root, "home")
        self.work = os.path.join(self.root, "work")
        os.makedirs(self.home)
        os.makedirs(self.work)
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write(asoundrc)
        if prepare is None:
            os.symlink(gui_resource, os.path.join(self.work, "GUI Resource"))
        else:
            # A folder of its own, whose files `prepare` may replace.
            resources = os.path.join(self.work, "GUI Resource")
            os.makedirs(resources)
            for name in os.listdir(gui_resource):
                os.symlink(os.path.join(gui_resource, name), os.path.join(resources, name))
            prepare(self.work)
        if presets is not None:
            with open(os.path.join(self.work, "presets.xml"), "w") as f:
                f.write(presets)
        env = dict(os.environ, HOME=self.home, **env_extra)
        # The framework loads Xlib itself and unloads it at the end, which leaves Xlib's own
        # allocations unreachable to the leak checker of sanitizer builds: keep it loaded.
        env["LD_PRELOAD"] = "libX11.so.6"
        env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "") + ":verify_asan_link_order=0"
        command = zarn if isinstance(zarn, list) else [zarn]
        self.process = subprocess.Popen(command, cwd=self.work, env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.pid = self.process.pid

    def wait(self, timeout=20):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            fail("the program did not end")

    def cleanup(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.root, ignore_errors=True)


def zarn_ports(pid):
    ports = subprocess.run(["jack_lsp"], capture_output=True, text=True).stdout.split("\n")
    return sorted(p for p in ports if re.search(r"\.%d\.\d+:out_\d+$" % pid, p))


def read_wav(path):
    with wave.open(path) as w:
        frames = w.readframes(w.getnframes())
        channels = w.getnchannels()
        scale = float(2 ** (8 * w.getsampwidth() - 1))
        dtype = {2: np.int16, 4: np.int32}[w.getsampwidth()]
    return np.frombuffer(frames, dtype=dtype).reshape(-1, channels).astype(np.float64) / scale


def pitch_of(signal):
    window = signal * np.hanning(len(signal))
    spectrum = np.abs(np.fft.rfft(window, n=8 * len(window)))
    frequencies = np.fft.rfftfreq(8 * len(window), 1.0 / RATE)
    return frequencies[np.argmax(spectrum)]


class Sound:
    pass


def jack_recorder(ports):
    """Records `ports` of the JACK graph: a recorder for play_key."""
    def record(path, seconds):
        return subprocess.Popen(["jack_rec", "-f", path, "-d", str(seconds), "-b", "16"] + ports,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return record


def play_key(run, main, record, held=1.0, lead=1.5, seconds=None):
    """Holds the key of note 81 on the on-screen keyboard while the program is recorded: `record`
    (path, seconds) starts a process that writes `seconds` of the program's output to a 16-bit
    WAV file at `path` and then ends."""
    seconds = seconds or int(lead + held + 3)
    recording = os.path.join(run.root, "rec.wav")
    recorder = record(recording, seconds)
    time.sleep(lead)

    # Note 81, the 17th white key from note 53, low on the key, below the black keys.
    xdo("mousemove", "--window", main, PANEL_X + 301 + 16 * 17 + 8, PANEL_Y + 463 + 60)
    time.sleep(0.2)
    xdo("mousedown", 1)
    time.sleep(held)
    xdo("mouseup", 1)
    recorder.wait(timeout=seconds + 10)

    audio = read_wav(recording)
    os.remove(recording)
    left = audio[:, 0]
    loud = np.nonzero(np.abs(left) > 0.01)[0]
    check(len(loud) > 0, "the click sounds")
    sound = Sound()
    sound.onset, sound.end, sound.length = loud[0] / RATE, loud[-1] / RATE, len(left) / RATE
    sound.silent_before = np.max(np.abs(audio[: max(0, int((sound.onset - 0.2) * RATE))])) == 0.0
    sound.frequency = pitch_of(left[int((sound.onset + 0.1) * RATE): int((sound.onset + held - 0.1) * RATE)])
    print("sound from %.3f s to %.3f s of %.3f s at %.2f Hz" % (sound.onset, sound.end, sound.length, sound.frequency))
    return sound


def startup_windows(run, reading=0.0):
    """The welcome window comes first, then the main window about two seconds later. `reading`:
    the seconds that reading a large presets.xml may add to the panel's construction."""
    welcome = wait_for(lambda: windows(run.pid, WELCOME_TITLE))
    check(bool(welcome), "the welcome window appears")
    shown_at = time.monotonic()
    # It shows from the start of the panel's construction and moves into place at its end (under
    # Wine, too, the window shows before the layout has moved it).
    placed = wait_for(lambda: geometry(welcome[0]) == (480, 254, 334, 240), 5 + reading)
    check(placed, "the welcome window sits at (480, 254), 334 by 240: %s" % (geometry(welcome[0]),))
    check(not windows(run.pid, MAIN_TITLE), "the main window is hidden while the welcome window shows")

    main = wait_for(lambda: windows(run.pid, MAIN_TITLE))
    check(bool(main), "the main window comes up")
    waited = time.monotonic() - shown_at
    check(waited > 1.0, "the main window comes up after the welcome time (%.2f s)" % waited)
    check(wait_for(lambda: not windows(run.pid, WELCOME_TITLE), 5), "the welcome window is gone")
    x, y, width, height = geometry(main[0])
    check((width, height) == (800 + 2 * PANEL_X, 550 + PANEL_Y + PANEL_X), "the main window fits the 800 by 550 panel")
    check((x, y) == ((1280 - width) // 2, (900 - height) // 2), "the main window is centred")
    return main[0]


def scenario_play(zarn, gui_resource, shots):
    run = Run(zarn, gui_resource, JACK_ASOUNDRC, {}, timbre_xml("test", TEST_TIMBRE))
    try:
        main = startup_windows(run)
        screenshot(main, os.path.join(shots, "main.png"))

        ports = wait_for(lambda: zarn_ports(run.pid), 5)
        check(len(ports) == 2, "the program plays into JACK through ALSA's default device: %s" % ports)

        sound = play_key(run, main, jack_recorder(ports), held=1.5)
        check(sound.onset > 1.0, "silence before the click")
        check(sound.silent_before, "exact silence before the note")
        check(abs(sound.frequency - 440.0) < 1.0, "note 81 sounds at 440 Hz (measured %.2f Hz)" % sound.frequency)
        check(sound.end - sound.onset > 1.5 + 0.2, "the release and the echo ring on after the key is let go")
        check(sound.end < sound.length - 0.3, "the sound dies away")

        close_main_window(main)
        check(run.wait() == 0, "closing the main window ends the program with status 0")
    finally:
        run.cleanup()


def scenario_no_device(zarn, gui_resource, shots):
    run = Run(zarn, gui_resource, BROKEN_ASOUNDRC,
              {"JACK_DEFAULT_SERVER": "zarn-no-such-server", "JACK_NO_START_SERVER": "1"})
    try:
        box = wait_for(lambda: windows(run.pid, MAIN_TITLE))
        check(len(box) == 1, "one warning box titled zarN appears")
        _, _, width, height = geometry(box[0])
        check((width, height) != (802, 578), "it is the box, not the main window (%d by %d)" % (width, height))
        check(not windows(run.pid, WELCOME_TITLE), "nothing else starts while the box waits")
        screenshot(box[0], os.path.join(shots, "no-device.png"))

        click_in_window(box[0], width // 2, 20)
        xdo("key", "Return")
        check(wait_for(lambda: not windows(run.pid, MAIN_TITLE) or windows(run.pid, WELCOME_TITLE), 10),
              "the box goes away when dismissed")

        main = startup_windows(run)
        check(len(windows(run.pid, MAIN_TITLE)) == 1, "no second box")
        check(not zarn_ports(run.pid), "the program stays unconnected")
        close_main_window(main)
        check(run.wait() == 0, "closing the main window ends the program with status 0")
    finally:
        run.cleanup()


def other_window(run, exclude):
    found = [w for w in windows(run.pid, ".") if w not in exclude]
    return found[0] if len(found) == 1 else None


def choose_preset(run, main, index, count):
    """Opens the presets box and clicks its item `index` of `count`."""
    click_in_window(main, PANEL_X + 537 + 70, PANEL_Y + 68 + 12)
    menu = wait_for(lambda: windows(run.pid, "^menu$"), 5)
    check(bool(menu), "the preset list opens")
    _, _, width, height = geometry(menu[0])
    click_menu_item(menu[0], width // 2, int((index + 0.5) * height / count))
    check(wait_for(lambda: not windows(run.pid, "^menu$"), 5), "the preset list closes")
    time.sleep(0.3)


def file_dialog(run, main, button_x, path):
    """Clicks the save or load button and answers JUCE's own file dialog with a full path."""
    click_in_window(main, PANEL_X + button_x, PANEL_Y + 68 + 12)
    dialog = wait_for(lambda: other_window(run, [main]), 10)
    check(dialog is not None, "the file dialog opens: %s" % " ".join(xdo("getwindowname", dialog)))
    _, _, width, height = geometry(dialog)
    click_in_window(dialog, width // 2, height - 63)  # the file name box above the buttons
    time.sleep(0.2)
    xdo("type", "--delay", 5, path)
    time.sleep(0.2)
    xdo("key", "Return")
    time.sleep(0.5)
    xdo("key", "Return")
    check(wait_for(lambda: other_window(run, [main]) is None, 10), "the file dialog closes")
    time.sleep(0.3)


def scenario_timbres(zarn, gui_resource, shots):
    higher = dict(TEST_TIMBRE, osc0dtn=12)
    run = Run(zarn, gui_resource, JACK_ASOUNDRC, {}, timbres_xml(("first", TEST_TIMBRE), ("second", higher)))
    try:
        main = startup_windows(run)
        ports = wait_for(lambda: zarn_ports(run.pid), 5)
        check(len(ports) == 2, "the program plays into JACK")

        def pitch():
            return play_key(run, main, jack_recorder(ports), held=0.8, lead=0.8).frequency

        check(abs(pitch() - 440.0) < 1.0, "the first listed preset is in force")
        choose_preset(run, main, 1, 2)
        check(abs(pitch() - 880.0) < 2.0, "choosing the second preset changes the sound (12 semitones up)")

        saved = os.path.join(run.work, "saved")
        file_dialog(run, main, 677 + 25, saved)
        check(os.path.isfile(saved + ".xml"), "saving through the dialog writes saved.xml")
        with open(saved + ".xml") as f:
            text = f.read()
        check("<USERTIMBRE>" in text and "<saved " in text and 'osc0dtn="12"' in text,
              "the file holds the timbre named saved as it sounds")

        choose_preset(run, main, 0, 2)
        check(abs(pitch() - 440.0) < 1.0, "back on the first preset")
        file_dialog(run, main, 727 + 25, saved + ".xml")
        check(abs(pitch() - 880.0) < 2.0, "loading the file through the dialog brings its sound back")

        screenshot(main, os.path.join(shots, "timbres.png"))
        close_main_window(main)
        check(run.wait() == 0, "closing the main window ends the program with status 0")
    finally:
        run.cleanup()


def options_menu(run, main, item_y, chosen=None):
    # Opens the options menu and clicks an item. On a loaded machine a click can reach the menu
    # before it takes clicks; then the menu is dismissed or stays open, and the choice is tried
    # again, until `chosen` (when given) reports that the item took effect.
    for attempt in range(4):
        menus = windows(run.pid, "^menu$")
        if not menus:
            click_in_window(main, PANEL_X + 12 + 27, PANEL_Y + 15 + 10)
            menus = wait_for(lambda: windows(run.pid, "^menu$"), 5)
            check(bool(menus), "the options menu opens")
        click_menu_item(menus[0], 40, item_y)
        wait_for(lambda: not windows(run.pid, "^menu$"), 3)
        if chosen is None or wait_for(chosen, 5):
            return


def scenario_options(zarn, gui_resource, shots):
    run = Run(zarn, gui_resource, JACK_ASOUNDRC, {})
    try:
        main = startup_windows(run)

        options_menu(run, main, 13, lambda: windows(run.pid, "^zarN audio settings$"))  # "Audio settings"
        dialog = wait_for(lambda: windows(run.pid, "^zarN audio settings$"), 10)
        check(bool(dialog), "Audio settings opens the dialog titled zarN audio settings")
        x, y, width, height = geometry(dialog[0])
        mx, my, _, _ = geometry(main)
        check((x + width // 2, y + height // 2) == (mx + PANEL_X + 400, my + PANEL_Y + 275),
              "the dialog is centred around the panel")
        check(width >= 500 and height >= 400, "the dialog holds the 500 by 400 selector (%d by %d)" % (width, height))
        screenshot(dialog[0], os.path.join(shots, "audio-settings.png"))
        click_in_window(dialog[0], 20, height - 10)
        xdo("key", "Escape")
        check(wait_for(lambda: not windows(run.pid, "^zarN audio settings$"), 10), "Escape closes it")

        options_menu(run, main, 35, lambda: windows(run.pid, WELCOME_TITLE))  # "About"
        about = wait_for(lambda: windows(run.pid, WELCOME_TITLE), 10)
        check(bool(about), "About shows the welcome window")
        check(geometry(about[0]) == (480, 254, 334, 240), "at (480, 254), 334 by 240")
        options_menu(run, main, 35)
        time.sleep(0.5)
        check(len(windows(run.pid, WELCOME_TITLE)) == 1, "About again leaves one such window")

        options_menu(run, main, 67, lambda: run.process.poll() is not None)  # "Quit"
        check(run.wait() == 0, "Quit ends the program with status 0")
    finally:
        run.cleanup()


HOSTILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "hostile")


def put(relative_path, make):
    """A preparation that replaces a file of the working directory with what `make` makes there."""
    def prepare(work):
        path = os.path.join(work, relative_path)
        if os.path.lexists(path):
            os.remove(path)
        make(path)
    return prepare


def copy_of(source):
    return lambda path: shutil.copyfile(source, path)


def sparse(size):
    def make(path):
        with open(path, "wb") as f:
            f.truncate(size)
    return make


def text_of(text):
    def make(path):
        with open(path, "w") as f:
            f.write(text)
    return make


def every_picture(source):
    def prepare(work):
        for name in os.listdir(os.path.join(work, "GUI Resource")):
            put(os.path.join("GUI Resource", name), copy_of(source))(work)
    return prepare


def hostile_cases():
    """(name, preparation, seconds that reading the file may add to the start)."""
    cases = [(os.path.basename(f) + " as presets.xml", put("presets.xml", copy_of(f)), 0)
             for f in sorted(glob.glob(os.path.join(HOSTILE, "*.xml")))]
    cases += [(os.path.basename(f) + " as background.png", put("GUI Resource/background.png", copy_of(f)), 0)
              for f in sorted(glob.glob(os.path.join(HOSTILE, "*.png")))]
    cases += [
        ("corrupt.png as every picture", every_picture(os.path.join(HOSTILE, "corrupt.png")), 0),
        ("a sparse file of 200 MB as presets.xml", put("presets.xml", sparse(200 * 1024 * 1024)), 0),
        ("a pipe without a writer as presets.xml", put("presets.xml", lambda path: os.mkfifo(path)), 0),
        ("a folder as presets.xml", put("presets.xml", os.mkdir), 0),
        # 6.5 MB that the start-up reads three times (the list, "default", the first timbre): well
        # under a second in a Release build, many seconds under a sanitizer.
        ("10,000 timbres as presets.xml", put("presets.xml", text_of(
            timbres_xml(*[("t%d" % i, TEST_TIMBRE) for i in range(10000)]))), 60),
    ]
    return cases


def scenario_hostile(zarn, gui_resource, shots):
    """Each kind of hostile file in the program's way at start-up: the main window comes up, the
    panel answers a click, and closing ends the program with status 0."""
    for name, prepare, reading in hostile_cases():
        print("-- " + name)
        started = time.monotonic()
        run = Run(zarn, gui_resource, JACK_ASOUNDRC, {}, prepare=prepare)
        try:
            main = startup_windows(run, reading)
            print("   the main window came up %.1f s after the start" % (time.monotonic() - started))
            click_in_window(main, PANEL_X + 12 + 27, PANEL_Y + 15 + 10)  # "Options"
            check(bool(wait_for(lambda: windows(run.pid, "^menu$"), 10)), "the panel answers a click: its menu opens")
            xdo("key", "Escape")
            check(wait_for(lambda: not windows(run.pid, "^menu$"), 10), "and closes")
            close_main_window(main)
            check(run.wait() == 0, "closing the main window ends the program with status 0")
        finally:
            run.cleanup()


SCENARIOS = {"play": scenario_play, "no-device": scenario_no_device, "timbres": scenario_timbres,
             "options": scenario_options, "hostile": scenario_hostile}

if __name__ == "__main__":
    name, zarn_binary, resource_dir, shots_dir = sys.argv[1:5]
    SCENARIOS[name](os.path.abspath(zarn_binary), os.path.abspath(resource_dir), os.path.abspath(shots_dir))
    print("PASS")
