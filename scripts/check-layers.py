#!/usr/bin/env python3
"""The layer check.

- Every project header a file includes must belong to the file's own library or to one
  the library links, directly or through others (PUBLIC or PRIVATE). Every library
  exports the source root as its include path, so an include of a library not linked
  would compile anyway; this is where it fails. A header no library lists fails too.
- A library links only its own folder and folders of lower layers: never a layer
  above, never a folder beside it in its own layer. No library links itself back.

    check-layers.py <layer map> <source root>

The layer map is the file CMake writes at generate time (cmake/LayerMap.cmake): the
libraries, their sources and their links are CMake's own, and so are the layers (the
folders, lowest first, as the top CMakeLists.txt lists them). Prints one line per fault
and exits 1 when there is any; 2 when the map cannot be read.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
# A promoted widget in a Qt form: the generated code includes this header.
FORM_HEADER = re.compile(r"<header[^>]*>\s*([^<\s]+)\s*</header>")


def read_map(path):
    """Returns ({target: (folder, [sources], [links])}, build folder, [layers]) from the
    listing; each layer is a list of folders relative to the source root, lowest first."""
    targets, build, layers = {}, None, []
    with open(path, encoding="utf-8") as fh:
        for number, line in enumerate(fh, 1):
            line = line.rstrip("\n")
            if not line:
                continue
            parts = line.split("\t")
            if len(parts) != 3:
                raise ValueError(f"{path}:{number}: expected three tab-separated fields")
            kind, name, value = parts
            if kind == "build":
                build = os.path.realpath(value)
            elif kind == "layer":
                layers.append([os.path.normpath(f) for f in value.split(";") if f])
            elif kind == "target":
                targets[name] = (value, [], [])
            elif kind in ("sources", "links"):
                if name not in targets:
                    raise ValueError(f"{path}:{number}: {kind} of unknown target {name}")
                items = [item for item in value.split(";") if item]
                targets[name][1 if kind == "sources" else 2].extend(items)
            else:
                raise ValueError(f"{path}:{number}: unknown record '{kind}'")
    if build is None:
        raise ValueError(f"{path}: no build folder recorded")
    return targets, build, layers


def link_name(item):
    # A link made from another folder carries CMake's "::@(folder id)" mark; the target
    # is the part before it.
    return item.split("::@", 1)[0]


def closure(name, links):
    """Every library reachable from name through links, name itself included."""
    seen, stack = {name}, [name]
    while stack:
        for dep in links.get(stack.pop(), ()):
            if dep not in seen:
                seen.add(dep)
                stack.append(dep)
    return seen


def find_cycles(links):
    """Each link that closes a loop, as (library, linked library)."""
    loops = []
    for name in sorted(links):
        for dep in sorted(links[name]):
            if dep != name and name in closure(dep, links):
                loops.append((name, dep))
    return loops


def includes_of(path):
    """(line number, included text) for each quoted include of a C++ file or form."""
    found = []
    with open(path, encoding="utf-8", errors="replace") as fh:
        form = path.endswith(".ui")
        for number, line in enumerate(fh, 1):
            if form:
                found.extend((number, m.group(1)) for m in FORM_HEADER.finditer(line))
            else:
                m = INCLUDE.match(line)
                if m:
                    found.append((number, m.group(1)))
    return found


def check(map_path, root):
    root = os.path.realpath(root)
    targets, build, layers = read_map(map_path)

    def under(path, folder):
        return path == folder or path.startswith(folder + os.sep)

    def inside(path):
        return under(path, root) and not under(path, build)

    owners = {}   # absolute file -> [targets listing it]
    sources = {}  # target -> [absolute files under root]
    for name, (folder, files, _) in targets.items():
        sources[name] = []
        for f in files:
            full = os.path.realpath(f if os.path.isabs(f) else os.path.join(folder, f))
            if inside(full):  # generated files (moc, uic) live in the build tree
                owners.setdefault(full, []).append(name)
                sources[name].append(full)
    links = {name: [link_name(l) for l in t[2] if link_name(l) in targets]
             for name, t in targets.items()}

    problems = []
    for a, b in find_cycles(links):
        problems.append(f"library {a} links {b}, which links {a} back")

    # The folder tree is the layer graph. A target sits in the folder that holds most of
    # its sources (the program's main.cpp is in app/, though the top CMakeLists.txt
    # defines it), and in the layer of that folder's longest listed prefix. It may link
    # its own folder and folders of lower layers only: not a layer above, and not another
    # folder of its own layer (folders of one layer are beside each other).
    def folder_of(name):
        dirs = [os.path.dirname(os.path.relpath(f, root)) or "." for f in sources[name]]
        if dirs:
            return max(sorted(set(dirs)), key=dirs.count)
        return os.path.relpath(os.path.realpath(targets[name][0]), root)

    def layer_of(folder):
        best = None
        for index, prefixes in enumerate(layers):
            for prefix in prefixes:
                if under(folder, prefix) and (best is None or len(prefix) > len(best[1])):
                    best = (index, prefix)
        return best

    if layers:
        place = {name: layer_of(folder_of(name)) for name in targets}
        for name in sorted(targets):
            if place[name] is None:
                problems.append(f"library {name} is in {folder_of(name)}/, which no layer lists")
                continue
            for dep in sorted(set(links[name])):
                if place[dep] is None or place[dep][1] == place[name][1]:
                    continue
                if place[dep][0] > place[name][0]:
                    problems.append(f"library {name} ({place[name][1]}/) links {dep} of a layer above "
                                    f"({place[dep][1]}/)")
                elif place[dep][0] == place[name][0]:
                    problems.append(f"library {name} ({place[name][1]}/) links {dep} of {place[dep][1]}/, "
                                    f"which is beside it, not below")

    for name in sorted(targets):
        allowed = closure(name, links)
        for source in sorted(set(sources[name])):
            if not os.path.isfile(source):
                continue
            for number, text in includes_of(source):
                candidates = [os.path.join(os.path.dirname(source), text), os.path.join(root, text)]
                target_file = next((os.path.realpath(c) for c in candidates if os.path.isfile(c)), None)
                if target_file is None or not inside(target_file):
                    continue  # a system or generated header
                where = f"{os.path.relpath(source, root)}:{number}"
                shown = os.path.relpath(target_file, root)
                holders = owners.get(target_file)
                if not holders:
                    problems.append(f"{where}: includes {shown}, which no library lists")
                elif not allowed.intersection(holders):
                    problems.append(f"{where}: includes {shown} of library {'/'.join(sorted(holders))}, "
                                    f"which {name} does not link")
    return sorted(set(problems))


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        problems = check(argv[1], argv[2])
    except (OSError, ValueError) as error:
        print(f"layer check: {error}", file=sys.stderr)
        return 2
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
