#!/usr/bin/env python3
"""check-win32.py PROGRAM.exe [VERSION]: checks the 32-bit program users run.

It must be a 32-bit (i386) GUI program with address randomisation (the
DYNAMIC_BASE flag and its relocations) and NX on, not marked terminal-server
aware, import only from system DLLs (no MinGW runtime DLLs beside it), carry
icon group 1 (32 x 32 and 16 x 16, 16 colours), dialog 1, the tray menu 2 (an
extended menu with one popup, "Dummy", holding "&Stop Trellisbourne" and the
default item "Trellisbourne Configuration"), the strings the editor loads (the
day names and the title of its file-open dialog), and exactly one manifest: id
1, language-neutral, asking for common controls version 6, system DPI
awareness and Windows 7 to 11, and with no trustInfo or requestedExecutionLevel
(an execution level would switch off the file virtualisation a standard user
needs to save the configuration in the Windows directory). Its VERSIONINFO
must name the program, and its file and product versions must be VERSION
(a.b.c) when given.
Prints every failure and exits with 1 if there is one. Standard library only.
"""
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
SUBSYSTEM_GUI = 2
RT_MENU, RT_DIALOG, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 4, 5, 6, 14, 16, 24
MF_POPUP_FLAG, MF_LAST_FLAG = 0x01, 0x80  # extended menu item bResInfo bits
MFS_DEFAULT = 0x1000
DYNAMIC_BASE, NX_COMPAT, TERMINAL_SERVER_AWARE = 0x0040, 0x0100, 0x8000  # DllCharacteristics
# (id, text, state) of the tray menu's items, in order, under its one popup.
TRAY_POPUP = 'Dummy'
TRAY_ITEMS = [(11842, '&Stop Trellisbourne', 0),
              (11843, 'Trellisbourne Configuration', MFS_DEFAULT)]
STRINGS = {1000 + day: name for day, name in enumerate(
    ['Sunday', 'Monday', 'Tuesday', 'Wednesday', 'Thursday', 'Friday', 'Saturday'])}
STRINGS[1008] = 'Chose an application to add'

ASM_V1 = '{urn:schemas-microsoft-com:asm.v1}'
ASM_V3 = '{urn:schemas-microsoft-com:asm.v3}'
COMPATIBILITY = '{urn:schemas-microsoft-com:compatibility.v1}'
WINDOWS_SETTINGS = '{http://schemas.microsoft.com/SMI/2005/WindowsSettings}'
SUPPORTED_OS = {
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}': 'Windows 7',
    '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}': 'Windows 8',
    '{1f676c76-80e1-4239-95bb-83d0f6d0da78}': 'Windows 8.1',
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}': 'Windows 10 and 11',
}
VERSION_STRINGS = {'ProductName': 'Trellisbourne', 'OriginalFilename': 'Trellisbourne.exe'}

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
        self.dll_characteristics = self.u16(opt + 70)
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
        for (rtype, rname, _), data in self.resources_by_language().items():
            found.setdefault((rtype, rname), []).append(data)
        return found

    def resources_by_language(self):
        """{(type, name, language): data}."""
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
                for language, leaf in entries(name_dir & 0x7FFFFFFF):
                    data_rva, data_size = struct.unpack_from('<II', self.data, base + (leaf & 0x7FFFFFFF))
                    start = self.offset(data_rva)
                    found[(rtype, rname, language)] = self.data[start:start + data_size]
        return found


def icon_group_sizes(group):
    _, _, count = struct.unpack_from('<HHH', group, 0)
    sizes = set()
    for i in range(count):
        width, height, colours, _, _, bits, _, _ = struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i)
        sizes.add((width or 256, height or 256, bits, colours))
    return sizes


def wide_string(blob, off):
    """A zero-terminated UTF-16 string at off, and the offset just past it."""
    end = off
    while blob[end:end + 2] != b'\0\0':
        if end + 2 > len(blob):
            raise BadImage('unterminated text in a menu')
        end += 2
    return blob[off:end].decode('utf-16-le'), end + 2


