#!/usr/bin/env python3
"""Start-up, memory and idle of the calculator window beside a bare Qt window.

Runs bench_window_startup (the program's main.cpp with the paint probe) and
bench_bare_window (a 657x548 window with one label, the toolkit's floor)
several times, alternating, under QT_QPA_PLATFORM=offscreen and under an Xvfb
it starts itself, and prints Markdown tables of the medians with the ratio of
window to bare. Start-up is from just before the process is started to the
end of its first paint pass; memory is the peak resident set (VmHWM, which
is also getrusage's ru_maxrss of the child).

    python3 bench/startup.py [--build build/perf] [--runs 9] [--idle-runs 3]

The machine is usually shared: every figure is the median of alternating
runs, and the spread (min-max) is printed beside it.
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# Fontconfig set-up that hides the Noto CJK fonts, to show what they cost.
NO_CJK_CONF = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <selectfont><rejectfont>
    <glob>*/NotoSansCJK*</glob><glob>*/NotoSerifCJK*</glob>
  </rejectfont></selectfont>
</fontconfig>
"""


def run_probe(exe, env):
    """Starts exe once; returns the probe's key=value lines as ints, plus
    start-up times in ms and the child's ru_maxrss."""
    start = time.monotonic_ns()  # CLOCK_MONOTONIC, as the probe's steady_clock
    proc = subprocess.Popen([exe], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0:
        raise RuntimeError(f"{exe} exited with {proc.returncode}")
    values = {}
    for line in out.split():
        key, _, value = line.partition("=")
        values[key] = int(value)
    if "first_frame_ns" not in values:
        raise RuntimeError(f"{exe} reported no paint: {out!r}")
    values["startup_ms"] = (values["first_frame_ns"] - start) / 1e6
    values["first_paint_ms"] = (values["first_paint_ns"] - start) / 1e6
    values["maxrss_kb"] = usage.ru_maxrss
    return values


def alternate(exes, env, runs):
    """runs rounds; each round runs every exe once, in an order that flips
    every round, so drift in the machine's load hits both alike."""
    results = {exe: [] for exe in exes}
    for i in range(runs):
        for exe in exes if i % 2 == 0 else list(reversed(exes)):
            results[exe].append(run_probe(exe, env))
    return results


def med(rows, key):
    values = [r[key] for r in rows]
    return statistics.median(values), min(values), max(values)


def start_xvfb():
    """Starts Xvfb on a free display (it picks one itself); returns (proc, display)."""
    read_fd, write_fd = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
        pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as pipe:
        number = pipe.readline().strip()
    if not number:
        proc.kill()
        raise RuntimeError("Xvfb did not start")
    return proc, ":" + number


def base_env(platform, display=None, fontconfig=None):
    env = dict(os.environ)
    env["QT_QPA_PLATFORM"] = platform
    env.setdefault("XDG_RUNTIME_DIR", tempfile.gettempdir())
    for key in ("SCREENCALC_PROBE_IDLE_MS", "SCREENCALC_PROBE_QUIT_MS", "FONTCONFIG_FILE"):
        env.pop(key, None)
    if display:
        env["DISPLAY"] = display
        env.pop("XAUTHORITY", None)
    if fontconfig:
        env["FONTCONFIG_FILE"] = fontconfig
    return env


def fmt(triple, unit, digits=1):
    m, lo, hi = triple
    return f"{m:.{digits}f} {unit} ({lo:.{digits}f}–{hi:.{digits}f})"


def startup_table(label, results, window, bare):
    w, b = results[window], results[bare]
    ws, bs = med(w, "startup_ms"), med(b, "startup_ms")
    wm = med(w, "maxrss_kb")
    bm = med(b, "maxrss_kb")
    mb = lambda t: tuple(v / 1024 for v in t)
    return (f"| {label} | {fmt(ws, 'ms')} | {fmt(bs, 'ms')} | {ws[0] / bs[0]:.2f} "
            f"| {fmt(mb(wm), 'MiB')} | {fmt(mb(bm), 'MiB')} | {wm[0] / bm[0]:.2f} |")


def recalc_table(build):
    exe = os.path.join(build, "bench", "bench_recalc")
    out = subprocess.run([exe, "--benchmark_format=json", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    print("| Benchmark | ns per call (median of 5) |")
    print("|---|---|")
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            print(f"| {b['run_name']} | {b['real_time']:.1f} |")
    print()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build/perf", help="build directory (bench on)")
    parser.add_argument("--runs", type=int, default=9, help="start-up rounds per set-up")
    parser.add_argument("--idle-runs", type=int, default=3, help="idle rounds (11 s each)")
    parser.add_argument("--idle-seconds", type=float, default=10.0)
    parser.add_argument("--no-xvfb", action="store_true", help="offscreen only")
    parser.add_argument("--no-fonts", action="store_true", help="skip the run without CJK fonts")
    parser.add_argument("--recalc", action="store_true", help="also run bench_recalc")
    args = parser.parse_args()

    window = os.path.join(args.build, "bench", "bench_window_startup")
    bare = os.path.join(args.build, "bench", "bench_bare_window")
    for exe in (window, bare):
        if not os.access(exe, os.X_OK):
            sys.exit(f"no {exe}: configure with -DSCREENCALC_BUILD_BENCH=ON and build")

    if args.recalc:
        recalc_table(args.build)

    xvfb, display = (None, None)
    if not args.no_xvfb:
        if shutil.which("Xvfb") is None:
            sys.exit("Xvfb is not installed (apt-get install xvfb), or pass --no-xvfb")
        xvfb, display = start_xvfb()
    tmp = tempfile.mkdtemp(prefix="screencalc-bench-")
    try:
        print(f"Start-up to the end of the first paint, and peak resident memory: median "
              f"(min–max) of {args.runs} alternating runs each.\n")
        print("| Platform | Window start-up | Bare start-up | Ratio | Window memory "
              "| Bare memory | Ratio |")
        print("|---|---|---|---|---|---|---|")
        setups = [("offscreen", base_env("offscreen"))]
        if not args.no_fonts:
            conf = os.path.join(tmp, "no-cjk.conf")
            with open(conf, "w") as f:
                f.write(NO_CJK_CONF)
            setups.append(("offscreen, no CJK fonts", base_env("offscreen", fontconfig=conf)))
        if xvfb:
            setups.append(("xcb (Xvfb)", base_env("xcb", display)))
        for label, env in setups:
            results = alternate([window, bare], env, args.runs)
            print(startup_table(label, results, window, bare), flush=True)

        if xvfb and args.idle_runs > 0:
            env = base_env("xcb", display)
            env["SCREENCALC_PROBE_IDLE_MS"] = str(int(args.idle_seconds * 1000))
            results = alternate([window, bare], env, args.idle_runs)
            print(f"\nAt rest under Xvfb for {args.idle_seconds:g} s after a 1 s settle, clock "
                  f"running: median (min–max) of {args.idle_runs} runs.\n")
            print("| Program | CPU (/proc utime+stime) | CPU (getrusage) | Share of one core "
                  "| `temdate` repaints per s | All paint events per s |")
            print("|---|---|---|---|---|---|")
            for name, exe in (("window", window), ("bare", bare)):
                rows = results[exe]
                for r in rows:
                    seconds = r["idle_wall_ns"] / 1e9
                    r["ticks_ms"] = r["idle_cpu_ticks"] * 1000 / r["clock_ticks_per_s"]
                    r["rusage_ms"] = r["idle_cpu_us"] / 1000
                    r["share"] = 100 * r["idle_cpu_us"] / 1e6 / seconds
                    r["temdate_rate"] = r["idle_temdate_paints"] / seconds
                    r["paint_rate"] = r["idle_paints"] / seconds
                print(f"| {name} | {fmt(med(rows, 'ticks_ms'), 'ms', 0)} "
                      f"| {fmt(med(rows, 'rusage_ms'), 'ms')} | {fmt(med(rows, 'share'), '%', 2)} "
                      f"| {fmt(med(rows, 'temdate_rate'), '', 2)} "
                      f"| {fmt(med(rows, 'paint_rate'), '', 2)} |")
    finally:
        shutil.rmtree(tmp, ignore_errors=True)
        if xvfb:
            xvfb.terminate()
            xvfb.wait()


if __name__ == "__main__":
    main()
