#!/usr/bin/env python3
"""Writes the notices of the libraries linked into the programs, read from their link maps.

usage: third-party-notices.py OUT MAP...

Each MAP is the linker's map of one program (PROGRAM.map beside it). Every archive member and
object file that the link took from outside the build is traced to the Debian package holding it
(dpkg -S), and that package's /usr/share/doc/<package>/copyright gives the text:
- a machine-readable copyright file: every paragraph whose Files patterns name a source file of
  a linked member (read from the member's debug information; a member without one, such as an
  import entry of a system DLL, counts as any file, so the catch-all paragraph applies);
- another copyright file: the parts listed for its source package in FREE_FORM; a
  package not listed there stops the release, to be read and added by hand.
OUT is written for Notepad: CR LF, plain ASCII, or UTF-8 with a byte-order mark when it holds
anything else (Notepad before Windows 10 reads UTF-8 without the mark in the ANSI code page).
"""

import os
import re
import subprocess
import sys
import textwrap
from pathlib import Path

OBJDUMP = "x86_64-w64-mingw32-objdump"
RULE = "=" * 78
THIN_RULE = "-" * 78

# What covers the files the link takes from a package whose copyright file is free-form, in
# order: a text of ours, or a part of a file of the package (None: its copyright file; otherwise
# how the file's path ends) from a line starting with one text up to one starting with another.
# GCC's: the copyright statement with the list of runtime libraries under the GCC Runtime
# Library Exception (libgcc, crtstuff and libstdc++ among them), and that exception. By it the
# programs may be passed on under terms of our choice; the GNU GPL it amends is not reproduced.
# The copyright file leaves out the notices of the original STL, which libstdc++'s containers
# and its tree.o still carry: they come from one of its headers, out of the C comment.
FREE_FORM = {
    "gcc-mingw-w64": {
        "title": "GCC runtime libraries (libstdc++, libgcc)",
        "parts": [
            (None, "GCC is Copyright (C)", "The libbacktrace library is licensed"),
            (None, "GCC RUNTIME LIBRARY EXCEPTION", "libquadmath/"),
            "The GNU General Public License, version 3, that the exception amends is at "
            "https://www.gnu.org/licenses/gpl-3.0.html.",
            "libstdc++'s containers and algorithms, and its red-black tree, come from the "
            "original STL, which carries these notices (as in libstdc++'s bits/stl_tree.h):",
            ("/include/c++/bits/stl_tree.h", "Copyright (c) 1996,1997", " */"),
        ],
    },
}

MACHINE_READABLE = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/"


def linked_inputs(map_path):
    """(file, member or None) for every archive member and object file the link took."""
    lines = Path(map_path).read_text(encoding="utf-8", errors="replace").splitlines()
    inputs = set()
    in_members = False
    for line in lines:
        if line.startswith("Archive member included"):
            in_members = True
        elif in_members and line and not line[0].isspace():
            # ARCHIVE(MEMBER), then what it was taken for, on this line or the next
            match = re.match(r"(\S+\.a)\(([^)]+)\)", line)
            if match:
                inputs.add((match[1], match[2]))
            else:
                in_members = False  # the next part of the map
        match = re.fullmatch(r"LOAD (.+\.o(bj)?)", line)
        if match:
            inputs.add((match[1], None))
    return inputs


def packages_of(paths):
    """The Debian package holding each path, from one dpkg -S."""
    found = subprocess.run(["dpkg", "-S", *paths], capture_output=True, text=True)
    owners = {}
    for line in found.stdout.splitlines():
        if not line.startswith("diversion ") and ": " in line:
            package, path = line.split(": ", 1)
            owners[path] = package.split(":")[0]
    for path in paths:
        if path not in owners:
            sys.exit(f"no Debian package holds {path}: cannot tell its licence")
    return owners


def package_field(package, field):
    return subprocess.run(["dpkg-query", "-W", "-f", "${" + field + "}", package],
                          capture_output=True, text=True, check=True).stdout.strip()


def source_files_of(path):
    """Member (or None for an object file) -> the source file its debug information names."""
    dump = subprocess.run([OBJDUMP, "--dwarf=info", path], capture_output=True, text=True,
                          check=True)
    names = {}
    member = None
    in_unit = False
    for line in dump.stdout.splitlines():
        header = re.fullmatch(r"(\S+):\s+file format \S+", line)
        if header:
            member = header[1] if path.endswith(".a") else None
            in_unit = False
        elif "DW_TAG_compile_unit" in line:
            in_unit = True
        elif in_unit and "DW_AT_name" in line:
            in_unit = False
            names.setdefault(member, re.sub(r"^(\.\.?/)+", "", line.rsplit(": ", 1)[-1].strip()))
    return names


def paragraphs(text):
    """The paragraphs of a machine-readable copyright file, each a dict of field -> value."""
    result = []
    for block in re.split(r"\n\s*\n", text):
        fields = {}
        name = None
        for line in block.splitlines():
            if line[:1].isspace() and name:
                fields[name] += "\n" + line
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = value.strip()
        if fields:
            result.append(fields)
    return result


def unfold(value):
    """A field's continuation lines as plain text: one space off, ' .' for an empty line."""
    lines = []
    for line in value.splitlines():
        line = line[1:] if line.startswith(" ") else line
        lines.append("" if line.strip() == "." else line)
    return "\n".join(lines)