def extended_menu(blob):
    """The items of an extended menu template as a tree:
    [(id, text, type, state, [sub-items] or None), ...]."""
    version, header_size = struct.unpack_from('<HH', blob, 0)
    if version != 1:
        raise BadImage('menu is no extended menu template (version %d)' % version)

    def items(off):
        found = []
        while True:
            kind, state, item_id, flags = struct.unpack_from('<IIIH', blob, off)
            text, off = wide_string(blob, off + 14)
            off = (off + 3) & ~3  # each item starts on a 4-byte boundary
            subitems = None
            if flags & MF_POPUP_FLAG:
                off += 4  # help id
                subitems, off = items(off)
            found.append((item_id, text, kind, state, subitems))
            if flags & MF_LAST_FLAG:
                return found, off

    return items(4 + header_size)[0]


def string_table(res):
    """{id: text} over every string block (first language)."""
    strings = {}
    for (rtype, block), blobs in res.items():
        if rtype != RT_STRING or not isinstance(block, int):
            continue
        off = 0
        for index in range(16):
            length = struct.unpack_from('<H', blobs[0], off)[0]
            if length:
                strings[(block - 1) * 16 + index] = blobs[0][off + 2:off + 2 + 2 * length].decode('utf-16-le')
            off += 2 + 2 * length
    return strings


def menu_failures(blob):
    failures = []
    menu = extended_menu(blob)
    if len(menu) != 1 or menu[0][4] is None:
        return ['menu 2 holds %d top-level item(s), expected one popup' % len(menu)]
    _, text, _, _, subitems = menu[0]
    if text != TRAY_POPUP:
        failures.append('menu 2\'s popup is called %r, expected %r' % (text, TRAY_POPUP))
    got = [(item_id, item_text, state) for item_id, item_text, _, state, _ in subitems]
    if got != TRAY_ITEMS:
        failures.append('menu 2\'s popup holds %s, expected %s' % (got, TRAY_ITEMS))
    if any(kind != 0 or sub is not None for _, _, kind, _, sub in subitems):
        failures.append('menu 2\'s items must be plain text items')
    return failures


def manifest_failures(by_language):
    manifests = [(name, language, blob) for (rtype, name, language), blob in by_language.items()
                 if rtype == RT_MANIFEST]
    if len(manifests) != 1:
        return ['%d manifests (%s), expected exactly one' % (
            len(manifests), ', '.join('%s/%s' % (n, l) for n, l, _ in manifests) or 'none')]
    name, language, blob = manifests[0]
    failures = []
    if name != 1:
        failures.append('the manifest is resource %s, expected 1' % name)
    if language != 0:
        failures.append('the manifest has language 0x%x, expected 0 (neutral)' % language)
    if b'trustInfo' in blob or b'requestedExecutionLevel' in blob:
        failures.append('the manifest names trustInfo or a requestedExecutionLevel, which switches '
                        'off file virtualisation')
    try:
        root = ElementTree.fromstring(blob)
    except ElementTree.ParseError as e:
        return failures + ['the manifest is no well-formed XML: %s' % e]
    controls = [a for a in root.iter(ASM_V1 + 'assemblyIdentity')
                if a.get('name') == 'Microsoft.Windows.Common-Controls']
    if not any(a.get('version', '').startswith('6.') for a in controls):
        failures.append('the manifest does not ask for common controls version 6')
    dpi = [e.text.strip().lower() for e in root.iter(WINDOWS_SETTINGS + 'dpiAware') if e.text]
    if dpi != ['true']:
        failures.append('the manifest does not declare system DPI awareness (dpiAware %s)' % dpi)
    if any(True for _ in root.iter(WINDOWS_SETTINGS.replace('2005', '2016') + 'dpiAwareness')):
        failures.append('the manifest declares a per-monitor dpiAwareness')
    declared = {e.get('Id', '').lower() for e in root.iter(COMPATIBILITY + 'supportedOS')}
    for os_id, os_name in SUPPORTED_OS.items():
        if os_id not in declared:
            failures.append('the manifest does not list %s as supported' % os_name)
    return failures


