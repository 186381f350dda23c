#!/usr/bin/env python3
"""A second LZHUF encoder, kept apart from the C++ one, to check the decoder against.

LZSS over a 4096-byte window (matches of 3 to 60 bytes; the window starts as 4036 spaces),
then adaptive Huffman coding of 314 symbols (256 literals, 58 match lengths) and a fixed
prefix code for the upper six bits of each match position.

Usage: lzhuf_encode.py INPUT OUTPUT [INPUT OUTPUT ...]
Each OUTPUT is a skin archive's stored form: the input's size as a 32-bit little-endian word,
then the bit stream.
"""

import struct
import sys

WINDOW = 4096
LONGEST = 60
SHORTEST = 3
PREFILL = WINDOW - LONGEST
SYMBOLS = 256 - SHORTEST + 1 + LONGEST
NODES = 2 * SYMBOLS - 1
ROOT = NODES - 1
LIMIT = 0x8000


class Bits:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, value, width):
        for shift in range(width - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> shift) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                self.acc = 0
                self.n = 0

    def close(self):
        if self.n:
            self.out.append(self.acc << (8 - self.n))
        return bytes(self.out)


class Tree:
    """Counts ordered by position; node at 2k and 2k+1 are siblings."""

    def __init__(self):
        self.freq = [1] * SYMBOLS + [0] * (NODES - SYMBOLS) + [0xFFFF]
        self.kid = [NODES + s for s in range(SYMBOLS)] + [0] * (NODES - SYMBOLS)
        self.up = [0] * (NODES + SYMBOLS)
        for s in range(SYMBOLS):
            self.up[NODES + s] = s
        low = 0
        for node in range(SYMBOLS, NODES):
            self.freq[node] = self.freq[low] + self.freq[low + 1]
            self.kid[node] = low
            self.up[low] = node
            self.up[low + 1] = node
            low += 2
        self.up[ROOT] = 0

    def link(self, node):
        k = self.kid[node]
        self.up[k] = node
        if k < NODES:
            self.up[k + 1] = node

    def code(self, symbol):
        path = []
        node = self.up[NODES + symbol]
        while node != ROOT:
            path.append(node & 1)
            node = self.up[node]
        return path[::-1]

    def rebuild(self):
        leaves = [((self.freq[n] + 1) // 2, self.kid[n]) for n in range(NODES) if self.kid[n] >= NODES]
        freq = [f for f, _ in leaves]
        kid = [k for _, k in leaves]
        low = 0
        while len(freq) < NODES:
            total = freq[low] + freq[low + 1]
            at = len(freq)
            while freq[at - 1] > total:
                at -= 1
            freq.insert(at, total)
            kid.insert(at, low)
            low += 2
        self.freq = freq + [0xFFFF]
        self.kid = kid
        for node in range(NODES):
            self.link(node)

    def count(self, symbol):
        if self.freq[ROOT] == LIMIT:
            self.rebuild()
        node = self.up[NODES + symbol]
        while True:
            self.freq[node] += 1
            f = self.freq[node]
            if f > self.freq[node + 1]:
                other = node + 1
                while f > self.freq[other + 1]:
                    other += 1
                self.freq[node], self.freq[other] = self.freq[other], f
                self.kid[node], self.kid[other] = self.kid[other], self.kid[node]
                self.link(node)
                self.link(other)
                node = other
            node = self.up[node]
            if node == 0:
                break


def position_code():
    """(code, width) for each value of the upper six position bits: canonical, by width."""
    table = []
    code = 0
    for width, how_many in zip(range(3, 9), (1, 3, 8, 12, 24, 16)):
        for _ in range(how_many):
            table.append((code, width))
            code += 1
        code <<= 1
    return table


POSITION_CODE = position_code()


def encode(data):
    text = b" " * PREFILL + data
    seen = {}
    bits = Bits()
    tree = Tree()

    def remember(at):
        if at + SHORTEST <= len(text):
            seen.setdefault(text[at:at + SHORTEST], []).append(at)

    for at in range(PREFILL - SHORTEST + 1):
        remember(at)

    at = PREFILL
    while at < len(text):
        reach = min(LONGEST, len(text) - at)
        best, best_from = 0, 0
        if reach >= SHORTEST:
            for start in reversed(seen.get(text[at:at + SHORTEST], [])[-48:]):
                if at - start > WINDOW:
                    break
                n = SHORTEST
                while n < reach and text[start + n] == text[at + n]:
                    n += 1
                if n > best:
                    best, best_from = n, start
                    if n == reach:
                        break
        if best >= SHORTEST:
            symbol = 256 - SHORTEST + best
            for b in tree.code(symbol):
                bits.put(b, 1)
            tree.count(symbol)
            pos = at - best_from - 1
            code, width = POSITION_CODE[pos >> 6]
            bits.put(code, width)
            bits.put(pos & 63, 6)
            step = best
        else:
            for b in tree.code(text[at]):
                bits.put(b, 1)
            tree.count(text[at])
            step = 1
        for k in range(step):
            remember(at + k)
        at += step
    return bits.close()


def main(argv):
    if len(argv) < 3 or len(argv) % 2 != 1:
        sys.stderr.write(__doc__)
        return 1
    for source, target in zip(argv[1::2], argv[2::2]):
        with open(source, "rb") as f:
            data = f.read()
        with open(target, "wb") as f:
            f.write(struct.pack("<i", len(data)) + encode(data))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
