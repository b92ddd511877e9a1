#!/usr/bin/env python3
"""The layer check on small trees of its own: each case is a tiny CMake project written
to a temporary folder, configured so that cmake/LayerMap.cmake writes its map, then
checked. The printed lines and the exit code must be exactly the expected ones.

    tst_layercheck.py <source root> <scratch folder> [cmake]
"""
import os
import shutil
import subprocess
import sys
import tempfile

# Three libraries, one folder and one layer each: low, mid (links low PRIVATE) and top
# (links mid), plus a program on top. Each case starts from this tree.
BASE = {
    "low/low.h": "#pragma once\nint low();\n",
    "low/low.cpp": '#include "low/low.h"\nint low() { return 1; }\n',
    "mid/mid.h": "#pragma once\nint mid();\n",
    # Same-folder form, a system header and a generated (absent) header are all fine.
    "mid/mid.cpp": '#include "mid.h"\n#include <vector>\n#include "ui_mid.h"\n'
                   '#include "low/low.h"\nint mid() { return low(); }\n',
    "top/top.h": "#pragma once\nint top();\n",
    # low only through mid's PRIVATE link: still below top, so allowed.
    "top/top.cpp": '#include "top/top.h"\n#include "mid/mid.h"\n#include "low/low.h"\n'
                   'int top() { return mid() + low(); }\n',
    "top/form.ui": "<ui><customwidgets><customwidget><header>mid/mid.h</header>"
                   "</customwidget></customwidgets></ui>\n",
    "prog/main.cpp": '#include "top/top.h"\nint main() { return top(); }\n',
}

CMAKE = """cmake_minimum_required(VERSION 3.16)
project(fixture LANGUAGES CXX)
add_library(fx_low STATIC low/low.h low/low.cpp)
add_library(fx_mid STATIC mid/mid.h mid/mid.cpp)
target_link_libraries(fx_mid PRIVATE fx_low)
add_subdirectory(top)
add_executable(fx_program prog/main.cpp)
target_link_libraries(fx_program PRIVATE fx_top)
{extra}
include({module})
vt2_write_layer_map(${{CMAKE_BINARY_DIR}}/layers.txt LAYERS {layers})
"""
LAYERS = '"low" "mid" "top" "prog"'

TOP_CMAKE = """add_library(fx_top STATIC top.h top.cpp form.ui)
target_link_libraries(fx_top PUBLIC fx_mid)
"""

CASES = [
    # (name, files added or replaced, CMake arguments, exit code, printed lines)
    ("clean", {}, {}, 0, []),
    ("upward include",
     {"low/low.cpp": '#include "low/low.h"\n#include "mid/mid.h"\nint low() { return 1; }\n'},
     {}, 1, ["low/low.cpp:2: includes mid/mid.h of library fx_mid, which fx_low does not link"]),
    ("promoted widget of a library above",
     {"mid/form.ui": "<ui>\n<header>top/top.h</header>\n</ui>\n"},
     {"extra": "target_sources(fx_mid PRIVATE mid/form.ui)"}, 1,
     ["mid/form.ui:2: includes top/top.h of library fx_top, which fx_mid does not link"]),
    ("header no library lists",
     {"low/stray.h": "#pragma once\n", "low/low.cpp": '#include "low/stray.h"\nint low() { return 1; }\n'},
     {}, 1, ["low/low.cpp:1: includes low/stray.h, which no library lists"]),
    ("link to a layer above, closing a loop",
     {}, {"extra": "target_link_libraries(fx_low PRIVATE fx_mid)"}, 1,
     ["library fx_low (low/) links fx_mid of a layer above (mid/)",
      "library fx_low links fx_mid, which links fx_low back",
      "library fx_mid links fx_low, which links fx_mid back"]),
    ("link to a folder beside",
     {"side/side.h": "#pragma once\n"},
     {"extra": "add_library(fx_side INTERFACE)\ntarget_sources(fx_side INTERFACE side/side.h)\n"
               "target_link_libraries(fx_side INTERFACE fx_mid)",
      "layers": '"low" "mid side" "top" "prog"'}, 1,
     ["library fx_side (side/) links fx_mid of mid/, which is beside it, not below"]),
    ("folder in no layer",
     {}, {"layers": '"low" "mid" "prog"'}, 1,
     ["library fx_top is in top/, which no layer lists"]),
]


def write_tree(folder, files, cmake_args, module):
    tree = dict(BASE)
    tree.update(files)
    tree["CMakeLists.txt"] = CMAKE.format(module=module, extra=cmake_args.get("extra", ""),
                                          layers=cmake_args.get("layers", LAYERS))
    tree["top/CMakeLists.txt"] = TOP_CMAKE
    for path, text in tree.items():
        full = os.path.join(folder, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as fh:
            fh.write(text)


def main(root, scratch, cmake):
    module = os.path.join(root, "cmake", "LayerMap.cmake")
    checker = os.path.join(root, "scripts", "check-layers.py")
    os.makedirs(scratch, exist_ok=True)
    failures = 0
    for name, files, cmake_args, want_code, want_lines in CASES:
        work = tempfile.mkdtemp(dir=scratch)
        try:
            src, build = os.path.join(work, "src"), os.path.join(work, "build")
            write_tree(src, files, cmake_args, module)
            cfg = subprocess.run([cmake, "-S", src, "-B", build], capture_output=True, text=True)
            if cfg.returncode != 0:
                print(f"FAIL {name}: the fixture does not configure\n{cfg.stderr}")
                failures += 1
                continue
            run = subprocess.run([sys.executable, checker, os.path.join(build, "layers.txt"), src],
                                 capture_output=True, text=True)
            lines = run.stdout.splitlines()
            if run.returncode != want_code or lines != want_lines:
                print(f"FAIL {name}: exit {run.returncode}, want {want_code}")
                print("  got:\n    " + "\n    ".join(lines))
                print("  want:\n    " + "\n    ".join(want_lines))
                if run.stderr:
                    print("  stderr: " + run.stderr)
                failures += 1
            else:
                print(f"PASS {name}")
        finally:
            shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3] if len(sys.argv) == 4 else "cmake"))
