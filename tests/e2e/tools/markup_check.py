#!/usr/bin/env python3
"""Checks a copied snip after one of the strip's tools, against the clean
selection it was taken from. Pixels are read with ImageMagick.

  markup_check.py blocks CLEAN ACTUAL X0,Y0,X1,Y1 SIDE
      Inside the box (inclusive) the picture is made of uniform blocks laid
      from the box's corner, SIDE pixels a side at least (the last row and
      column of blocks may be wider); hardly a pixel keeps its clean value;
      outside the box nothing changed.
  markup_check.py highlight CLEAN ACTUAL Y X0,X1 R,G,B
      Along row Y from X0 to X1 every pixel is neither the colour nor the clean
      pixel, and is the clean pixel multiplied by the colour once (a second
      pass of the same stroke would darken it again); rows far from the
      stroke are unchanged.
  markup_check.py pen CLEAN ACTUAL Y X0,X1 R,G,B
      Every column from X0 to X1 has a pixel of the colour within 3 rows of Y
      (no gaps on a fast drag).
  markup_check.py discs CLEAN ACTUAL R,G,B COUNT
      The changed pixels of the colour form COUNT separate round marks, each
      with white pixels (its number) inside.
"""
import subprocess
import sys


def pixels(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True, check=True)
    w, h = map(int, size.stdout.split()[:2])
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return w, h, [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]


def load(clean, actual):
    wc, hc, a = pixels(clean)
    wa, ha, b = pixels(actual)
    if (wc, hc) != (wa, ha):
        sys.exit(f"sizes differ: {wc}x{hc} vs {wa}x{ha}")
    return wc, hc, a, b


def blocks(clean, actual, box, side):
    w, h, a, b = load(clean, actual)
    x0, y0, x1, y1 = (int(v) for v in box.split(","))
    side = int(side)
    inside = lambda x, y: x0 <= x <= x1 and y0 <= y <= y1
    kept = 0
    for y in range(h):
        for x in range(w):
            i = y * w + x
            if not inside(x, y):
                if a[i] != b[i]:
                    sys.exit(f"pixel ({x},{y}) changed outside the pixelated box")
                continue
            kept += a[i] == b[i]
            # Every pixel equals its neighbours inside its block: blocks start
            # every SIDE pixels from the corner, the last one takes the rest.
            bx = min((x - x0) // side, max(1, (x1 + 1 - x0) // side) - 1)
            by = min((y - y0) // side, max(1, (y1 + 1 - y0) // side) - 1)
            first = (y0 + by * side) * w + x0 + bx * side
            if b[i] != b[first]:
                sys.exit(f"pixel ({x},{y}) differs from its block's first pixel: {b[i]} vs {b[first]}")
    area = (x1 - x0 + 1) * (y1 - y0 + 1)
    if kept > area // 20:
        sys.exit(f"{kept} of {area} pixels in the box kept their clean value")


def highlight(clean, actual, row, span, color):
    w, h, a, b = load(clean, actual)
    y = int(row)
    x0, x1 = (int(v) for v in span.split(","))
    c = tuple(int(v) for v in color.split(","))
    for x in range(x0, x1 + 1):
        i = y * w + x
        once = tuple((a[i][k] * c[k] + 127) // 255 for k in range(3))
        if b[i] == c or b[i] == a[i]:
            sys.exit(f"pixel ({x},{y}) is {b[i]}: the colour or the clean pixel")
        if any(abs(b[i][k] - once[k]) > 2 for k in range(3)):
            sys.exit(f"pixel ({x},{y}) is {b[i]}, not {a[i]} blended once with {c} ({once})")
    for yy in list(range(0, max(0, y - 30))) + list(range(min(h, y + 30), h)):
        for x in range(w):
            if a[yy * w + x] != b[yy * w + x]:
                sys.exit(f"pixel ({x},{yy}) changed far from the stroke")


def pen(clean, actual, row, span, color):
    w, h, a, b = load(clean, actual)
    y = int(row)
    x0, x1 = (int(v) for v in span.split(","))
    c = tuple(int(v) for v in color.split(","))
    for x in range(x0, x1 + 1):
        if not any(b[yy * w + x] == c for yy in range(max(0, y - 3), min(h, y + 4))):
            sys.exit(f"column {x} has no pen pixel near row {y}: a gap in the stroke")


def discs(clean, actual, color, count):
    w, h, a, b = load(clean, actual)
    c = tuple(int(v) for v in color.split(","))
    marked = {(i % w, i // w) for i in range(w * h) if b[i] == c and a[i] != c}
    seen, found = set(), []
    for start in marked:
        if start in seen:
            continue
        stack, part = [start], []
        seen.add(start)
        while stack:
            x, y = stack.pop()
            part.append((x, y))
            for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if n in marked and n not in seen:
                    seen.add(n)
                    stack.append(n)
        if len(part) >= 50:
            found.append(part)
    if len(found) != int(count):
        sys.exit(f"{len(found)} marks of {c}, not {count}")
    for part in found:
        xs = [p[0] for p in part]
        ys = [p[1] for p in part]
        whites = sum(1 for y in range(min(ys), max(ys) + 1) for x in range(min(xs), max(xs) + 1)
                     if min(b[y * w + x]) >= 200 and b[y * w + x] != a[y * w + x])
        if whites < 5:
            sys.exit(f"the mark at ({min(xs)},{min(ys)}) has no white number in it")
        if abs((max(xs) - min(xs)) - (max(ys) - min(ys))) > 2:
            sys.exit(f"the mark at ({min(xs)},{min(ys)}) is not round")


if __name__ == "__main__":
    {"blocks": blocks, "highlight": highlight, "pen": pen, "discs": discs}[sys.argv[1]](*sys.argv[2:])
