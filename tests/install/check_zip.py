#!/usr/bin/env python3
"""check_zip.py ZIP PROGRAM.exe VERSION: checks the portable zip users download.

It must hold exactly Trellisbourne-VERSION/ with CHANGELOG.txt, LICENSE.txt,
README.txt (the user guide) and Trellisbourne.exe (the very program built);
the texts with CR LF line ends; every entry with the same fixed time. Making
it again gives the same bytes, and SHA256SUMS made beside it names it with
its true checksum. Prints every failure and exits with 1 if there is one.
"""
import calendar
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PACKAGE = os.path.join(ROOT, 'tools', 'package.py')
TEXTS = {'README.txt': 'docs/user-guide.md', 'LICENSE.txt': 'LICENSE',
         'CHANGELOG.txt': 'CHANGELOG.md'}


def crlf(source):
    with open(os.path.join(ROOT, source), 'rb') as f:
        return f.read().replace(b'\r\n', b'\n').replace(b'\n', b'\r\n')


def check(zip_path, exe, version):
    failures = []
    folder = 'Trellisbourne-%s/' % version
    with zipfile.ZipFile(zip_path) as z:
        infos = z.infolist()
        names = [info.filename for info in infos]
        want = [folder + name for name in sorted(list(TEXTS) + ['Trellisbourne.exe'])]
        if names != want:
            failures.append('entries are %s, expected %s' % (names, want))
        if len({info.date_time for info in infos}) != 1:
            failures.append('entries carry different times: %s'
                            % sorted({info.date_time for info in infos}))
        for name, source in TEXTS.items():
            if folder + name not in names:
                continue
            data = z.read(folder + name)
            if data.replace(b'\r\n', b'').count(b'\n'):
                failures.append('%s has line ends without CR' % name)
            if data != crlf(source):
                failures.append('%s is not %s with CR LF line ends' % (name, source))
        if folder + 'Trellisbourne.exe' in names:
            with open(exe, 'rb') as f:
                if z.read(folder + 'Trellisbourne.exe') != f.read():
                    failures.append('Trellisbourne.exe is not the program built (%s)' % exe)
        if z.testzip() is not None:
            failures.append('damaged entry %s' % z.testzip())

        # The date the zip was made with (SOURCE_DATE_EPOCH, by default the last
        # commit's time), to make it again with the same date.
        epoch = calendar.timegm(infos[0].date_time + (0, 0, 0)) if infos else 0

    work = tempfile.mkdtemp(prefix='trellis-zip-check-')
    try:
        again = os.path.join(work, os.path.basename(zip_path))
        subprocess.run([sys.executable, PACKAGE, 'zip', '--version', version, '--bin',
                        os.path.dirname(exe), '--out', again], check=True,
                       env=dict(os.environ, SOURCE_DATE_EPOCH=str(epoch)))
        with open(zip_path, 'rb') as a, open(again, 'rb') as b:
            first, second = a.read(), b.read()
        if first != second:
            failures.append('making the zip again gives other bytes')
        subprocess.run([sys.executable, PACKAGE, 'sums', work], check=True)
        with open(os.path.join(work, 'SHA256SUMS'), encoding='ascii') as f:
            lines = f.read().splitlines()
        want = '%s  %s' % (hashlib.sha256(second).hexdigest(), os.path.basename(zip_path))
        if lines != [want]:
            failures.append('SHA256SUMS reads %s, expected %s' % (lines, [want]))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return failures


def main():
    if len(sys.argv) != 4:
        print('usage: check_zip.py ZIP PROGRAM.exe VERSION', file=sys.stderr)
        return 2
    failures = check(*sys.argv[1:])
    for failure in failures:
        print('check_zip: FAIL: %s' % failure, file=sys.stderr)
    if not failures:
        print('check_zip: %s: the program, README.txt, LICENSE.txt and CHANGELOG.txt, CR LF '
              'texts, fixed times, rebuilt byte for byte, checksum right' % sys.argv[1])
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
