#!/usr/bin/env python3
"""Message-module builder: readable message tables in, resource-only DLLs out.

Two source kinds are understood, told apart by the file's ending:

* ``.errors`` -- the error catalogue (see catalogue/README.md): entries of
  name, type, title and description. Each entry becomes the message whose
  number is the name's digits read as hexadecimal, with the text
  ``type 0x95 title 0x95 CR LF description`` in Windows-1252. Consecutive
  numbers share a block.

* ``.msgtable`` -- a layout written block by block, used by the tests to make
  modules with exactly the byte layout they need, lies included:

      # comment
      blocks 7                      claim 7 blocks whatever follows
      block 0x2008                  a block starting at 0x2008; HighId follows
                                    from its entries unless high=... is given;
                                    offset=... overrides OffsetToEntries;
                                    copies=N repeats its descriptor N times,
                                    all pointing at the one set of entries
      ansi "Error\\x95title\\x95\\r\\ntext"    an ANSI entry; length=N overrides
      utf16 "text"                  a UTF-16 entry (Flags 1)
      zeroword                      a 16-bit zero word before the next entry
      raw 41 42 00                  raw bytes; times=N repeats them N times
      truncate 40                   cut the finished table to 40 bytes
      layout 2 0 1                  lay the blocks' entries out in this order
                                    of the blocks (counted from 0), not in
                                    the blocks' own
      language 0x0407               the blocks after it form another table
                                    1, in that language; blocks before the
                                    first such line are in language 0
      claimsize 0x100000            the module's resource directory claims
                                    this many bytes for the table, whatever
                                    it holds (SizeofResource answers it)

  Strings take the escapes \\xHH, \\r, \\n, \\t, \\\\ and \\".

Commands:

  msgmod.py table SOURCE OUT.bin            write the message-table bytes
  msgmod.py dll SOURCE OUT.dll --windres W --cc CC [--version X.Y.Z VERSION.rc]
                                            build a resource-only DLL; with
                                            --version it carries the version
                                            resource that VERSION.rc lays out
  msgmod.py expected SOURCE.errors OUT.txt  one line per message: the number in
                                            hex, a tab, the text's bytes in hex
                                            (what the formatter must give back)
  msgmod.py lint [--floors FLOORS] FILE.errors...
                                            check catalogue sources; faults are
                                            printed as file:line: message. It
                                            counts the entries with an example
                                            per tool family; with --floors it
                                            fails when a family has fewer than
                                            the floor FLOORS gives it
"""

import os
import re
import struct
import subprocess
import sys
import tempfile

SEPARATOR = b"\x95"
TYPES = ("Fatal Error", "Error", "Warning")
TITLE_LIMIT = 60
NAME_LIMIT = 7

# The module each catalogue file builds, and the letters its names start with.
MODULE_PATTERNS = {
    "ML": ("A",),
    "CVTRES": ("CVT",),
    "NMAKE": ("U",),
    "linklib": ("LNK",),
    "rcc": ("RC",),
    "rcw": ("RW",),
}


class SourceError(Exception):
    def __init__(self, path, line, message):
        super().__init__(f"{path}:{line}: {message}")


# ---------------------------------------------------------------------------
# The binary layout


class Entry:
    def __init__(self, data, flags=0, length=None, zero_word=False):
        self.data = data
        self.flags = flags
        self.length = length
        self.zero_word = zero_word

    def natural_length(self):
        terminator = b"\0\0" if self.flags == 1 else b"\0"
        size = 4 + len(self.data) + len(terminator)
        return (size + 3) & ~3

    def encode(self):
        natural = self.natural_length()
        body = self.data + b"\0" * (natural - 4 - len(self.data))
        length = natural if self.length is None else self.length
        prefix = b"\0\0" if self.zero_word else b""
        return prefix + struct.pack("<HH", length & 0xFFFF, self.flags) + body


class Block:
    def __init__(self, low, high=None, offset=None, copies=1):
        self.low = low
        self.high = high
        self.offset = offset
        self.copies = copies
        self.entries = []
        self.raw = b""


