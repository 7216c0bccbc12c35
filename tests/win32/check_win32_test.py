#!/usr/bin/env python3
"""check_win32_test.py PROGRAM.exe VERSION BAD_DIR: check-win32.py passes the
program built and rejects, each with its own reason, a wrong version and the
manifests in BAD_DIR that must not ship."""
import os
import subprocess
import sys

CHECK = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                     'tools', 'check-win32.py')


def main():
    program, version, bad = sys.argv[1:4]
    # (program, version given, reasons that must all be printed; none = it passes)
    cases = [
        (program, version, []),
        (program, '0.0.1', ['VERSIONINFO file version is %s.0, expected 0.0.1.0' % version,
                            'VERSIONINFO ProductVersion is']),
        (os.path.join(bad, 'manifest_exec_level.exe'), None,
         ['names trustInfo or a requestedExecutionLevel']),
        (os.path.join(bad, 'manifest_twice.exe'), None, ['2 manifests']),
        (os.path.join(bad, 'manifest_english.exe'), None, ['language 0x409, expected 0']),
        (os.path.join(bad, 'manifest_bare.exe'), None,
         ['does not ask for common controls version 6', 'does not declare system DPI awareness',
          'does not list Windows 7 as supported', 'does not list Windows 10 and 11']),
    ]
    failures = 0
    for exe, given, reasons in cases:
        command = [sys.executable, CHECK, exe] + ([given] if given else [])
        run = subprocess.run(command, capture_output=True, text=True)
        name = '%s %s' % (os.path.basename(exe), given or '')
        if not reasons and run.returncode != 0:
            print('FAIL: %s was rejected:\n%s' % (name, run.stderr))
            failures += 1
        elif reasons and run.returncode != 1:
            print('FAIL: %s was not rejected (exit %d)' % (name, run.returncode))
            failures += 1
        for reason in reasons:
            if reason not in run.stderr:
                print('FAIL: %s: no "%s" in:\n%s' % (name, reason, run.stderr))
                failures += 1
    print('%d problem(s) in %d cases' % (failures, len(cases)) if failures
          else 'all %d cases passed' % len(cases))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
