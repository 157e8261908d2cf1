#!/usr/bin/python3
"""Decodes an animated GIF or PNG with Pillow, frame by frame.

decode_animation.py FILE OUTDIR writes OUTDIR/info.txt ("format frames loop",
then one line "duration" per frame, in milliseconds) and OUTDIR/N.rgb, the
N-th frame as shown (composed over the frames before it), as RGB bytes.
"""
import os
import sys

from PIL import Image


def main():
    path, out = sys.argv[1], sys.argv[2]
    with Image.open(path) as im:
        frames = getattr(im, "n_frames", 1)
        lines = [f"{im.format} {frames} {im.info.get('loop', -1)}"]
        for i in range(frames):
            im.seek(i)
            lines.append(str(round(float(im.info.get("duration", -1)))))
            with open(os.path.join(out, f"{i}.rgb"), "wb") as f:
                f.write(im.convert("RGB").tobytes())
    with open(os.path.join(out, "info.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
