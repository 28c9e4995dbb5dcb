#!/usr/bin/env python3
"""Side-by-side throughput of vorel-convert, the byte-pass reference, cp and the
installed syntax highlighters, file to file, C++ to HTML.

Every tool runs in each round, in rotating order, so load from other work on
the machine hits all of them alike; the median of the rounds counts.  Slow
peers get fewer rounds (--peer-budget).  Peak RSS comes from wait4(), the same
figure /usr/bin/time -f %M prints.  MB means 10^6 bytes throughout.

Usage: bench/compare.py [--vorel PATH] [--config-dir DIR] [--sizes 10 50] ...
Run bench/make_corpus.sh first (or pass --corpus-dir).
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

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MB = 1_000_000

# Targets for vorel-convert on the 10 MB corpus.
TARGET_OF_REFERENCE = 0.5      # at least half the reference's MB/s
TARGET_MODE_OF_DEFAULT = 0.8  # every output mode against the default
TARGET_OVER_PEERS = 30.0       # at least 30 times the fastest peer
RSS_HEADROOM = 16 * MB         # peak RSS at most input size + 16 MB


# vorel-convert's output modes beside the default, for --modes.
MODES = {
    "strict": ["--escape", "strict"],
    "modern": ["--page", "modern"],
    "fragment": ["--page", "modern", "--fragment"],
    "utf-8": ["--charset", "utf-8"],
    "numbered": ["--line-numbers", "1"],
    "modern-numbered": ["--page", "modern", "--line-numbers", "1"],
}


def find_vorel():
    for d in ("perf-native", "native"):
        p = os.path.join(ROOT, "build", d, "bin", "vorel-convert")
        if os.access(p, os.X_OK):
            return p
    return shutil.which("vorel-convert")


def has_section(ini, name):
    try:
        with open(ini, "rb") as f:
            want = ("[" + name + "]").lower().encode()
            return any(line.strip().lower() == want for line in f)
    except OSError:
        return False


def build_reference(out_dir):
    exe = os.path.join(out_dir, "reference")
    subprocess.run(["cc", "-O2", "-o", exe, os.path.join(ROOT, "bench", "reference.c")],
                   check=True)
    return exe


def peer_tools():
    """(name, argv builder) for every peer installed here."""
    tools = []
    if shutil.which("kate-syntax-highlighter"):
        tools.append(("kate-syntax-highlighter", lambda i, o: [
            "kate-syntax-highlighter", "-s", "C++", "-f", "html", "-o", o, i]))
    if shutil.which("highlight"):
        tools.append(("highlight", lambda i, o: [
            "highlight", "-S", "cpp", "-O", "html", "-i", i, "-o", o]))
    # Debian's package first; a pip one elsewhere on PATH is a different version.
    pyg = "/usr/bin/pygmentize" if os.access("/usr/bin/pygmentize", os.X_OK) \
        else shutil.which("pygmentize")
    if pyg:
        tools.append(("pygmentize", lambda i, o, p=pyg: [
            p, "-l", "cpp", "-f", "html", "-o", o, i]))
    if shutil.which("source-highlight"):
        tools.append(("source-highlight", lambda i, o: [
            "source-highlight", "-s", "cpp", "-f", "html", "-i", i, "-o", o]))
    return tools


def run_once(argv, out_path, log, rss_file=None):
    """Runs argv; returns (seconds, peak RSS KiB or None, output bytes, CPU seconds), or
    None on failure.

    With rss_file the tool runs under /usr/bin/time, which adds a few ms of
    start-up.  wait4() on our own child is no use for RSS: Linux carries the
    forking Python process's high-water mark across exec.
    """
    if os.path.exists(out_path):
        os.unlink(out_path)  # every tool starts from no output file
    if rss_file:
        argv = ["/usr/bin/time", "-f", "%M", "-o", rss_file] + argv
    start = time.perf_counter()
    proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=log)
    _, status, usage = os.wait4(proc.pid, 0)
    secs = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0 or not os.path.exists(out_path):
        return None
    rss = None
    if rss_file:
        with open(rss_file) as f:
            rss = int(f.read().split()[-1])
    # User + system CPU seconds: steadier than wall time when others load the machine.
    return secs, rss, os.path.getsize(out_path), usage.ru_utime + usage.ru_stime


def measure(tools, corpus, rounds, budget, work, log):
    """Interleaved rounds over tools; returns (corpus bytes, {name: result dict})."""
    size = os.path.getsize(corpus)
    rss_file = os.path.join(work, "rss")
    # Fast tools: one untimed run under /usr/bin/time gives the peak RSS and
    # warms the page cache.  Slow ones run under it every time; the few ms do
    # not show in their seconds.
    peak = {}
    for name, build, slow in tools:
        if not slow:
            out = os.path.join(work, "out-" + name)
            res = run_once(build(corpus, out), out, log, rss_file)
            if res:
                peak[name] = res[1]
    runs = {name: [] for name, _, _ in tools}
    limit = {name: rounds for name, _, _ in tools}
    failed = set()
    for r in range(rounds):
        order = tools[r % len(tools):] + tools[:r % len(tools)]
        for name, build, slow in order:
            if name in failed or len(runs[name]) >= limit[name]:
                continue
            out = os.path.join(work, "out-" + name)
            log.write(f"--- {name} round {r + 1}\n".encode())
            log.flush()
            res = run_once(build(corpus, out), out, log, rss_file if slow else None)
            if res is None:
                failed.add(name)
                print(f"  {name}: FAILED (see log)", file=sys.stderr)
                continue
            runs[name].append(res)
            if slow and r == 0:
                limit[name] = max(1, min(rounds, int(budget / max(res[0], 1e-3))))
            print(f"  round {r + 1}: {name:24s} {res[0]:8.3f} s", file=sys.stderr)
    results = {}
    for name in runs:
        if name in failed or not runs[name]:
            results[name] = {"failed": True}
            continue
        secs = statistics.median(x[0] for x in runs[name])
        results[name] = {
            "rounds": len(runs[name]),
            "seconds": secs,
            "mb_per_s": size / MB / secs,
            "cpu_seconds": statistics.median(x[3] for x in runs[name]),
            "peak_rss_kib": peak.get(name) or max(x[1] or 0 for x in runs[name]),
            "output_bytes": runs[name][-1][2],
            "all_seconds": [round(x[0], 4) for x in runs[name]],
        }
    return size, results


def print_table(title, size, results):
    print(f"\n{title}: {size} bytes ({size / MB:.2f} MB)")
    print(f"{'tool':24s} {'rounds':>6s} {'median s':>9s} {'MB/s':>9s} {'CPU s':>8s}"
          f" {'MB/CPU s':>9s} {'peak RSS MiB':>12s} {'output MB':>10s}")
    for name, r in results.items():
        if r.get("failed"):
            print(f"{name:24s} FAILED")
            continue
        print(f"{name:24s} {r['rounds']:6d} {r['seconds']:9.3f} {r['mb_per_s']:9.1f}"
              f" {r['cpu_seconds']:8.3f} {size / MB / max(r['cpu_seconds'], 1e-6):9.1f}"
              f" {r['peak_rss_kib'] / 1024:12.1f} {r['output_bytes'] / MB:10.2f}")


def print_ratios(who, results, peers, size):
    """The target ratios of one vorel-convert build against the others of the run."""
    v = results.get(who, {})
    if not v.get("mb_per_s"):
        return
    ref = results.get("reference", {})
    if ref.get("mb_per_s"):
        q = v["mb_per_s"] / ref["mb_per_s"]
        qc = ref["cpu_seconds"] / max(v["cpu_seconds"], 1e-6)
        print(f"{who} / reference: {q:.2f}  (target >= {TARGET_OF_REFERENCE})"
              f"  {'met' if q >= TARGET_OF_REFERENCE else 'MISSED'}"
              f"   [by CPU time: {qc:.2f}]")
    fastest = max(((n, results[n]) for n, _, _ in peers
                   if n in results and results[n].get("mb_per_s")),
                  key=lambda x: x[1]["mb_per_s"], default=None)
    if fastest:
        q = v["mb_per_s"] / fastest[1]["mb_per_s"]
        qc = fastest[1]["cpu_seconds"] / max(v["cpu_seconds"], 1e-6)
        print(f"{who} / fastest peer ({fastest[0]}): {q:.1f}x"
              f"  (target >= {TARGET_OVER_PEERS:.0f}x)"
              f"  {'met' if q >= TARGET_OVER_PEERS else 'MISSED'}"
              f"   [by CPU time: {qc:.1f}x]")
    if v.get("peak_rss_kib"):
        limit = (size + RSS_HEADROOM) / 1024
        print(f"{who} peak RSS: {v['peak_rss_kib'] / 1024:.1f} MiB, limit "
              f"input + 16 MB = {limit / 1024:.1f} MiB"
              f"  {'met' if v['peak_rss_kib'] <= limit else 'MISSED'}")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--corpus-dir", default=os.path.join(ROOT, "build", "bench-corpus"))
    ap.add_argument("--sizes", type=int, nargs="+", default=[10, 50],
                    help="corpus sizes in MB for vorel-convert, reference and cp")
    ap.add_argument("--peer-size", type=int, default=10, help="corpus size in MB for the peers")
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--peer-budget", type=float, default=40.0,
                    help="seconds a slow peer may take in all its rounds together")
    ap.add_argument("--no-peers", action="store_true")
    ap.add_argument("--vorel", default=None, help="vorel-convert binary")
    ap.add_argument("--candidate", default=None,
                    help="a second vorel-convert (say, with a change under test) run in the "
                         "same rounds as 'candidate'")
    ap.add_argument("--config-dir", default=None,
                    help="directory with config.ini (default: the shipped pack when it has "
                         "[C++], else bench/cpp-syntax)")
    ap.add_argument("--syntax", default="C++")
    ap.add_argument("--modes", nargs="+", default=[], choices=sorted(MODES),
                    help="also time vorel-convert in these output modes, rated against its default")
    ap.add_argument("--out", default=None, help="where outputs, log and results.json go")
    args = ap.parse_args()

    work = args.out or tempfile.mkdtemp(prefix="vorel-bench-")
    os.makedirs(work, exist_ok=True)
    log = open(os.path.join(work, "log.txt"), "wb")

    corpora = {}
    for mb in sorted(set(args.sizes + ([] if args.no_peers else [args.peer_size]))):
        p = os.path.join(args.corpus_dir, f"corpus-{mb}mb.cpp")
        if not os.path.exists(p):
            sys.exit(f"{p} missing: run bench/make_corpus.sh {args.corpus_dir} {mb}")
        corpora[mb] = p

    reference = build_reference(work)
    vorel = args.vorel or find_vorel()
    config_dir = args.config_dir
    if vorel and not config_dir:
        shipped = os.path.dirname(os.path.abspath(vorel))
        config_dir = shipped if has_section(os.path.join(shipped, "config.ini"), args.syntax) \
            else os.path.join(ROOT, "bench", "cpp-syntax")

    own = []  # (name, argv builder, slow)
    if vorel:
        own.append(("vorel-convert", lambda i, o: [
            vorel, "--config-dir", config_dir, "--syntax", args.syntax, "--format", "html",
            "-o", o, i], False))
    else:
        print("vorel-convert not found: build it or pass --vorel", file=sys.stderr)
    for mode in args.modes if vorel else []:
        own.append((f"vorel {mode}", lambda i, o, extra=MODES[mode]: [
            vorel, "--config-dir", config_dir, "--syntax", args.syntax, "--format", "html",
            *extra, "-o", o, i], False))
    if args.candidate and config_dir:
        own.append(("candidate", lambda i, o: [
            args.candidate, "--config-dir", config_dir, "--syntax", args.syntax, "--format",
            "html", "-o", o, i], False))
    own.append(("reference", lambda i, o: [reference, i, o], False))
    own.append(("cp", lambda i, o: ["cp", i, o], False))
    peers = [] if args.no_peers else [(n, b, True) for n, b in peer_tools()]

    print(f"date (UTC): {time.strftime('%Y-%m-%d %H:%M', time.gmtime())}")
    print(f"vorel-convert: {vorel or 'not found'}")
    if vorel:
        print(f"config dir: {config_dir} (syntax {args.syntax})")
    print(f"peers: {', '.join(n for n, _, _ in peers) or 'none'}")
    print(f"load average before: {os.getloadavg()[0]:.2f}")

    report = {"vorel": vorel, "config_dir": config_dir, "sizes": {}}
    for mb, corpus in corpora.items():
        tools = list(own) if mb in args.sizes else []
        if mb == args.peer_size:
            tools += peers
        if not tools:
            continue
        print(f"\ncorpus {corpus}", file=sys.stderr)
        size, results = measure(tools, corpus, args.rounds, args.peer_budget, work, log)
        report["sizes"][mb] = {"bytes": size, "results": results}
        print_table(f"{mb} MB corpus", size, results)

        for who in ("vorel-convert", "candidate"):
            print_ratios(who, results, peers, size)
        base = results.get("vorel-convert", {})
        for mode in args.modes:
            r = results.get(f"vorel {mode}", {})
            if not r.get("failed") and not base.get("failed") and base:
                q = r["mb_per_s"] / base["mb_per_s"]
                print(f"vorel {mode}: {r['mb_per_s']:.1f} MB/s, {q:.2f} x the default"
                      f" (target >= {TARGET_MODE_OF_DEFAULT}) {'met' if q >= TARGET_MODE_OF_DEFAULT else 'MISSED'}")
    print(f"\nload average after: {os.getloadavg()[0]:.2f}")
    with open(os.path.join(work, "results.json"), "w") as f:
        json.dump(report, f, indent=2)
    print(f"outputs, log and results.json in {work}")


if __name__ == "__main__":
    main()