def version_info(blob):
    """(file version, product version, {string name: value}) of a VERSIONINFO block."""
    if blob[6:6 + 32].decode('utf-16-le', 'replace') != 'VS_VERSION_INFO\0':
        raise BadImage('the version resource has no VS_VERSION_INFO block')
    fixed = 40  # header (6), key (32) and padding (2)
    signature, _, fms, fls, pms, pls = struct.unpack_from('<IIIIII', blob, fixed)
    if signature != 0xFEEF04BD:
        raise BadImage('the version resource has no fixed file information')

    def four(most, least):
        return '%d.%d.%d.%d' % (most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF)

    strings = {}
    # Every String entry: length, value length (in words), type 1, key, value.
    text = blob.decode('utf-16-le', 'replace')
    for key in ('CompanyName', 'FileDescription', 'FileVersion', 'LegalCopyright',
                'OriginalFilename', 'ProductName', 'ProductVersion', 'InternalName'):
        match = re.search(key + '\0+([^\0]*)\0', text)
        if match:
            strings[key] = match.group(1)
    return four(fms, fls), four(pms, pls), strings


def version_failures(res, version):
    blobs = res.get((RT_VERSION, 1))
    if not blobs:
        return ['no VERSIONINFO resource']
    file_version, product_version, strings = version_info(blobs[0])
    failures = []
    for key, want in VERSION_STRINGS.items():
        if strings.get(key) != want:
            failures.append('VERSIONINFO %s is %r, expected %r' % (key, strings.get(key), want))
    for key in ('FileDescription', 'LegalCopyright'):
        if not strings.get(key):
            failures.append('VERSIONINFO has no %s' % key)
    if version:
        want = version + '.0'
        for what, got in (('file', file_version), ('product', product_version)):
            if got != want:
                failures.append('VERSIONINFO %s version is %s, expected %s' % (what, got, want))
        for key in ('FileVersion', 'ProductVersion'):
            if strings.get(key) != version:
                failures.append('VERSIONINFO %s is %r, expected %r' % (key, strings.get(key), version))
    return failures


def check(path, version=None):
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
        # Address randomisation needs the flag and the relocations to move the image.
        if not image.dll_characteristics & DYNAMIC_BASE or not all(image.directory(5)):
            failures.append('no address randomisation: DYNAMIC_BASE %s, relocations %s'
                            % ('set' if image.dll_characteristics & DYNAMIC_BASE else 'missing',
                               'present' if all(image.directory(5)) else 'missing'))
        if not image.dll_characteristics & NX_COMPAT:
            failures.append('not marked NX_COMPAT (data execution prevention)')
        # A terminal-server-aware program sees the shared Windows directory on a
        # terminal server, not the user's own, where the configuration lives.
        if image.dll_characteristics & TERMINAL_SERVER_AWARE:
            failures.append('marked terminal-server aware')

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
        else:
            failures.extend(menu_failures(res[(RT_MENU, 2)][0]))
        strings = string_table(res)
        for string_id, text in sorted(STRINGS.items()):
            if strings.get(string_id) != text:
                failures.append('string %d is %r, expected %r' % (string_id, strings.get(string_id), text))
        if (RT_DIALOG, 1) not in res:
            failures.append('no dialog 1 (the configuration dialog)')
        failures.extend(manifest_failures(image.resources_by_language()))
        failures.extend(version_failures(res, version))
    except (BadImage, struct.error, ValueError) as e:
        failures.append('damaged program file: %s' % e)
    return failures


def main():
    if len(sys.argv) not in (2, 3):
        print('usage: check-win32.py PROGRAM.exe [VERSION]', file=sys.stderr)
        return 2
    version = sys.argv[2] if len(sys.argv) == 3 else None
    if version is not None and not re.fullmatch(r'\d+\.\d+\.\d+', version):
        print('check-win32: VERSION must be a.b.c, not %r' % version, file=sys.stderr)
        return 2
    failures = check(sys.argv[1], version)
    for failure in failures:
        print('check-win32: FAIL: %s' % failure, file=sys.stderr)
    if failures:
        print('check-win32: %s is not fit to ship (%d problem(s))' % (sys.argv[1], len(failures)),
              file=sys.stderr)
        return 1
    print('check-win32: %s: 32-bit GUI program, address randomisation and NX on, system DLLs only, '
          'icon, tray menu, strings and dialog present, one neutral manifest (controls 6, system '
          'DPI aware, Windows 7 to 11, no execution level), version %s'
          % (sys.argv[1], version or 'not compared'))
    return 0


if __name__ == '__main__':
    sys.exit(main())
