#!/usr/bin/env python3
"""Checks the measured loop's placement in built binaries, from their disassembly.

For each binary: WorkloadKernel starts on a 64-byte line; WorkloadKernelEnd follows it; the
kernel's code is position independent (no call, no RIP-relative or indirect operand, every
branch inside the kernel); and its loop, from the head to the branch that closes it, lies within
one 64-byte line. All binaries must hold the same kernel bytes, native and Windows alike.

usage: check_placement.py OBJDUMP BINARY... [--optional BINARY...] [--if-listed FILE...]
Binaries after --optional may be stripped: there the kernel's bytes, as found in the other
binaries, must occur once, starting on a 64-byte line. A FILE after --if-listed names a binary
that another build of the tree wrote (the native kivcli, to compare the native and the Windows
bytes); it is checked when the file and the binary exist.
"""

import os
import re
import subprocess
import sys

LINE = 64
KERNEL = "WorkloadKernel"
END = "WorkloadKernelEnd"

HEADER = re.compile(r"^([0-9a-f]+) <([^>]+)>:$")
INSN = re.compile(r"^\s*([0-9a-f]+):\t([0-9a-f ]+?)\s*(?:\t(.*))?$")
BRANCH = re.compile(r"^(j[a-z]+)\s+([0-9a-f]+)\b")


class PlacementError(Exception):
    pass


def disassemble(objdump, binary, symbol):
    """(start address, [(address, bytes, text)]) of one function, or None if absent."""
    run = subprocess.run([objdump, f"--disassemble={symbol}", binary], capture_output=True,
                         text=True)
    if run.returncode:
        raise PlacementError(f"objdump failed: {run.stderr.strip()}")
    out = run.stdout
    start, insns = None, []
    for line in out.splitlines():
        header = HEADER.match(line)
        if header:
            if start is not None:
                break
            if header.group(2) == symbol:
                start = int(header.group(1), 16)
            continue
        if start is None:
            continue
        insn = INSN.match(line)
        if not insn:
            continue
        address, raw, text = int(insn.group(1), 16), bytes.fromhex(insn.group(2)), insn.group(3)
        if text is None and insns:  # a long instruction's bytes go on over two lines
            prev = insns[-1]
            insns[-1] = (prev[0], prev[1] + raw, prev[2])
        else:
            insns.append((address, raw, (text or "").strip()))
    return None if start is None else (start, insns)


def is_padding(text):
    return text.split()[0] in ("nop", "nopl", "nopw", "xchg", "data16", "cs", "int3")


def check(objdump, binary):
    """Returns the kernel's code bytes and a one-line description; raises PlacementError."""
    kernel = disassemble(objdump, binary, KERNEL)
    end = disassemble(objdump, binary, END)
    if kernel is None or end is None:
        raise PlacementError(f"no {KERNEL} / {END} symbols")
    start, insns = kernel
    stop = end[0]
    if start % LINE:
        raise PlacementError(f"{KERNEL} at {start:#x} is not on a {LINE}-byte line")
    if not 0 < stop - start <= 512:
        raise PlacementError(f"{END} at {stop:#x} does not follow {KERNEL} at {start:#x}")

    while insns and is_padding(insns[-1][2]):
        insns.pop()
    if not insns or insns[-1][2] != "ret":
        raise PlacementError(f"{KERNEL} does not end in ret")
    if insns[-1][0] + len(insns[-1][1]) > stop:
        raise PlacementError(f"{KERNEL}'s code runs past {END}")

    back = []
    for address, raw, text in insns:
        if "rip" in text or text.startswith("call") or "*" in text:
            raise PlacementError(f"not position independent at {address:#x}: {text}")
        branch = BRANCH.match(text)
        if branch:
            target = int(branch.group(2), 16)
            if not start <= target < stop:
                raise PlacementError(f"branch out of the kernel at {address:#x}: {text}")
            if target <= address:
                back.append((address + len(raw), target, branch.group(1)))
    if not back:
        raise PlacementError("no loop found")
    head = min(target for _, target, _ in back)
    # The loop closes at the first conditional branch back to its head; the rarely taken paths
    # (a hit, a new digit) may lie beyond it.
    closing = [after for after, target, op in back if target == head and op != "jmp"]
    if not closing:
        raise PlacementError("the loop has no conditional branch back to its head")
    tail = min(closing)
    if head // LINE != (tail - 1) // LINE:
        raise PlacementError(
            f"the loop {head - start:#x}..{tail - start:#x} straddles a {LINE}-byte line")

    code = b"".join(raw for _, raw, _ in insns)
    where = (f"{KERNEL} at {start:#x}, {len(code)} bytes; loop at +{head - start:#x}.."
             f"+{tail - start:#x} ({tail - head} bytes), line {(head - start) // LINE}")
    return code, where


SECTION = re.compile(r"^\s*\d+\s+(\S+)\s+([0-9a-f]+)\s+([0-9a-f]+)\s+[0-9a-f]+\s+([0-9a-f]+)")


def locate(objdump, binary, code):
    """Where code occurs in a binary without symbols; describes it, or raises PlacementError."""
    run = subprocess.run([objdump, "-h", binary], capture_output=True, text=True)
    if run.returncode:
        raise PlacementError(f"objdump failed: {run.stderr.strip()}")
    with open(binary, "rb") as f:
        data = f.read()
    found = []
    for line in run.stdout.splitlines():
        section = SECTION.match(line)
        if not section or not section.group(1).startswith(".text"):
            continue
        size, vma, offset = (int(section.group(i), 16) for i in (2, 3, 4))
        content = data[offset:offset + size]
        at = content.find(code)
        while at >= 0:
            found.append(vma + at)
            at = content.find(code, at + 1)
    if len(found) != 1:
        raise PlacementError(f"the kernel's bytes occur {len(found)} times, not once")
    if found[0] % LINE:
        raise PlacementError(f"the kernel at {found[0]:#x} is not on a {LINE}-byte line")
    return f"no symbols; the kernel's bytes at {found[0]:#x}"


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    objdump, groups, group = argv[1], {"": [], "--optional": [], "--if-listed": []}, ""
    for arg in argv[2:]:
        if arg in groups:
            group = arg
        elif arg:
            groups[group].append(arg)
    required, optional = groups[""], groups["--optional"]
    for listing in groups["--if-listed"]:
        if os.path.exists(listing):
            binary = open(listing, encoding="utf-8").read().strip()
            if os.path.exists(binary):
                required.append(binary)

    failed, codes, stripped = False, {}, []
    for binary in required + optional:
        try:
            code, where = check(objdump, binary)
            codes[binary] = code
            print(f"ok   {binary}: {where}")
        except PlacementError as error:
            if binary in optional and str(error).startswith("no "):
                stripped.append(binary)
                continue
            print(f"FAIL {binary}: {error}")
            failed = True
    for binary in stripped:
        try:
            if not codes:
                raise PlacementError("no other binary to take the kernel's bytes from")
            print(f"ok   {binary}: {locate(objdump, binary, next(iter(codes.values())))}")
        except PlacementError as error:
            print(f"FAIL {binary}: {error}")
            failed = True
    if len(set(codes.values())) > 1:
        print("FAIL the kernel's bytes differ between binaries:")
        for binary, code in codes.items():
            print(f"     {binary}: {code.hex()}")
        failed = True
    if not codes:
        print("FAIL no binary checked")
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
