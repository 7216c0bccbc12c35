#!/usr/bin/env python3
"""package.py: makes what tools/release.sh ships, and the test packages.

  package.py zip  --version V --bin DIR --out FILE
  package.py msi  --version V --bin DIR --out FILE --variant peruser|allusers --arch x86|x64
  package.py sums DIR

DIR holds Trellisbourne.exe and StopLaunchers.exe. The texts (README.txt from
docs/user-guide.md, LICENSE.txt, CHANGELOG.txt) are written with CR LF.

Every date inside the packages is SOURCE_DATE_EPOCH (default: the last
commit's time), so the same sources give the same zip. wixl stamps each MSI
with a random package code and the current time: both are replaced here, the
package code by one derived from the version, the times by SOURCE_DATE_EPOCH.
Product codes too are derived from the version, so each version of each
package has its own fixed product code.
"""
import argparse
import datetime
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import uuid
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Names the product and package codes are derived from (UUID version 5).
CODE_NAMESPACE = uuid.UUID('8b9f4ff2-0d76-402a-be16-d3282b405b09')
# One family per package kind: a newer version replaces an older one of its
# own family only. The 64-bit packages exist for the tests alone.
UPGRADE_CODES = {
    ('peruser', 'x86'): '70fb1b54-8c60-42d7-81ab-19f55eb365d3',
    ('allusers', 'x86'): '61be59ef-a187-4bf8-8eef-36bccb198878',
    ('peruser', 'x64'): 'a4cf937c-b760-4698-ab44-702dab5ffb50',
    ('allusers', 'x64'): '9b113c19-28a7-4066-8bc1-6d1c229d862e',
}
TEXTS = [('README.txt', 'docs/user-guide.md'), ('LICENSE.txt', 'LICENSE'),
         ('CHANGELOG.txt', 'CHANGELOG.md')]
PROGRAMS = ['Trellisbourne.exe', 'StopLaunchers.exe']
# Seconds between 1601-01-01 (FILETIME's start) and 1970-01-01.
FILETIME_EPOCH_OFFSET = 11644473600
VT_FILETIME = 64


def source_date_epoch():
    value = os.environ.get('SOURCE_DATE_EPOCH')
    if value:
        return int(value)
    try:
        out = subprocess.run(['git', '-C', ROOT, 'log', '-1', '--format=%ct'], check=True,
                             capture_output=True, text=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return 1767225600  # 2026-01-01, when there is no history


def crlf_text(source):
    with open(os.path.join(ROOT, source), 'rb') as f:
        text = f.read().replace(b'\r\n', b'\n')
    return text.replace(b'\n', b'\r\n')


def product_code(variant, arch, version):
    return str(uuid.uuid5(CODE_NAMESPACE, 'product %s %s %s' % (variant, arch, version))).upper()


def package_code(variant, arch, version):
    return str(uuid.uuid5(CODE_NAMESPACE, 'package %s %s %s' % (variant, arch, version))).upper()


def make_zip(args):
    epoch = source_date_epoch()
    stamp = datetime.datetime.fromtimestamp(max(epoch, 315532800), datetime.timezone.utc)
    folder = 'Trellisbourne-%s/' % args.version
    entries = [(name, crlf_text(source)) for name, source in TEXTS]
    with open(os.path.join(args.bin, 'Trellisbourne.exe'), 'rb') as f:
        entries.append(('Trellisbourne.exe', f.read()))
    tmp = args.out + '.tmp'
    with zipfile.ZipFile(tmp, 'w') as z:
        for name, data in sorted(entries):
            info = zipfile.ZipInfo(folder + name, stamp.timetuple()[:6])
            info.create_system = 0  # MS-DOS attributes: the archive bit only
            info.external_attr = 0x20
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data, compresslevel=9)
    os.replace(tmp, args.out)


def filetime_bytes(epoch):
    return struct.pack('<Q', (epoch + FILETIME_EPOCH_OFFSET) * 10000000)


