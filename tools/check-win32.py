#!/usr/bin/env python3
"""check-win32.py PROGRAM.exe: checks the 32-bit program users run.

It must be a 32-bit (i386) GUI program, import only from system DLLs (no
MinGW runtime DLLs beside it), carry icon group 1 (32 x 32 and 16 x 16, 16
colours), menu 2 and dialog 1, and carry no manifest with a
requestedExecutionLevel (that would switch off the file virtualisation a
standard user needs to save the configuration in the Windows directory).
Prints every failure and exits with 1 if there is one. Standard library only.
"""
import struct
import sys

MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
SUBSYSTEM_GUI = 2
RT_MENU, RT_DIALOG, RT_GROUP_ICON, RT_MANIFEST = 4, 5, 14, 24
SYSTEM_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'shell32.dll', 'comdlg32.dll',
               'advapi32.dll', 'msvcrt.dll'}


class BadImage(Exception):
    pass


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b'MZ':
            raise BadImage('no MZ header: not a Windows program')
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b'PE\0\0':
            raise BadImage('no PE signature: not a Windows program')
        coff = pe + 4
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from('<HHIIIHH', data, coff)
        opt = coff + 20
        self.magic = self.u16(opt)
        self.subsystem = self.u16(opt + 68)
        if self.magic == PE32_MAGIC:
            dirs_count, dirs = self.u32(opt + 92), opt + 96
        else:
            dirs_count, dirs = self.u32(opt + 108), opt + 112
        self.dirs = [struct.unpack_from('<II', data, dirs + 8 * i) for i in range(min(dirs_count, 16))]
        self.sections = []
        table = opt + optional_size
        for i in range(sections):
            _, vsize, vaddr, raw_size, raw_ptr = struct.unpack_from('<8sIIII', data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, raw_size), raw_ptr, raw_size))

    def u16(self, off):
        return struct.unpack_from('<H', self.data, off)[0]

    def u32(self, off):
        return struct.unpack_from('<I', self.data, off)[0]

    def offset(self, rva):
        for vaddr, size, raw_ptr, raw_size in self.sections:
            if vaddr <= rva < vaddr + size:
                if rva - vaddr >= raw_size:
                    raise BadImage('address 0x%x lies outside the file' % rva)
                return raw_ptr + rva - vaddr
        raise BadImage('address 0x%x is in no section' % rva)

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b'\0', start)].decode('ascii', 'replace')

    def directory(self, index):
        return self.dirs[index] if index < len(self.dirs) else (0, 0)

    def imported_dlls(self):
        dlls = []
        rva, size = self.directory(1)
        if rva and size:
            off = self.offset(rva)
            while True:
                desc = struct.unpack_from('<IIIII', self.data, off)
                if not any(desc):
                    break
                dlls.append(self.cstring(desc[3]))
                off += 20
        rva, size = self.directory(13)  # delay-loaded imports
        if rva and size:
            off = self.offset(rva)
            while True:
                desc = struct.unpack_from('<8I', self.data, off)
                if not any(desc):
                    break
                dlls.append(self.cstring(desc[1]))
                off += 32
        return dlls

    def resources(self):
        """{(type, name): [data, ...]} over all languages; names are ids or strings."""
        found = {}
        rva, size = self.directory(2)
        if not (rva and size):
            return found
        base = self.offset(rva)

        def entries(dir_off):
            named, ids = struct.unpack_from('<HH', self.data, base + dir_off + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from('<II', self.data, base + dir_off + 16 + 8 * i)
                if name & 0x80000000:
                    at = base + (name & 0x7FFFFFFF)
                    length = self.u16(at)
                    name = self.data[at + 2:at + 2 + 2 * length].decode('utf-16-le')
                yield name, target

        for rtype, type_dir in entries(0):
            for rname, name_dir in entries(type_dir & 0x7FFFFFFF):
                for _, leaf in entries(name_dir & 0x7FFFFFFF):
                    data_rva, data_size = struct.unpack_from('<II', self.data, base + (leaf & 0x7FFFFFFF))
                    start = self.offset(data_rva)
                    found.setdefault((rtype, rname), []).append(self.data[start:start + data_size])
        return found


def icon_group_sizes(group):
    _, _, count = struct.unpack_from('<HHH', group, 0)
    sizes = set()
    for i in range(count):
        width, height, colours, _, _, bits, _, _ = struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i)
        sizes.add((width or 256, height or 256, bits, colours))
    return sizes


def check(path):
    failures = []
    try:
        with open(path, 'rb') as f:
            image = PeImage(f.read())
    except OSError as e:
        return ['cannot read %s: %s' % (path, e.strerror)]
    except (BadImage, struct.error, ValueError) as e:
        return ['%s is not a readable Windows program: %s' % (path, e)]

    try:
        if image.machine != MACHINE_I386 or image.magic != PE32_MAGIC:
            failures.append('not a 32-bit (PE32, i386) program: machine 0x%x, optional header 0x%x'
                            % (image.machine, image.magic))
        if image.subsystem != SUBSYSTEM_GUI:
            failures.append('not a GUI program: subsystem %d, expected %d'
                            % (image.subsystem, SUBSYSTEM_GUI))

        for dll in image.imported_dlls():
            name = dll.lower()
            if name not in SYSTEM_DLLS and not name.startswith('api-ms-win-'):
                failures.append('imports from %s, which is no system DLL (link the runtime statically)'
                                % dll)

        res = image.resources()
        groups = res.get((RT_GROUP_ICON, 1))
        if not groups:
            failures.append('no icon group 1')
        else:
            sizes = icon_group_sizes(groups[0])
            for want in ((32, 32, 4, 16), (16, 16, 4, 16)):
                if want not in sizes:
                    failures.append('icon group 1 has no %dx%d 16-colour image (has %s)'
                                    % (want[0], want[1], sorted(sizes)))
        if (RT_MENU, 2) not in res:
            failures.append('no menu 2 (the tray menu)')
        if (RT_DIALOG, 1) not in res:
            failures.append('no dialog 1 (the configuration dialog)')
        for (rtype, rname), blobs in res.items():
            if rtype == RT_MANIFEST and any(b'requestedExecutionLevel' in b for b in blobs):
                failures.append('manifest %s names a requestedExecutionLevel, which switches off '
                                'file virtualisation' % rname)
    except (BadImage, struct.error, ValueError) as e:
        failures.append('damaged program file: %s' % e)
    return failures


def main():
    if len(sys.argv) != 2:
        print('usage: check-win32.py PROGRAM.exe', file=sys.stderr)
        return 2
    failures = check(sys.argv[1])
    for failure in failures:
        print('check-win32: FAIL: %s' % failure, file=sys.stderr)
    if failures:
        print('check-win32: %s is not fit to ship (%d problem(s))' % (sys.argv[1], len(failures)),
              file=sys.stderr)
        return 1
    print('check-win32: %s: 32-bit GUI program, system DLLs only, icon, menu and dialog present, '
          'no execution-level manifest' % sys.argv[1])
    return 0


if __name__ == '__main__':
    sys.exit(main())
