#!/usr/bin/env python3
"""size-map.py PROGRAM.map [--top N]: where the bytes of a MinGW-linked program come from.

Reads the map that GNU ld or ld.lld writes with -Wl,-Map and prints, for each
contributor (our own code, libstdc++, libgcc, winpthreads, the MinGW C
runtime, import tables), how many bytes it puts into code, read-only data,
data, unwind tables and imports, then the N largest objects. Sizes are those of
the input sections, before the file's 512-byte section alignment; .bss is left
out, it takes no room in the file.

ld.lld's map names a library's members without their library: the script then
asks the compiler named in the CMakeCache.txt beside the map where the
runtime libraries are, and looks the members up in them. Standard library only.
"""
import argparse
import collections
import os
import re
import subprocess
import sys

ORDER = ['code', 'rodata', 'data', 'unwind', 'imports', 'resources', 'relocs']
RUNTIME_ARCHIVES = {
    'libstdc++.a': 'libstdc++', 'libsupc++.a': 'libstdc++', 'libgcc.a': 'libgcc', 'libgcc_eh.a': 'libgcc',
    'libwinpthread.a': 'winpthreads', 'libpthread.a': 'winpthreads', 'libmingw32.a': 'MinGW C runtime',
    'libmingwex.a': 'MinGW C runtime', 'libmsvcrt.a': 'MinGW C runtime', 'libmoldname.a': 'MinGW C runtime'}


def column(section):
    """The column an input or output section is counted in, or None."""
    name = section.split('$', 1)[0]
    if name.startswith('.idata'):
        return 'imports'
    if name.startswith('.text') or name in ('.init', '.fini'):
        return 'code'
    if name.startswith(('.rdata', '.rodata')):
        return 'rodata'
    if name.startswith(('.eh_frame', '.gcc_except_table', '.pdata', '.xdata')):
        return 'unwind'
    if name.startswith(('.data', '.CRT', '.tls', '.ctors', '.dtors', '.jcr')):
        return 'data'
    if name == '.rsrc':
        return 'resources'
    if name == '.reloc':
        return 'relocs'
    return None


def archive_members(path):
    """Member names of a Unix archive (GNU or BSD long names)."""
    names = set()
    try:
        with open(path, 'rb') as handle:
            data = handle.read()
    except OSError:
        return names
    if not data.startswith(b'!<arch>\n'):
        return names
    offset, long_names = 8, b''
    while offset + 60 <= len(data):
        header = data[offset:offset + 60]
        name = header[:16].decode('latin-1').rstrip()
        size = int(header[48:58].decode('latin-1').strip() or 0)
        body = data[offset + 60:offset + 60 + size]
        if name == '//':
            long_names = body
        elif name.startswith('/') and name[1:].isdigit():
            start = int(name[1:])
            end = long_names.find(b'/\n', start)
            names.add(long_names[start:end].decode('latin-1'))
        elif name not in ('/', '/SYM64/', '__.SYMDEF'):
            names.add(name.rstrip('/'))
        offset += 60 + size + (size & 1)
    return names


