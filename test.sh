#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest; the tests also run
# once more built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup
export QT_QPA_PLATFORM=offscreen

# On CI (a fresh machine of its own, CI=true) or with ZZ_PACKAGE_TEST=ON, the tests also build,
# install, start and remove the Debian package on this machine.
package_test="${ZZ_PACKAGE_TEST:-OFF}"
[ "${CI:-}" = true ] && package_test=ON
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DZZ_PACKAGE_TEST="$package_test" >/dev/null
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2

if [ "${ZZ_SKIP_SANITIZERS:-0}" != 1 ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DZZ_SANITIZE=ON >/dev/null
  cmake --build build-asan -j2
  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j2
fi
