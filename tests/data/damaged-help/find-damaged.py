#!/usr/bin/env python3
"""Damages a help file one byte at a time and runs the help reader on each copy; prints the copies
on which it crashes or hangs. Run by hand, from the build's bin folder:

    ../../tests/data/damaged-help/find-damaged.py HilfeKavrinto.chm ./kavrinto-hilfeleser [SEED]

Without SEED every byte is inverted; with it, every byte is set to zero and to a random value.
"""
import os
import random
import subprocess
import sys
from collections import Counter


def main():
    original = open(sys.argv[1], 'rb').read()
    reader = sys.argv[2]
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else None
    rng = random.Random(seed)
    copy = '/dev/shm/kavrinto-damaged-%d.chm' % os.getpid()
    outcomes = Counter()
    try:
        for pos in range(len(original)):
            values = [original[pos] ^ 0xFF] if seed is None else [0, rng.randrange(256)]
            for value in values:
                if value == original[pos]:
                    continue
                damaged = bytearray(original)
                damaged[pos] = value
                with open(copy, 'wb') as f:
                    f.write(damaged)
                try:
                    status = subprocess.run([reader, copy], stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL, timeout=5).returncode
                    outcome = 'signal %d' % -status if status < 0 else 'exit %d' % status
                except subprocess.TimeoutExpired:
                    outcome = 'hang'
                outcomes[outcome] += 1
                if outcome.startswith('signal') or outcome == 'hang':
                    print('byte %d: 0x%02x -> 0x%02x: %s' % (pos, original[pos], value, outcome), flush=True)
    finally:
        if os.path.exists(copy):
            os.unlink(copy)
    print('%d copies: %s' % (sum(outcomes.values()), dict(outcomes)))


if __name__ == '__main__':
    main()
