#!/usr/bin/env python3
"""Plays games of the window's own dialogue through tolvane-console --json with the real engine.

User moves are picked at random among the legal ones ("lf"/"ln"), the computer answers with "c<level>"
at a random level, some games start with the computer's move, some moves are taken back ("9"), and
some games are saved and loaded back the way the window does it (a new game, then "b<move>" per
recorded move). Counts illegal computer moves, refused replays, crashes and hangs; prints the
resident memory of the console and of its engine after the first and the last game.

usage: soak_console.py CONSOLE GAMES [MAX_COMPUTER_MOVES] [SEED] [WORKERS]

WORKERS consoles (default 8) play their share of the games side by side: levels 1 to 3 spend most of
a move in their human-looking pause, which costs no processor time.
"""
import concurrent.futures
import json
import os
import random
import subprocess
import sys
import threading
import queue

REPLY_TIMEOUT_S = 120  # the slowest level thinks for a few seconds; anything near this is a hang
# Level 4 thinks about five seconds a move; it plays one game in 61 so a thousand games take hours, not days.
LEVEL_WEIGHTS = {"1": 20, "2": 20, "3": 20, "4": 1}
COUNTED = ("games", "user moves", "computer moves", "take-backs", "games saved and loaded",
           "illegal or refused computer moves", "engine messages", "refused replays", "crashes", "hangs")


class Console:
    def __init__(self, program):
        self.process = subprocess.Popen([program, "--json"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, encoding="latin-1", bufsize=1)
        self.replies = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.replies.put(line)
        self.replies.put(None)

    def run(self, command):
        """The command's message and result; None when the console ended or hung."""
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        try:
            line = self.replies.get(timeout=REPLY_TIMEOUT_S)
        except queue.Empty:
            raise Hang(command)
        if line is None:
            raise Crash(command, self.process.wait())
        reply = json.loads(line)
        return reply["message"], reply["result"]

    def legal_moves(self):
        moves = []
        message, _ = self.run("lf")
        while message and len(moves) < 300:
            moves.append(message)
            message, _ = self.run("ln")
        return moves

    def close(self):
        self.process.stdin.close()
        return self.process.wait(timeout=30)


class Hang(Exception):
    pass


class Crash(Exception):
    pass


def resident_kb(pid, field):
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def engine_pid(console_pid):
    try:
        with open(f"/proc/{console_pid}/task/{console_pid}/children") as children:
            pids = children.read().split()
            return int(pids[0]) if pids else 0
    except OSError:
        return 0


def memory(console):
    pid = console.process.pid
    engine = engine_pid(pid)
    return (f"console peak {resident_kb(pid, 'VmHWM')} kB, now {resident_kb(pid, 'VmRSS')} kB; "
            f"engine peak {resident_kb(engine, 'VmHWM')} kB, now {resident_kb(engine, 'VmRSS')} kB")


GERMAN_PROMOTIONS = {"d": "q", "t": "r", "l": "b", "s": "n"}


def move_key(move):
    """The move in one spelling: 'll' names promotions with German letters, 'lf'/'ln' with English."""
    piece = move[4:].lower()
    return move[:4].lower() + GERMAN_PROMOTIONS.get(piece, piece)


def play_game(console, rng, max_computer_moves, counts):
    """One game; returns the moves as the window would record them."""
    console.run(".new")
    record = []
    level = rng.choices(list(LEVEL_WEIGHTS), weights=list(LEVEL_WEIGHTS.values()))[0]
    computer_turn = rng.random() < 0.3
    for _ in range(2 * max_computer_moves):
        if computer_turn:
            legal = console.legal_moves()
            if not legal:
                break
            message, result = console.run("c" + level)
            if result:
                break
            if message:
                counts["engine messages"] += 1
                if message.startswith(" Engine:") or "Error" in message:
                    counts["illegal or refused computer moves"] += 1
                break
            move, _ = console.run("ll")
            if move_key(move) not in {move_key(m) for m in legal}:
                counts["illegal or refused computer moves"] += 1
                break
            record.append(move)
            counts["computer moves"] += 1
        else:
            legal = console.legal_moves()
            if not legal:
                break
            move = rng.choice(legal)
            message, result = console.run("B" + move)
            if message:
                break  # a finished game refuses moves
            record.append(move)
            counts["user moves"] += 1
            if len(record) >= 3 and rng.random() < 0.08:
                console.run("9")
                console.run("9")
                del record[-2:]
                counts["take-backs"] += 1
                continue
        computer_turn = not computer_turn
    if record and rng.random() < 0.25:
        console.run(".new")
        for move in record:
            message, _ = console.run("b" + move)
            if message:
                counts["refused replays"] += 1
                break
        counts["games saved and loaded"] += 1
    return record


def soak(program, games, max_computer_moves, seed, name):
    """One console's share of the games: its counts, its memory after the first and the last game,
    and its exit status."""
    rng = random.Random(seed)
    counts = {key: 0 for key in COUNTED}
    console = Console(program)
    first_memory = ""
    for game in range(games):
        try:
            play_game(console, rng, max_computer_moves, counts)
        except Hang as hang:
            counts["hangs"] += 1
            print(f"{name} game {game + 1}: no reply to {hang.args[0]!r}", flush=True)
            console.process.kill()
            console = Console(program)
            continue
        except Crash as crash:
            counts["crashes"] += 1
            print(f"{name} game {game + 1}: the console ended with {crash.args[1]} after {crash.args[0]!r}",
                  flush=True)
            console = Console(program)
            continue
        counts["games"] += 1
        if game == 0:
            first_memory = memory(console)
        if (game + 1) % 25 == 0:
            print(f"{name} after {game + 1} games: {counts}", flush=True)
    last_memory = memory(console)
    return counts, first_memory, last_memory, console.close()


def main():
    program, games = sys.argv[1], int(sys.argv[2])
    max_computer_moves = int(sys.argv[3]) if len(sys.argv) > 3 else 30
    seed = int(sys.argv[4]) if len(sys.argv) > 4 else 1
    workers = int(sys.argv[5]) if len(sys.argv) > 5 else 8
    shares = [games // workers + (1 if i < games % workers else 0) for i in range(workers)]
    with concurrent.futures.ThreadPoolExecutor(workers) as pool:
        runs = list(pool.map(lambda i: soak(program, shares[i], max_computer_moves, seed + i, f"console {i + 1}"),
                             range(workers)))
    totals = {key: sum(run[0][key] for run in runs) for key in COUNTED}
    for i, (_, first_memory, last_memory, status) in enumerate(runs):
        print(f"console {i + 1}: exit status {status}")
        print(f"  first game: {first_memory}")
        print(f"  last game:  {last_memory}")
    print(f"all consoles: {totals}")
    bad = sum(totals[key] for key in ("illegal or refused computer moves", "refused replays", "crashes", "hangs"))
    return 1 if bad or any(run[3] != 0 for run in runs) else 0


if __name__ == "__main__":
    sys.exit(main())