def restamp_summary_times(path, epoch):
    """Sets the summary information's two times (created, last saved) to epoch.

    They are the only FILETIME properties of the stream, each stored as the
    type VT_FILETIME followed by 8 bytes; wixl and msibuild write the current
    time. Both are found by value (within a day of now) and replaced in
    place, which changes no size or offset in the file."""
    with open(path, 'rb') as f:
        data = bytearray(f.read())
    now = datetime.datetime.now(datetime.timezone.utc).timestamp()
    marker = struct.pack('<I', VT_FILETIME)
    found = []
    at = data.find(marker)
    while at != -1:
        if at + 12 <= len(data):
            value = struct.unpack_from('<Q', data, at + 4)[0]
            seconds = value / 10000000 - FILETIME_EPOCH_OFFSET
            if abs(seconds - now) < 86400:
                found.append(at + 4)
        at = data.find(marker, at + 1)
    if len(found) != 2:
        raise SystemExit('package: expected the 2 summary times in %s, found %d' % (path, len(found)))
    for at in found:
        data[at:at + 8] = filetime_bytes(epoch)
    with open(path, 'wb') as f:
        f.write(data)


def make_msi(args):
    epoch = source_date_epoch()
    version = args.version
    stage = tempfile.mkdtemp(prefix='trellis-msi-')
    try:
        for name in PROGRAMS:
            shutil.copyfile(os.path.join(args.bin, name), os.path.join(stage, name))
        for name, source in TEXTS[:2]:
            with open(os.path.join(stage, name), 'wb') as f:
                f.write(crlf_text(source))
        shutil.copyfile(os.path.join(ROOT, 'resources', 'trellisbourne.ico'),
                        os.path.join(stage, 'Trellisbourne.ico'))
        wxs = os.path.join(ROOT, 'installer', args.variant + '.wxs')
        # The cabinet records each file's time.
        for name in os.listdir(stage):
            os.utime(os.path.join(stage, name), (epoch, epoch))
        defines = {
            'Version': version,
            'ProductCode': product_code(args.variant, args.arch, version),
            'UpgradeCode': UPGRADE_CODES[(args.variant, args.arch)].upper(),
            'Win64': 'yes' if args.arch == 'x64' else 'no',
            'ProgramFiles': 'ProgramFiles64Folder' if args.arch == 'x64' else 'ProgramFilesFolder',
        }
        command = ['wixl', '-a', args.arch, '-o', 'out.msi', wxs]
        for key, value in sorted(defines.items()):
            command += ['-D', '%s=%s' % (key, value)]
        # Source paths are relative to the stage.
        subprocess.run(command, cwd=stage, check=True, stdout=subprocess.DEVNULL)
        msi = os.path.join(stage, 'out.msi')
        subprocess.run(['msibuild', msi, '-s', 'Trellisbourne %s' % version,
                        'The Trellisbourne developers',
                        '%s;1033' % ('x64' if args.arch == 'x64' else 'Intel'),
                        '{%s}' % package_code(args.variant, args.arch, version)], check=True)
        restamp_summary_times(msi, epoch)
        os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
        shutil.move(msi, args.out)
    finally:
        shutil.rmtree(stage, ignore_errors=True)


def make_sums(args):
    lines = []
    for name in sorted(os.listdir(args.dir)):
        path = os.path.join(args.dir, name)
        if name == 'SHA256SUMS' or not os.path.isfile(path):
            continue
        with open(path, 'rb') as f:
            lines.append('%s  %s\n' % (hashlib.sha256(f.read()).hexdigest(), name))
    with open(os.path.join(args.dir, 'SHA256SUMS'), 'w', newline='\n') as f:
        f.writelines(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest='command', required=True)
    z = sub.add_parser('zip')
    m = sub.add_parser('msi')
    for p in (z, m):
        p.add_argument('--version', required=True)
        p.add_argument('--bin', required=True)
        p.add_argument('--out', required=True)
    m.add_argument('--variant', choices=['peruser', 'allusers'], required=True)
    m.add_argument('--arch', choices=['x86', 'x64'], required=True)
    s = sub.add_parser('sums')
    s.add_argument('dir')
    args = parser.parse_args()
    {'zip': make_zip, 'msi': make_msi, 'sums': make_sums}[args.command](args)
    return 0


if __name__ == '__main__':
    sys.exit(main())