def runtime_members(map_path):
    """Member name -> contributor, from the runtime libraries of the map's build."""
    cache = os.path.join(os.path.dirname(os.path.abspath(map_path)), 'CMakeCache.txt')
    compiler = None
    try:
        with open(cache, encoding='utf-8', errors='replace') as handle:
            for line in handle:
                if line.startswith('CMAKE_CXX_COMPILER:'):
                    compiler = line.split('=', 1)[1].strip()
    except OSError:
        return {}
    members = {}
    for archive, who in RUNTIME_ARCHIVES.items():
        try:
            path = subprocess.run([compiler, '-print-file-name=' + archive], capture_output=True,
                                  text=True, check=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            continue
        for member in archive_members(path):
            members.setdefault(member, who)
    return members


def contributor(origin, members):
    """Groups an input file (archive member or object) under its library."""
    archive = re.match(r'(.*?)\(([^)]*)\)$', origin)
    library = archive.group(1).rsplit('/', 1)[-1] if archive else ''
    base = (archive.group(2) if archive else origin).rsplit('/', 1)[-1]
    if base.endswith(('.obj', '.ltrans.o')):
        return 'our code'
    if library in RUNTIME_ARCHIVES:
        return RUNTIME_ARCHIVES[library]
    if library:
        return 'import tables'
    if base.startswith('crt') and base.endswith('.o'):
        return 'MinGW C runtime'
    if base.endswith('.res'):
        return 'resources'
    if base in members:
        return members[base]
    if re.match(r'lib\w+?([sth]\d*|_defs\d+|_defh|_deft)\.o$', base):
        return 'import tables'
    return 'linker' if not base or base == 'dll stuff' else 'other'


GNU_INPUT = re.compile(r'^ (\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$')
GNU_NAME_ONLY = re.compile(r'^ (\S+)$')
GNU_REST = re.compile(r'^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$')
GNU_OUTPUT = re.compile(r'^(\.\S+)(?:\s+0x[0-9a-f]+\s+0x[0-9a-f]+)?\s*$')
LLD_LINE = re.compile(r'^[0-9a-f]+ ([0-9a-f]+) +\d+ (\s*)(\S.*)$')
LLD_INPUT = re.compile(r'^(.*):\(([^)]*)\)$')


def parse_gnu(lines):
    """(input section, size, file) of each input section in a GNU ld map."""
    started, out, pending = False, None, None
    for line in lines:
        line = line.rstrip('\n')
        if not started:
            started = line.startswith('Linker script and memory map')
            continue
        match = GNU_OUTPUT.match(line)
        if match:
            out, pending = match.group(1), None
            continue
        if out is None or column(out) is None:
            continue
        match = GNU_INPUT.match(line)
        if match:
            yield match.group(1), int(match.group(3), 16), match.group(4)
            continue
        match = GNU_NAME_ONLY.match(line)
        if match:
            pending = match.group(1)
            continue
        match = GNU_REST.match(line) if pending else None
        if match and not match.group(3).startswith('0x') and ' = ' not in match.group(3):
            yield pending, int(match.group(2), 16), match.group(3)
        pending = None


def parse_lld(lines):
    """(input section, size, file) of each input section in an ld.lld map; an
    output section without inputs (.reloc) counts as the linker's."""
    out, out_size, seen_input = None, 0, False
    for line in lines:
        match = LLD_LINE.match(line.rstrip('\n'))
        if not match:
            continue
        size, indent, text = int(match.group(1), 16), len(match.group(2)), match.group(3)
        if indent == 0:
            if out and not seen_input:
                yield out, out_size, 'dll stuff'
            out, out_size, seen_input = text, size, False
        elif indent <= 9:
            seen_input = True
            entry = LLD_INPUT.match(text)
            if entry:
                yield entry.group(2), size, entry.group(1)
    if out and not seen_input:
        yield out, out_size, 'dll stuff'


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('map')
    parser.add_argument('--top', type=int, default=15)
    args = parser.parse_args()
    with open(args.map, encoding='utf-8', errors='replace') as handle:
        lines = handle.readlines()
    is_lld = bool(lines) and lines[0].startswith('Address ')
    members = runtime_members(args.map) if is_lld else {}
    sizes = collections.defaultdict(collections.Counter)
    objects = collections.Counter()
    for section, size, origin in (parse_lld(lines) if is_lld else parse_gnu(lines)):
        where = column(section)
        if size == 0 or where is None or origin.startswith('*'):
            continue
        who = contributor(origin, members)
        sizes[who][where] += size
        objects[(who, origin.rsplit('/', 1)[-1])] += size
    if not sizes:
        print('size-map: no memory map in %s' % args.map, file=sys.stderr)
        return 1
    columns = [c for c in ORDER if any(s[c] for s in sizes.values())]
    print('%-16s' % ('bytes (%s)' % ('ld.lld' if is_lld else 'GNU ld')) +
          ''.join('%10s' % c for c in columns) + '%10s' % 'total')
    totals = collections.Counter()
    for who, counts in sorted(sizes.items(), key=lambda item: -sum(item[1].values())):
        totals.update(counts)
        print('%-16s' % who + ''.join('%10d' % counts[c] for c in columns) + '%10d' % sum(counts.values()))
    print('%-16s' % 'all' + ''.join('%10d' % totals[c] for c in columns) + '%10d' % sum(totals.values()))
    if args.top > 0:
        print('\nlargest objects:')
        for (who, name), size in objects.most_common(args.top):
            print('%8d  %-16s %s' % (size, who, name))
    return 0


if __name__ == '__main__':
    sys.exit(main())
