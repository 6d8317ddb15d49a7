#!/usr/bin/env python3
"""Compares a copied snip with the clean picture it was taken from.

  shape_diff.py CLEAN ACTUAL R,G,B X0,Y0,X1,Y1 MIN [any]

Succeeds when both pictures have the same size, every pixel that differs lies
inside the box X0..X1 x Y0..Y1 (inclusive, picture pixels), at least MIN
pixels differ, and each differing pixel is exactly R,G,B ("any": text, whose
edges the system may smooth, may differ in any colour, but at least MIN pixels
must be exactly R,G,B). Prints what is wrong otherwise.
"""
import subprocess
import sys


def pixels(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True, check=True)
    w, h = map(int, size.stdout.split()[:2])
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return w, h, raw


def main():
    clean, actual, color, box, least = sys.argv[1:6]
    any_color = len(sys.argv) > 6 and sys.argv[6] == "any"
    want = tuple(int(v) for v in color.split(","))
    x0, y0, x1, y1 = (int(v) for v in box.split(","))
    wc, hc, a = pixels(clean)
    wa, ha, b = pixels(actual)
    if (wc, hc) != (wa, ha):
        sys.exit(f"sizes differ: {wc}x{hc} vs {wa}x{ha}")
    changed = exact = 0
    for i in range(0, len(a), 3):
        if a[i:i + 3] == b[i:i + 3]:
            continue
        x, y = (i // 3) % wc, (i // 3) // wc
        got = tuple(b[i:i + 3])
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            sys.exit(f"pixel ({x},{y}) changed outside the shape's box, to {got}")
        changed += 1
        if got == want:
            exact += 1
        elif not any_color:
            sys.exit(f"pixel ({x},{y}) is {got}, not the chosen colour {want}")
    if exact < int(least):
        sys.exit(f"only {exact} pixels in the chosen colour ({changed} changed), expected at least {least}")


if __name__ == "__main__":
    main()
