#!/usr/bin/env python3
"""size-map.py PROGRAM.map [--top N]: where the bytes of a MinGW-linked program come from.

Reads the map GNU ld writes with -Wl,-Map and prints, for each contributor
(our own code, libstdc++, libgcc, winpthreads, the MinGW C runtime, import
stubs), how many bytes it puts into code, read-only data, data and the
exception tables, then the N largest single objects. Sizes are those of the
input sections, before the file's 512-byte section alignment; .bss is left
out as it takes no room in the file. Standard library only.
"""
import argparse
import collections
import re
import sys

# Output sections and the column each is counted in.
COLUMNS = {'.text': 'code', '.rdata': 'rodata', '.data': 'data', '.eh_frame': 'unwind',
           '.pdata': 'unwind', '.xdata': 'unwind', '.idata': 'imports', '.CRT': 'data',
           '.tls': 'data', '.rsrc': 'resources', '.reloc': 'relocs'}
ORDER = ['code', 'rodata', 'data', 'unwind', 'imports', 'resources', 'relocs']

INPUT = re.compile(r'^ (\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$')
INPUT_NAME_ONLY = re.compile(r'^ (\S+)$')
INPUT_REST = re.compile(r'^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$')
OUTPUT = re.compile(r'^(\.\S+)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+))?\s*$')


def contributor(origin):
    """Groups an input file (archive member or object) under its library."""
    archive = re.match(r'(.*?)\(([^)]*)\)$', origin)
    name = archive.group(1) if archive else origin
    base = name.rsplit('/', 1)[-1]
    if base.startswith('libstdc++') or base.startswith('libsupc++'):
        return 'libstdc++'
    if base.startswith('libgcc'):
        return 'libgcc'
    if base.startswith('libwinpthread') or base.startswith('libpthread'):
        return 'winpthreads'
    if base in ('libmingw32.a', 'libmingwex.a', 'libmsvcrt.a', 'libmoldname.a') or base.startswith('crt'):
        return 'MinGW C runtime'
    if '/usr/' in name and base.endswith('.a'):
        return 'import stubs'
    if base.endswith('.res') or base.endswith('.rc.res'):
        return 'resources'
    if name.startswith('*') or not name or name == 'dll stuff':
        return 'linker'
    return 'our code'


def parse(lines):
    sizes = collections.defaultdict(lambda: collections.Counter())
    objects = collections.Counter()
    column = None
    pending = None
    started = False
    for line in lines:
        line = line.rstrip('\n')
        if not started:
            started = line.startswith('Linker script and memory map')
            continue
        out = OUTPUT.match(line)
        if out:
            column = COLUMNS.get(out.group(1))
            pending = None
            continue
        if column is None:
            continue
        entry = INPUT.match(line)
        if entry:
            _, size, origin = entry.group(1), int(entry.group(3), 16), entry.group(4)
        else:
            only = INPUT_NAME_ONLY.match(line)
            if only:
                pending = only.group(1)
                continue
            rest = INPUT_REST.match(line) if pending else None
            pending = None
            if not rest or rest.group(3).startswith('0x') or ' = ' in rest.group(3):
                continue
            size, origin = int(rest.group(2), 16), rest.group(3)
        if size == 0 or origin.startswith('*'):
            continue
        who = contributor(origin)
        sizes[who][column] += size
        objects[(who, origin.rsplit('/', 1)[-1])] += size
    return sizes, objects


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('map')
    parser.add_argument('--top', type=int, default=15)
    args = parser.parse_args()
    with open(args.map, encoding='utf-8', errors='replace') as handle:
        sizes, objects = parse(handle)
    if not sizes:
        print('size-map: no memory map in %s' % args.map, file=sys.stderr)
        return 1
    columns = [c for c in ORDER if any(s[c] for s in sizes.values())]
    print('%-18s' % 'bytes' + ''.join('%10s' % c for c in columns) + '%10s' % 'total')
    totals = collections.Counter()
    for who, counts in sorted(sizes.items(), key=lambda item: -sum(item[1].values())):
        totals.update(counts)
        print('%-18s' % who + ''.join('%10d' % counts[c] for c in columns) + '%10d' % sum(counts.values()))
    print('%-18s' % 'all' + ''.join('%10d' % totals[c] for c in columns) + '%10d' % sum(totals.values()))
    if args.top > 0:
        print('\nlargest objects:')
        for (who, name), size in objects.most_common(args.top):
            print('%8d  %-16s %s' % (size, who, name))
    return 0


if __name__ == '__main__':
    sys.exit(main())