def encode_table(blocks, claimed_blocks=None, truncate=None, layout=None):
    header_size = 4 + 12 * sum(block.copies for block in blocks)
    chunks = []
    offsets = [0] * len(blocks)
    position = header_size
    for index in layout or range(len(blocks)):
        block = blocks[index]
        body = block.raw + b"".join(e.encode() for e in block.entries)
        offsets[index] = position
        chunks.append(body)
        position += len(body)
    count = sum(block.copies for block in blocks) if claimed_blocks is None else claimed_blocks
    out = bytearray(struct.pack("<I", count & 0xFFFFFFFF))
    for block, offset in zip(blocks, offsets):
        high = block.high
        if high is None:
            high = block.low + max(len(block.entries), 1) - 1
        real_offset = offset if block.offset is None else block.offset
        out += struct.pack("<III", block.low & 0xFFFFFFFF, high & 0xFFFFFFFF,
                           real_offset & 0xFFFFFFFF) * block.copies
    for chunk in chunks:
        out += chunk
    if truncate is not None:
        out = out[:truncate]
    return bytes(out)


# ---------------------------------------------------------------------------
# .msgtable sources

_ESCAPE = re.compile(r'\\(x[0-9A-Fa-f]{2}|r|n|t|\\|")')


def _unescape(text, path, line):
    out = bytearray()
    i = 0
    while i < len(text):
        if text[i] == "\\":
            m = _ESCAPE.match(text, i)
            if not m:
                raise SourceError(path, line, f"unknown escape in string: {text[i:i + 4]!r}")
            code = m.group(1)
            if code[0] == "x":
                out.append(int(code[1:], 16))
            else:
                out += {"r": b"\r", "n": b"\n", "t": b"\t", "\\": b"\\", '"': b'"'}[code]
            i = m.end()
        else:
            out += text[i].encode("cp1252")
            i += 1
    return bytes(out)


def _options(words, path, line, allowed):
    result = {}
    for word in words:
        key, sep, value = word.partition("=")
        if not sep or key not in allowed:
            raise SourceError(path, line, f"unexpected word {word!r}")
        result[key] = int(value, 0)
    return result


def parse_msgtable_languages(path):
    """The tables of a .msgtable source: a list of (language, table bytes)."""
    tables = []
    language = 0
    blocks = []
    claimed = None
    truncate = None
    layout = None
    zero_word = False
    with open(path, encoding="utf-8") as f:
        for number, raw_line in enumerate(f, 1):
            line = raw_line.strip()
            if not line or line.startswith("#"):
                continue
            keyword, _, rest = line.partition(" ")
            if keyword == "blocks":
                claimed = int(rest, 0)
            elif keyword == "truncate":
                truncate = int(rest, 0)
            elif keyword == "layout":
                layout = [int(word, 0) for word in rest.split()]
            elif keyword == "language":
                if blocks:
                    tables.append((language, encode_table(blocks, claimed, truncate, layout)))
                language = int(rest, 0)
                blocks, claimed, truncate, layout = [], None, None, None
            elif keyword == "claimsize":
                pass  # a lie of the built module, not of the table: see claimed_table_size
            elif keyword == "block":
                words = rest.split()
                if not words:
                    raise SourceError(path, number, "block needs its low number")
                opts = _options(words[1:], path, number, ("high", "offset", "copies"))
                blocks.append(Block(int(words[0], 0), opts.get("high"), opts.get("offset"),
                                    opts.get("copies", 1)))
            elif keyword in ("ansi", "utf16"):
                if not blocks:
                    raise SourceError(path, number, "an entry outside a block")
                m = re.match(r'^(.*?)"(.*)"\s*$', rest)
                if not m:
                    raise SourceError(path, number, "an entry needs a quoted text")
                opts = _options(m.group(1).split(), path, number, ("length",))
                data = _unescape(m.group(2), path, number)
                if keyword == "utf16":
                    data = data.decode("cp1252").encode("utf-16-le")
                blocks[-1].entries.append(Entry(data, 1 if keyword == "utf16" else 0,
                                                opts.get("length"), zero_word))
                zero_word = False
            elif keyword == "zeroword":
                zero_word = True
            elif keyword == "raw":
                if not blocks:
                    raise SourceError(path, number, "raw bytes outside a block")
                target = blocks[-1]
                if target.entries:
                    raise SourceError(path, number, "raw bytes must come before a block's entries")
                words = rest.split()
                times = _options([w for w in words if "=" in w], path, number, ("times",)).get("times", 1)
                target.raw += bytes(int(b, 16) for b in words if "=" not in b) * times
            else:
                raise SourceError(path, number, f"unknown keyword {keyword!r}")
    tables.append((language, encode_table(blocks, claimed, truncate, layout)))
    return tables


