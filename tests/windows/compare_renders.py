#!/usr/bin/python3
"""The Windows library's samples against the Linux library's, for the same scenario: runs the
Linux build's render_scenario program on zarNvst.so and the Windows build's under Wine on
zarNvst.dll, and compares the two renders bit for bit.

usage: compare_renders.py LINUX_PROGRAM LINUX_LIBRARY WINDOWS_PROGRAM WINDOWS_LIBRARY OUT_DIR
"""
import os
import subprocess
import sys

import numpy as np


def render(command, path):
    subprocess.run(command + [path], check=True, timeout=120)
    samples = np.fromfile(path, dtype="<f4")
    if len(samples) == 0:
        sys.exit("FAIL: %s rendered nothing" % command[-2])
    return samples


def main():
    linux_program, linux_library, windows_program, windows_library, out = sys.argv[1:6]
    os.makedirs(out, exist_ok=True)
    linux = render([linux_program, linux_library], os.path.join(out, "linux.f32"))
    windows = render(["wine", windows_program, windows_library], os.path.join(out, "windows.f32"))

    print("%d samples each; peak %.3f" % (len(linux), np.max(np.abs(linux))))
    if not np.all(np.isfinite(linux)) or np.max(np.abs(linux)) < 0.01:
        sys.exit("FAIL: the Linux render is not a finite, audible signal")
    if len(linux) != len(windows):
        sys.exit("FAIL: %d samples from Linux, %d from Windows" % (len(linux), len(windows)))

    differ = np.nonzero(linux.view(np.uint32) != windows.view(np.uint32))[0]
    if len(differ) > 0:
        first = differ[0]
        sys.exit("FAIL: %d samples differ, the first at frame %d (%s %r, Windows %r); largest difference %g"
                 % (len(differ), first // 2, "left" if first % 2 == 0 else "right", linux[first], windows[first],
                    np.max(np.abs(linux.astype(np.float64) - windows))))
    print("PASS: the samples are equal bit for bit")


if __name__ == "__main__":
    main()
