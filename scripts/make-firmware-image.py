#!/usr/bin/env python3
"""Generates the built-in firmware image resources/accompanying_files/Veltrane-2-firmware.bootloadable.

The image is a stand-in of our own making: the tool treats it as an opaque program
image and reads nothing but its version bytes, so a reproducible pseudo-random
payload of the real length is all the flashing code and its tests need.

    scripts/make-firmware-image.py            write the image
    scripts/make-firmware-image.py --check    exit 1 unless the committed image matches

The build does not run this; the generated file is committed.
"""

import pathlib
import sys

IMAGE_LENGTH = 281560
# Three single bytes at fixed offsets: patch, minor, major.
VERSION_OFFSET = 416
VERSION = (1, 0, 15)  # major, minor, patch
SEED = 0x5645_4C54_524E_0215  # fixed, so every run gives the same bytes

IMAGE_PATH = (pathlib.Path(__file__).resolve().parent.parent
              / "resources" / "accompanying_files" / "Veltrane-2-firmware.bootloadable")

MASK64 = (1 << 64) - 1


def splitmix64(state):
    """One step of SplitMix64: (next state, 64-bit output). Spelled out, not taken
    from a library, so the bytes never depend on a language version."""
    state = (state + 0x9E37_79B9_7F4A_7C15) & MASK64
    z = state
    z = ((z ^ (z >> 30)) * 0xBF58_476D_1CE4_E5B9) & MASK64
    z = ((z ^ (z >> 27)) * 0x94D0_49BB_1331_11EB) & MASK64
    return state, z ^ (z >> 31)


def build_image():
    payload = bytearray()
    state = SEED
    while len(payload) < IMAGE_LENGTH:
        state, word = splitmix64(state)
        payload += word.to_bytes(8, "little")
    image = payload[:IMAGE_LENGTH]
    major, minor, patch = VERSION
    image[VERSION_OFFSET:VERSION_OFFSET + 3] = bytes((patch, minor, major))
    return bytes(image)


def main(argv):
    image = build_image()
    if argv[1:] == ["--check"]:
        if IMAGE_PATH.is_file() and IMAGE_PATH.read_bytes() == image:
            print(f"{IMAGE_PATH.name}: up to date")
            return 0
        print(f"{IMAGE_PATH.name}: differs from what this script generates", file=sys.stderr)
        return 1
    if argv[1:]:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    IMAGE_PATH.parent.mkdir(parents=True, exist_ok=True)
    IMAGE_PATH.write_bytes(image)
    print(f"wrote {IMAGE_PATH} ({len(image)} bytes, version {'.'.join(map(str, VERSION))})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
