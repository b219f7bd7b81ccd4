#!/usr/bin/env python3
"""Proves deals winnable, game by game, for the list the program ships (data/winnable_keys.txt).

A deal depends only on the 16-bit key of its game number (see dealKey in model/random.h), so a game has
at most 65,536 deals. Keys are tried in the order their smallest game number first reaches them, so a
list that stops early still covers the keys of small numbers (a short range setting). Each key is solved
once, through the smallest number that has it, by `tessaline-cli solve` with autoplay on: a line won
with autoplay on can be played by hand as well, so the key is winnable with either setting.

The list file has one line per game: name, keys tried, seconds spent, then the keys proved winnable,
separated by tabs (the keys by spaces, rising). A run appends to what is there: it skips the keys a
game has already tried, and stops a game at --target keys or after --budget-s seconds of this run.
The file is rewritten (atomically) after every key, so a run can be stopped at any moment.

The first --samples won lines of each game go to the samples file (game, number, key, the moves as
`play` commands joined by commas), each checked by replaying it through `tessaline-cli play`.

usage: winnable_keys.py CLI [--games all|"Klondike,Canister"] [--budget-s 60] [--limit-ms 1500]
                            [--limit-nodes N] [--guided STEPS] [--guided-nodes N] [--target 500] [--keys data/winnable_keys.txt]
                            [--lines tests/solve/winnable_lines.txt] [--samples 3]
                            [--easy-first]
"""
import argparse
import os
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from solver_table import replays  # noqa: E402  (one replay check for both scripts)

HEADER = ("# Deals proved winnable, by the 16-bit key of the game number. Written by scripts/winnable_keys.py;\n"
          "# one game a line: name, keys tried, seconds spent, the winnable keys (tab-separated).\n")


def deal_key(number):
    h = struct.unpack("<Q", struct.pack("<d", float(number)))[0] >> 32
    if h & 0x80000000:
        h -= 1 << 32
    return ((h & 0xFFFF) ^ (h >> 16)) & 0xFFFF


def key_order():
    """(key, smallest number with that key), in the order the numbers 1, 2, 3 ... first reach them."""
    seen = set()
    order = []
    n = 0
    while len(seen) < 65536:
        n += 1
        k = deal_key(n)
        if k not in seen:
            seen.add(k)
            order.append((k, n))
    return order


def read_keys(path):
    games = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.rstrip("\n")
                if not line or line.startswith("#"):
                    continue
                name, tried, seconds, keys = (line.split("\t") + ["", "", ""])[:4]
                games[name] = {"tried": int(tried), "seconds": float(seconds),
                               "keys": {int(k) for k in keys.split()}}
    return games


def write_keys(path, games, names):
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(HEADER)
        for name in names:
            g = games.get(name)
            if g is None:
                continue
            keys = " ".join(str(k) for k in sorted(g["keys"]))
            f.write(f"{name}\t{g['tried']}\t{g['seconds']:.1f}\t{keys}\n")
        f.flush()
        os.fsync(f.fileno())
    os.replace(tmp, path)


def read_lines(path):
    counts = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                if line.strip() and not line.startswith("#"):
                    name = line.split("\t", 1)[0]
                    counts[name] = counts.get(name, 0) + 1
    return counts


def solve(cli, game, number, ms, nodes, guided=0):
    # A node limit gives the same verdict however busy the machine is; the time limit still bounds it.
    # Guided: that many steps played on from the search's best guess, each step within the limits.
    limits = ["--limit-ms", str(ms)] + (["--limit-nodes", str(nodes)] if nodes else [])
    limits += ["--guided", str(guided)] if guided else []
    out = subprocess.run([cli, "solve", game, str(number), *limits, "--autoplay", "1"],
                         capture_output=True, text=True, check=True).stdout.splitlines()
    moves = [l for l in out if l.startswith(("drag", "stock", "marker"))]
    return out[0], moves


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("cli")
    ap.add_argument("--games", default="all")
    ap.add_argument("--budget-s", type=float, default=60)
    ap.add_argument("--limit-ms", type=int, default=1500)
    ap.add_argument("--limit-nodes", type=int, default=0, help="positions a key may take (0: no limit)")
    ap.add_argument("--guided", type=int, default=0,
                    help="when a search leaves a deal open, play on from its best guess this many steps")
    ap.add_argument("--guided-nodes", type=int, default=20000, help="positions each guided step may take")
    ap.add_argument("--target", type=int, default=500)
    ap.add_argument("--keys", default="data/winnable_keys.txt")
    ap.add_argument("--lines", default="tests/solve/winnable_lines.txt")
    ap.add_argument("--samples", type=int, default=3)
    ap.add_argument("--easy-first", action="store_true",
                    help="games with the highest share of winnable keys so far first")
    a = ap.parse_args()
    listed = subprocess.run([a.cli, "games"], capture_output=True, text=True, check=True).stdout
    all_names = [l.split(" ", 1)[1] for l in listed.splitlines()]
    names = all_names if a.games == "all" else a.games.split(",")
    games = read_keys(a.keys)
    samples = read_lines(a.lines)
    if a.easy_first:
        def share(n):
            g = games.get(n)
            return len(g["keys"]) / g["tried"] if g and g["tried"] else 1.0
        names = sorted(names, key=share, reverse=True)
    order = key_order()
    for name in names:
        g = games.setdefault(name, {"tried": 0, "seconds": 0.0, "keys": set()})
        start = time.monotonic()
        while len(g["keys"]) < a.target and g["tried"] < len(order) and time.monotonic() - start < a.budget_s:
            key, number = order[g["tried"]]
            t0 = time.monotonic()
            verdict, moves = solve(a.cli, name, number, a.limit_ms, a.limit_nodes)
            if verdict == "unknown" and a.guided:
                verdict, moves = solve(a.cli, name, number, a.limit_ms, a.guided_nodes, a.guided)
                # A guided line is not a whole search's: each one is checked by replaying it.
                if verdict == "won" and not replays(a.cli, name, number, moves, 1):
                    print(f"FAULT {name} {number}: the guided line does not replay to a win", file=sys.stderr)
                    return 1
            if verdict == "won":
                if samples.get(name, 0) < a.samples:
                    if not replays(a.cli, name, number, moves, 1):
                        print(f"FAULT {name} {number}: the won line does not replay to a win", file=sys.stderr)
                        return 1
                    fresh = not os.path.exists(a.lines)
                    with open(a.lines, "a", encoding="utf-8") as f:
                        if fresh:
                            f.write("# Winning lines of a few keys a game, for the replay test. Written by "
                                    "scripts/winnable_keys.py:\n# game, number, key, the moves as play "
                                    "commands joined by commas (tab-separated).\n")
                        f.write(f"{name}\t{number}\t{key}\t{','.join(moves)}\n")
                    samples[name] = samples.get(name, 0) + 1
                g["keys"].add(key)
            g["tried"] += 1
            g["seconds"] += time.monotonic() - t0
            write_keys(a.keys, games, all_names)
        print(f"{name}: {len(g['keys'])} winnable of {g['tried']} tried, {g['seconds']:.0f} s in all", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