def matches(pattern, source):
    expression = "".join(".*" if c == "*" else "." if c == "?" else re.escape(c) for c in pattern)
    return re.fullmatch(expression, source) is not None or any(
        re.fullmatch(expression, source[i + 1:]) for i, c in enumerate(source) if c == "/")


def machine_readable_notices(text, sources):
    found = paragraphs(text)
    licences = {p["License"].splitlines()[0]: unfold(p["License"].split("\n", 1)[1])
                for p in found if "Files" not in p and "License" in p and "\n" in p["License"]}
    out = []
    for paragraph in found:
        if "Files" not in paragraph:
            continue
        patterns = paragraph["Files"].split()
        named = sorted({s or "(members naming no source: import entries and the like)"
                        for s in sources if any(matches(p, s) for p in patterns)})
        if not named:
            continue
        licence = paragraph["License"]
        name, _, body = licence.partition("\n")
        body = unfold(body) if body else licences.get(name.strip(), "")
        out.append(textwrap.fill("Source files linked: " + ", ".join(named), 78,
                                 subsequent_indent="  ", break_on_hyphens=False) + "\n"
                   + "Copyright: " + unfold(paragraph["Copyright"]) + "\n"
                   + "License: " + name.strip() + ("\n\n" + body if body else ""))
    return out


def package_file(packages, suffix):
    listed = subprocess.run(["dpkg", "-L", *packages], capture_output=True, text=True,
                            check=True).stdout.splitlines()
    found = sorted(path for path in listed if path.endswith(suffix))
    if not found:
        sys.exit(f"{', '.join(packages)} no longer hold a file ending {suffix}")
    return found[0]


def free_form_notices(copyright_file, packages, parts):
    out = []
    for part in parts:
        if isinstance(part, str):
            out.append(textwrap.fill(part, 72, break_on_hyphens=False))
            continue
        file, first, stop = part
        file = package_file(packages, file) if file else copyright_file
        lines = [re.sub(r"^ \*( |$)", "", line)  # a C comment's leading " * " goes
                 for line in Path(file).read_text(encoding="utf-8").splitlines()]
        start = next((i for i, line in enumerate(lines) if line.startswith(first)), None)
        end = next((i for i in range(start or 0, len(lines)) if lines[i].startswith(stop)), None)
        if start is None or end is None:
            sys.exit(f"{file} no longer has lines starting {first!r} and then {stop!r}")
        out.append("\n".join(lines[start:end]).strip("\n"))
    return out


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    target, maps = argv[0], argv[1:]
    inputs = {}  # real path -> {program: members (None for an object file)}
    for map_path in maps:
        program = Path(map_path).stem
        for path, member in linked_inputs(map_path):
            if os.path.isabs(path):  # ours are given relative to the build folder
                programs = inputs.setdefault(os.path.realpath(path), {})
                programs.setdefault(program, set()).add(member)
    owners = packages_of(sorted(inputs))

    # copyright file -> its packages, the linked files with their programs, their source files
    groups = {}
    for path, programs in sorted(inputs.items()):
        package = owners[path]
        copyright_file = os.path.realpath(f"/usr/share/doc/{package}/copyright")
        group = groups.setdefault(copyright_file, {"packages": set(), "files": {},
                                                   "sources": set()})
        group["packages"].add(package)
        group["files"][os.path.basename(path)] = sorted(programs)
        if Path(copyright_file).read_text(encoding="utf-8").startswith(MACHINE_READABLE):
            names = source_files_of(path)
            group["sources"].update(names.get(member, "") for members in programs.values()
                                    for member in members)

    sections = []
    for copyright_file, group in sorted(groups.items()):
        packages = sorted(group["packages"])
        source = package_field(packages[0], "source:Package")
        text = Path(copyright_file).read_text(encoding="utf-8")
        if text.startswith(MACHINE_READABLE):
            title = f"{source} runtime"
            parts = machine_readable_notices(text, group["sources"])
        elif source in FREE_FORM:
            title = FREE_FORM[source]["title"]
            parts = free_form_notices(copyright_file, packages, FREE_FORM[source]["parts"])
        else:
            sys.exit(f"{copyright_file} ({source}) is not machine-readable: choose its parts "
                     "in FREE_FORM of this script")
        files = "\n".join(f"  {name} ({', '.join(programs)})"
                          for name, programs in sorted(group["files"].items()))
        head = (f"{len(sections) + 1}. {title}\n\n"
                f"Debian packages ({source} {package_field(packages[0], 'Version')}):\n"
                f"  {', '.join(packages)}\n"
                f"Linked into the programs from:\n{files}")
        sections.append(RULE + "\n" + head + "\n" + THIN_RULE + "\n\n"
                        + "\n\n".join(parts) + "\n")

    intro = ("THIRD-PARTY NOTICES\n\n"
             "kiv.exe and kivcli.exe are linked statically with parts of the libraries below;\n"
             "this file carries their copyright notices and licence terms, as the copyright\n"
             "files of the Debian packages that provided them state them. kiv itself is under\n"
             "the MIT licence: see LICENSE.txt.\n")
    text = intro + "\n" + "\n".join(sections)
    encoded = text.replace("\n", "\r\n").encode("utf-8")
    if not text.isascii():
        encoded = b"\xef\xbb\xbf" + encoded
    Path(target).write_bytes(encoded)


if __name__ == "__main__":
    main(sys.argv[1:])