def parse_msgtable(path):
    return parse_msgtable_languages(path)[0][1]


def claimed_table_size(source):
    """The size a .msgtable source's module is to claim for its table
    ('claimsize N'), or None: the true one."""
    if not source.endswith(".msgtable"):
        return None
    claimed = None
    with open(source, encoding="utf-8") as f:
        for line in f:
            keyword, _, rest = line.strip().partition(" ")
            if keyword == "claimsize":
                claimed = int(rest, 0)
    return claimed


def _rva_to_offset(sections, rva):
    for virtual_address, virtual_size, raw_size, raw_offset in sections:
        if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
            return raw_offset + rva - virtual_address
    raise SystemExit(f"RVA {rva:#x} lies in no section")


def _resource_subentry(image, root, directory, wanted_id):
    """The offset (from the resource section's start) that the entry of
    wanted_id (None: the first entry) in a resource directory points to."""
    named, ids = struct.unpack_from("<HH", image, root + directory + 12)
    for i in range(named + ids):
        name, target = struct.unpack_from("<II", image, root + directory + 16 + 8 * i)
        if wanted_id is None or (not name & 0x80000000 and name == wanted_id):
            return target & 0x7FFFFFFF
    raise SystemExit(f"no resource entry {wanted_id}")


def claim_table_size(path, size):
    """Makes the module's resource directory claim size bytes for message
    table 1: the Size of its data entry is overwritten, nothing else moves."""
    with open(path, "rb") as f:
        image = bytearray(f.read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    section_count = struct.unpack_from("<H", image, pe + 6)[0]
    optional_size = struct.unpack_from("<H", image, pe + 20)[0]
    optional = pe + 24
    resource_rva = struct.unpack_from("<I", image, optional + 96 + 8 * 2)[0]
    sections = []
    for i in range(section_count):
        header = optional + optional_size + 40 * i
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from("<IIII", image, header + 8)
        sections.append((virtual_address, virtual_size, raw_size, raw_offset))
    root = _rva_to_offset(sections, resource_rva)
    names = _resource_subentry(image, root, 0, 11)         # type RT_MESSAGETABLE
    languages = _resource_subentry(image, root, names, 1)  # name 1
    data_entry = _resource_subentry(image, root, languages, None)
    struct.pack_into("<I", image, root + data_entry + 4, size)
    with open(path, "wb") as f:
        f.write(image)


# ---------------------------------------------------------------------------
# .errors sources (the catalogue)


class CatalogueEntry:
    def __init__(self, path, line, name, kind, title):
        self.path = path
        self.line = line
        self.name = name
        self.kind = kind
        self.title = title
        self.lines = []  # (line number, text)


def module_of(path):
    return os.path.splitext(os.path.basename(path))[0]


def read_catalogue(path):
    """Parses a .errors file; raises SourceError at the first fault of form."""
    entries = []
    current = None
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        line = raw[:e.start].count(b"\n") + 1
        raise SourceError(path, line, "not UTF-8 text")
    for number, line in enumerate(text.split("\n"), 1):
        line = line.rstrip("\r")
        if "\t" in line:
            raise SourceError(path, number, "tab character (use spaces)")
        if line.startswith("=="):
            fields = [p.strip() for p in line[2:].split(" | ")]
            if len(fields) != 3 or not all(fields):
                raise SourceError(path, number, "header must be '== NAME | TYPE | TITLE'")
            current = CatalogueEntry(path, number, *fields)
            entries.append(current)
        elif line.startswith("#"):
            if current is not None and any(t.strip() for _, t in current.lines):
                # A comment closes the entry before it; later description lines are an error.
                current.closed = True
        else:
            if current is None:
                if line.strip():
                    raise SourceError(path, number, "text before the first entry")
                continue
            if getattr(current, "closed", False) and line.strip():
                raise SourceError(path, number, "description text after a comment line")
            current.lines.append((number, line))
    return entries


def render_description(entry):
    """Turns the description's source lines into the text shown (CR LF breaks)."""
    out = []          # finished output lines
    paragraph = None  # index into out of the paragraph being joined, or None
    lines = list(entry.lines)
    while lines and not lines[0][1].strip():
        lines.pop(0)
    while lines and not lines[-1][1].strip():
        lines.pop()
    for _, line in lines:
        if not line.strip():
            out.append("")
            paragraph = None
        elif line.startswith("    "):
            out.append(line.rstrip())
            paragraph = None
        elif line.startswith("- "):
            out.append(line.rstrip())
            paragraph = len(out) - 1
        elif line.startswith("  ") and paragraph is not None and out[paragraph].startswith("- "):
            out[paragraph] += " " + line.strip()
        elif paragraph is not None and not out[paragraph].startswith("- "):
            out[paragraph] += " " + line.strip()
        else:
            out.append(line.strip())
            paragraph = len(out) - 1
    # Collapse runs of blank lines into one.
    tidy = []
    for line in out:
        if line == "" and tidy and tidy[-1] == "":
            continue
        tidy.append(line)
    return "\r\n".join(tidy)


# Labels that introduce what follows them: an example's two sides, a fix, a list
# of causes. At column 0 a label starts a paragraph of its own; after a text line
# it would be joined onto that paragraph ("...programs): Wrong:"), and a text
# line after a label standing alone would be joined onto the label.
LABEL = re.compile(r"(Wrong|Right|Fix|Fixes|Examples?|Note|Common causes? and fixes|Common causes?"
                   r"|Generic checks|What to (?:do|try|check)|Things to check|Useful hints)"
                   r"(?: \([^)]*\))?:")
EXAMPLE_LABEL = re.compile(r"( *)(Wrong|Right)(?: \([^)]*\))?:")


def _is_text(line):
    """A line the display joins onto the paragraph before it."""
    return bool(line.strip()) and not line.startswith("    ") and not line.startswith("- ")


def layout_faults(entry):
    """The description lines that render otherwise than they read: a label joined
    onto the text before it, text joined onto a label. (line number, message) pairs."""
    faults = []
    lines = entry.lines
    for i, (number, line) in enumerate(lines):
        stripped = line.lstrip(" ")
        indent = len(line) - len(stripped)
        m = LABEL.match(stripped)
        if m is None or indent >= 4:
            continue  # not a label, or a label written as code (kept as it is)
        label = m.group(0)
        if indent:
            if m.group(1) in ("Wrong", "Right"):
                faults.append((number, f"{entry.name}: '{label}' is indented {indent} spaces, so it is "
                                       f"joined onto the text before it; write it at column 0"))
            continue
        if i > 0 and _is_text(lines[i - 1][1]):
            faults.append((number, f"{entry.name}: '{label}' follows a text line and is joined onto "
                                   f"it; put a blank line before the label"))
        if not stripped[m.end():].strip() and i + 1 < len(lines) and _is_text(lines[i + 1][1]):
            faults.append((lines[i + 1][0], f"{entry.name}: text right after the label '{label}' is "
                                            f"joined onto it; put code (four spaces) or a blank line "
                                            f"after the label"))
    return faults


def has_example(entry):
    """True when the description shows a wrong and a right example: a Wrong label
    and a Right label (at column 0 or written as code), each followed by code."""
    found = set()
    lines = [line for _, line in entry.lines]
    for i, line in enumerate(lines[:-1]):
        m = EXAMPLE_LABEL.fullmatch(line.rstrip())
        if m is None:
            continue
        indent = len(m.group(1))
        after = lines[i + 1]
        if after.startswith(" " * max(4, indent + 1)) and after.strip():
            found.add(m.group(2))
    return found == {"Wrong", "Right"}


def message_number(name, patterns):
    """The message number of an error name: its decimal digits read as hex."""
    for pattern in patterns:
        m = re.fullmatch(re.escape(pattern) + r"([0-9]+)", name)
        if m:
            return int(m.group(1), 16)
    return None


def message_text(entry):
    return (entry.kind.encode("cp1252") + SEPARATOR + entry.title.encode("cp1252") + SEPARATOR
            + b"\r\n" + render_description(entry).encode("cp1252"))


def catalogue_table(path):
    entries = read_catalogue(path)
    patterns = MODULE_PATTERNS.get(module_of(path))
    if patterns is None:
        raise SourceError(path, 1, f"no module is named {module_of(path)!r}")
    messages = {}
    for entry in entries:
        for line, fault in layout_faults(entry):
            raise SourceError(path, line, fault)
        number = message_number(entry.name, patterns)
        if number is None:
            raise SourceError(path, entry.line, f"{entry.name} does not belong to this module")
        if number in messages:
            raise SourceError(path, entry.line, f"{entry.name} appears twice")
        messages[number] = message_text(entry)
    blocks = []
    for number in sorted(messages):
        if not blocks or number != blocks[-1].low + len(blocks[-1].entries):
            blocks.append(Block(number))
        blocks[-1].entries.append(Entry(messages[number]))
    return encode_table(blocks), entries


# The tool family each catalogue file counts for in the example floors.
FAMILIES = {
    "ML": "ML",
    "CVTRES": "CVTRES",
    "NMAKE": "NMAKE",
    "linklib": "LINK",
    "rcc": "RC",
    "rcw": "RC",
}


def read_floors(path):
    """The floors file: one 'FAMILY COUNT' a line, '#' lines are comments.
    Returns ({family: (count, line number)}, faults)."""
    floors = {}
    faults = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            words = line.split()
            if (len(words) != 2 or words[0] not in FAMILIES.values() or not words[1].isdigit()
                    or words[0] in floors):
                faults.append(f"{path}:{number}: expected a family ({', '.join(sorted(set(FAMILIES.values())))})"
                              f" not named before, and a count")
                continue
            floors[words[0]] = (int(words[1]), number)
    return floors, faults


def example_counts(paths):
    """{family: (entries with an example, entries)} over the catalogue files."""
    counts = {}
    for path in paths:
        family = FAMILIES.get(module_of(path))
        if family is None:
            continue
        entries = read_catalogue(path)
        examples, total = counts.get(family, (0, 0))
        counts[family] = (examples + sum(1 for e in entries if has_example(e)), total + len(entries))
    return counts


def floor_faults(paths, floors_path):
    """Faults for each family with fewer entries with an example than its floor."""
    floors, faults = read_floors(floors_path)
    given = {module_of(p) for p in paths}
    counts = example_counts(paths)
    for family, (floor, number) in floors.items():
        missing = [m for m, f in FAMILIES.items() if f == family and m not in given]
        if missing:
            faults.append(f"{floors_path}:{number}: the floor of {family} needs "
                          f"{', '.join(m + '.errors' for m in missing)} among the files linted")
            continue
        examples, total = counts[family]
        if examples < floor:
            faults.append(f"{floors_path}:{number}: {family} has {examples} entries with an example "
                          f"(of {total}), fewer than its floor {floor}")
    for family in counts:
        if family not in floors:
            faults.append(f"{floors_path}:1: no floor for {family}")
    return faults


def lint(paths, floors_path=None):
    faults = []
    for path in paths:
        try:
            entries = read_catalogue(path)
        except SourceError as e:
            faults.append(str(e))
            continue
        module = module_of(path)
        patterns = MODULE_PATTERNS.get(module)
        if patterns is None:
            faults.append(f"{path}:1: no module is named {module!r}")
            continue
        seen = {}
        for entry in entries:
            where = f"{path}:{entry.line}"
            name = entry.name
            if len(name) > NAME_LIMIT:
                faults.append(f"{where}: {name} is longer than {NAME_LIMIT} characters")
            if message_number(name, patterns) is None:
                faults.append(f"{where}: {name} is not {' or '.join(patterns)} followed by decimal digits")
            if name in seen:
                faults.append(f"{where}: {name} appears twice (first at line {seen[name]})")
            seen.setdefault(name, entry.line)
            if entry.kind not in TYPES:
                faults.append(f"{where}: type {entry.kind!r} is not one of {', '.join(TYPES)}")
            if len(entry.title) > TITLE_LIMIT:
                faults.append(f"{where}: title has {len(entry.title)} characters, more than {TITLE_LIMIT}")
            description = render_description(entry)
            if not description.strip():
                faults.append(f"{where}: {name} has no description")
            for number, line in [(entry.line, entry.title)] + entry.lines:
                try:
                    line.encode("cp1252")
                except UnicodeEncodeError as e:
                    faults.append(f"{path}:{number}: {line[e.start]!r} has no Windows-1252 code")
                if "\x95" in line:
                    faults.append(f"{path}:{number}: the separator character cannot appear in a text")
                if any(ord(c) < 32 for c in line):
                    faults.append(f"{path}:{number}: control character in the text")
            for number, fault in layout_faults(entry):
                faults.append(f"{path}:{number}: {fault}")
    if floors_path is not None and not faults:
        faults += floor_faults(paths, floors_path)
    return faults


# ---------------------------------------------------------------------------
# Commands


def table_bytes(source):
    if source.endswith(".errors"):
        return catalogue_table(source)[0]
    if source.endswith(".msgtable"):
        return parse_msgtable(source)
    raise SystemExit(f"{source}: a source ends in .errors or .msgtable")


# What Explorer's Properties call each module (its FileDescription).
MODULE_TOOLS = {
    "ML": "ML (MASM)",
    "CVTRES": "CVTRES",
    "NMAKE": "NMAKE",
    "linklib": "LINK, LIB, DUMPBIN and EDITBIN",
    "rcc": "RC (RC numbers)",
    "rcw": "RC (RW numbers)",
}


def version_resource(out, version, layout):
    """Resource-script lines that give the module at out the version resource
    laid out in the script layout (the one every shipped file uses)."""
    parts = version.split(".")
    if len(parts) != 3 or not all(p.isdigit() for p in parts):
        raise SystemExit(f"version {version!r} is not MAJOR.MINOR.PATCH")
    name = os.path.basename(out)
    tools = MODULE_TOOLS.get(module_of(out), module_of(out))
    return (f"#define ORVA_VERSION_MAJOR {parts[0]}\n"
            f"#define ORVA_VERSION_MINOR {parts[1]}\n"
            f"#define ORVA_VERSION_PATCH {parts[2]}\n"
            f"#define ORVA_VERSION_TEXT \"{version}\"\n"
            f"#define ORVA_FILE_DESCRIPTION \"ORVA message module: the errors of {tools}\"\n"
            f"#define ORVA_ORIGINAL_FILENAME \"{name}\"\n"
            f"#define ORVA_FILE_TYPE VFT_DLL\n"
            f"#include \"{os.path.abspath(layout)}\"\n")


def build_dll(source, out, windres, cc, version=None):
    tables = parse_msgtable_languages(source) if source.endswith(".msgtable") else [(0, table_bytes(source))]
    with tempfile.TemporaryDirectory() as work:
        rc = os.path.join(work, "module.rc")
        with open(rc, "w") as f:
            for number, (language, data) in enumerate(tables):
                with open(os.path.join(work, f"table{number}.bin"), "wb") as table:
                    table.write(data)
                f.write(f"LANGUAGE {language & 0x3FF}, {language >> 10}\n1 MESSAGETABLE \"table{number}.bin\"\n")
            if version is not None:
                f.write(version_resource(out, *version))
        obj = os.path.join(work, "module.o")
        subprocess.run([windres, "-i", rc, "-o", obj, "-O", "coff"], check=True, cwd=work)
        subprocess.run([cc, "-shared", "-nostdlib", "-s", "-Wl,-e,0", "-o", out, obj], check=True)
    claimed = claimed_table_size(source)
    if claimed is not None:
        claim_table_size(out, claimed)


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    command = argv[1]
    try:
        if command == "table" and len(argv) == 4:
            with open(argv[3], "wb") as f:
                f.write(table_bytes(argv[2]))
        elif command == "dll" and len(argv) == 8 and argv[4] == "--windres" and argv[6] == "--cc":
            build_dll(argv[2], argv[3], argv[5], argv[7])
        elif (command == "dll" and len(argv) == 11 and argv[4] == "--windres" and argv[6] == "--cc"
              and argv[8] == "--version"):
            build_dll(argv[2], argv[3], argv[5], argv[7], (argv[9], argv[10]))
        elif command == "expected" and len(argv) == 4:
            _, entries = catalogue_table(argv[2])
            patterns = MODULE_PATTERNS[module_of(argv[2])]
            with open(argv[3], "w") as f:
                for entry in entries:
                    number = message_number(entry.name, patterns)
                    f.write(f"{entry.name}\t{number:X}\t{message_text(entry).hex()}\n")
        elif command == "lint" and len(argv) >= 3 and (argv[2] != "--floors" or len(argv) >= 5):
            floors, paths = (argv[3], argv[4:]) if argv[2] == "--floors" else (None, argv[2:])
            faults = lint(paths, floors)
            for fault in faults:
                print(fault)
            if faults:
                return 1
            count = sum(len(read_catalogue(p)) for p in paths)
            examples = ", ".join(f"{family} {n} of {total}"
                                 for family, (n, total) in example_counts(paths).items())
            print(f"lint: {count} entries in {len(paths)} files, no faults; with an example: {examples}")
        else:
            print(__doc__)
            return 2
    except SourceError as e:
        print(e, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
