#!/usr/bin/python3
"""Sizes and quality of the recordings recordbench wrote.

record_compare.py OUTDIR (after `recordbench 10 OUTDIR`) prints, for our GIF
and animated PNG and, where the tools are installed, for ffmpeg's GIF
(palettegen + paletteuse), gifsicle -O3 over ffmpeg's GIF and ffmpeg's
animated PNG made from the same frames: the file's bytes and the PSNR of
its decoded frames (Pillow) against the frames recorded, at 15 fps.
"""
import glob
import math
import os
import shutil
import subprocess
import sys

from PIL import Image


def psnr(path, frames):
    total = 0.0
    count = 0
    with Image.open(path) as im:
        n = getattr(im, "n_frames", 1)
        shown = 0
        t = 0.0
        for i in range(n):
            im.seek(i)
            rgb = im.convert("RGB").tobytes()
            duration = float(im.info.get("duration", 0))
            # The frames this one stands for, by their times at 15 fps.
            end = t + duration
            while shown < len(frames) and shown * 1000 / 15 < end - 0.5:
                ref = frames[shown]
                total += sum((a - b) ** 2 for a, b in zip(rgb[::97], ref[::97]))
                count += len(rgb[::97])
                shown += 1
            t = end
    mse = total / max(count, 1)
    return float("inf") if mse == 0 else 10 * math.log10(255 * 255 / mse)


def main():
    out = sys.argv[1]
    frames = []
    for p in sorted(glob.glob(os.path.join(out, "frame-*.ppm"))):
        with Image.open(p) as im:
            frames.append(im.convert("RGB").tobytes())
    files = [("ours GIF", "ours.gif"), ("ours APNG", "ours.png")]
    if os.path.exists(os.path.join(out, "ours-over.png")):
        files.append(("ours APNG, RGBA drawn over", "ours-over.png"))
    pattern = os.path.join(out, "frame-%04d.ppm")
    if shutil.which("ffmpeg"):
        subprocess.run(["ffmpeg", "-v", "error", "-y", "-framerate", "15", "-i", pattern, "-vf",
                        "split[a][b];[a]palettegen[p];[b][p]paletteuse", os.path.join(out, "ffmpeg.gif")],
                       check=True)
        subprocess.run(["ffmpeg", "-v", "error", "-y", "-framerate", "15", "-i", pattern, "-plays", "0",
                        "-f", "apng", os.path.join(out, "ffmpeg.png")], check=True)
        files += [("ffmpeg GIF", "ffmpeg.gif"), ("ffmpeg APNG", "ffmpeg.png")]
        if shutil.which("gifsicle"):
            subprocess.run(["gifsicle", "-O3", os.path.join(out, "ffmpeg.gif"), "-o",
                            os.path.join(out, "gifsicle.gif")], check=True)
            files.append(("gifsicle -O3", "gifsicle.gif"))
    print("| file | bytes | PSNR |\n|---|---|---|")
    for label, name in files:
        path = os.path.join(out, name)
        print(f"| {label} | {os.path.getsize(path)} | {psnr(path, frames):.2f} dB |")


if __name__ == "__main__":
    main()
