#!/usr/bin/env python3
"""Runs every compiled test program in yav-sim and in the reference simulator shc08 and
compares registers, instruction counts and memory (globals and the stack top).

usage: differential.py YAV_SIM PROGRAM_DIR
Each PROGRAM_DIR/NAME.ihx comes with NAME.map; the run ends when the PC reaches _done.
A self-checking program (check.h: globals checks, failures and failed_line) must also pass
its own checks in both simulators and print "NAME: pass" on yav-sim's console port.
Exit 77 (skipped) when shc08 is not installed.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

# Memory compared after the run: the compiler's data areas and the top of the stack.
RANGES = [(0x0080, 0x04FF), (0x7B00, 0x7FFF)]
MAX_INSTRUCTIONS = 20_000_000
# The I bit differs by design: the reference simulator resets with interrupts enabled, the
# part (and yav-sim) with them masked.
CC_MASK = 0xF7


def map_symbols(map_path):
    """Address of each symbol of the map file (code and data)."""
    symbols = {}
    with open(map_path) as f:
        for line in f:
            m = re.match(r"\s*(?:C:)?\s+([0-9A-Fa-f]{8})\s+(_\w+)\s", line)
            if m:
                symbols.setdefault(m.group(2), int(m.group(1), 16))
    if "_done" not in symbols:
        raise RuntimeError(f"{map_path}: no _done label")
    return symbols


def word(mem, address):
    """A 16-bit global (high byte first) from a memory dump, None when not dumped."""
    if address not in mem or address + 1 not in mem:
        return None
    return mem[address] << 8 | mem[address + 1]


def self_check(name, symbols, mem, where):
    """Problems with a self-checking program's own verdict in one simulator's memory."""
    if "_failures" not in symbols:
        return []
    checks, failures = word(mem, symbols["_checks"]), word(mem, symbols["_failures"])
    if checks is None or failures is None:
        return [f"{where}: the check counters are outside the compared memory"]
    if failures:
        line = word(mem, symbols["_failed_line"])
        return [f"{where}: {failures} of {checks} checks failed (last at line {line})"]
    return [] if checks else [f"{where}: no check ran"]


def run_yav(yav_sim, ihx, done):
    args = [yav_sim, "--chip", "GENERIC", "--console", "--max", str(MAX_INSTRUCTIONS), "--until", hex(done)]
    for lo, hi in RANGES:
        args += ["--dump", f"{hex(lo)},{hi - lo + 1}"]
    out = subprocess.run(args + [ihx], capture_output=True, text=True, timeout=120)
    if out.returncode != 0:
        raise RuntimeError(f"yav-sim failed: {out.stderr.strip()}")
    regs = re.search(r"regs: a=(\w+) hx=(\w+) sp=(\w+) pc=(\w+) ppage=\w+ cc=(\w+)", out.stdout)
    ex = re.search(r"executed: (\d+) instructions, \d+ cycles, stopped by (\w+)", out.stdout)
    if not regs or not ex:
        raise RuntimeError(f"unexpected yav-sim output:\n{out.stdout}")
    mem = {}
    for m in re.finditer(r"dump (\w+):((?: \w\w)*)", out.stdout):
        base = int(m.group(1), 16)
        for i, b in enumerate(m.group(2).split()):
            mem[base + i] = int(b, 16)
    a, hx, sp, pc, cc = (int(v, 16) for v in regs.groups())
    console = re.findall(r"^console: (.*)$", out.stdout, re.MULTILINE)
    return {"a": a, "hx": hx, "sp": sp, "pc": pc, "cc": cc & CC_MASK,
            "inst": int(ex.group(1)), "stop": ex.group(2), "mem": mem, "console": console}


def run_shc08(shc08, ihx, done, workdir):
    cmd = os.path.join(workdir, "cmd.txt")
    with open(cmd, "w") as f:
        f.write(f'file "{ihx}"\nreset\nbreak {hex(done)}\nrun\nstate\ninfo registers\n')
        for lo, hi in RANGES:
            f.write(f"dump rom {hex(lo)} {hex(hi)}\n")
        f.write("quit\n")
    out = subprocess.run([shc08, "-t", "HCS08", "-C", cmd], capture_output=True, text=True,
                         stdin=subprocess.DEVNULL, timeout=300, cwd=workdir)
    text = out.stdout
    stop = re.search(r"Stop at 0x([0-9a-fA-F]+)", text)
    inst = re.search(r"Inst= *(\d+)", text)
    flags = re.findall(r"Flags= \$(\w\w)", text)
    a = re.findall(r"\bA= \$(\w\w)", text)
    h = re.findall(r"\bH= \$(\w\w)", text)
    x = re.findall(r"\bX= \$(\w\w)", text)
    sp = re.findall(r"SP= \$(\w+)", text)
    if not (stop and inst and flags and a and h and x and sp):
        raise RuntimeError(f"unexpected shc08 output:\n{text}")
    mem = {}
    wanted = {}
    for lo, hi in RANGES:
        for addr in range(lo, hi + 1):
            wanted[addr] = True
    for line in text.splitlines():
        m = re.match(r"0x([0-9a-fA-F]{4,6})\s+(.*)", line)
        if not m:
            continue
        base = int(m.group(1), 16)
        if base not in wanted:
            continue
        tokens = m.group(2).split()
        for i, tok in enumerate(tokens[:8]):
            if not re.fullmatch(r"[0-9a-fA-F]{2}", tok) or base + i not in wanted:
                break
            mem[base + i] = int(tok, 16)
    return {"a": int(a[-1], 16), "hx": int(h[-1], 16) << 8 | int(x[-1], 16), "sp": int(sp[-1], 16),
            "pc": int(stop.group(1), 16), "cc": int(flags[-1], 16) & CC_MASK,
            "inst": int(inst.group(1)), "mem": mem}


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    yav_sim, program_dir = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    shc08 = shutil.which("shc08")
    if not shc08:
        print("SKIP: shc08 (Debian package sdcc-ucsim) is not installed; differential test not run")
        return 77
    programs = sorted(p for p in os.listdir(program_dir) if p.endswith(".ihx"))
    if not programs:
        print(f"no compiled programs in {program_dir}")
        return 1
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        for name in programs:
            ihx = os.path.join(program_dir, name)
            symbols = map_symbols(ihx[:-4] + ".map")
            done = symbols["_done"]
            ours = run_yav(yav_sim, ihx, done)
            theirs = run_shc08(shc08, ihx, done, work)
            problems = []
            if ours["stop"] != "until":
                problems.append(f"yav-sim stopped by {ours['stop']} at pc={ours['pc']:04x}")
            for reg in ("a", "hx", "sp", "pc", "cc"):
                if ours[reg] != theirs[reg]:
                    problems.append(f"{reg}: yav-sim {ours[reg]:x}, shc08 {theirs[reg]:x}")
            # shc08 also counts the instruction it stops on at the breakpoint and one at reset.
            if ours["inst"] + 2 != theirs["inst"]:
                problems.append(f"instructions: yav-sim {ours['inst']}, shc08 {theirs['inst']} (expected +2)")
            diffs = [a for a in sorted(theirs["mem"]) if ours["mem"].get(a) != theirs["mem"][a]]
            if len(theirs["mem"]) < sum(hi - lo + 1 for lo, hi in RANGES):
                problems.append(f"shc08 dump incomplete ({len(theirs['mem'])} bytes)")
            if diffs:
                shown = ", ".join(f"{a:04x}: {ours['mem'].get(a, -1):02x}/{theirs['mem'][a]:02x}" for a in diffs[:8])
                problems.append(f"{len(diffs)} memory bytes differ (yav-sim/shc08) {shown}")
            stem = name[:-4]
            problems += self_check(stem, symbols, ours["mem"], "yav-sim")
            problems += self_check(stem, symbols, theirs["mem"], "shc08")
            if "_failures" in symbols and f"{stem}: pass" not in ours["console"]:
                problems.append(f"yav-sim console: {ours['console']} (expected '{stem}: pass')")
            status = "ok" if not problems else "FAIL"
            print(f"{status}: {name}: {ours['inst']} instructions, pc={ours['pc']:04x}")
            for p in problems:
                print(f"    {p}")
            failures += bool(problems)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
