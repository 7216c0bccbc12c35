#!/usr/bin/env bash
# Builds every preset and runs every test: host unit tests, the same under
# AddressSanitizer/UBSan with a bounded fuzz run, the Windows unit and
# end-to-end tests under Wine, and the checks on the 32-bit program and its
# end-to-end tests (with the win64 preset's drivers, under QEMU; reported
# skipped where 32-bit programs cannot run). The win32 tests run last, alone,
# so that emulation never slows the 64-bit ones.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

presets=(host sanitize win64 win32)
for preset in "${presets[@]}"; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

passed=0
failed=0
skipped=0
for preset in "${presets[@]}"; do
  echo "== test $preset"
  log="build/$preset/ctest.log"
  set +e
  ctest --preset "$preset" -j2 2>&1 | tee "$log"
  set -e
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    echo "test: no ctest summary for $preset" >&2
    failed=$((failed + 1))
    continue
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
  # ctest counts a skipped test among the passed ones.
  skip=$(grep -cE '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*Skipped' "$log" || true)
  passed=$((passed + total - bad - skip))
  failed=$((failed + bad))
  skipped=$((skipped + skip))
done

if [ "$skipped" -gt 0 ] && grep -q '^no:' build/win32-runnable 2>/dev/null; then
  echo "skipped: the 32-bit program's end-to-end tests; 32-bit programs cannot run here ($(sed 's/^no: //' build/win32-runnable))"
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
