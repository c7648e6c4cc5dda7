#!/usr/bin/env bash
# examples/build.sh and the sample document that it made: pagetool finds exactly the dead link
# and the unreachable page in the committed pages, the script fails clearly without its
# programs, and it builds the same page files again.
#
#   build_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail

source_dir=$1
build_dir=$2
pagetool=$build_dir/tool/pagetool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cd "$source_dir"

# The committed document, as the README shows it.
status=0
"$pagetool" check-document 'examples/house/page%d.pag' >"$work/findings" || status=$?
[[ $status -eq 1 ]] || fail "check-document exited with $status, not 1"
cat >"$work/expected" <<'END'
page 2, link 3: dead-link: leads to page 9, which has no file (examples/house/page9.pag)
page 7: unreachable: no chain of links from the start page 1 reaches it
END
diff -u "$work/expected" "$work/findings" || fail "check-document found something else"

# Without its programs the script says what to build, and writes nothing.
if BUILD_DIR=$work/no-build bash examples/build.sh "$work/nothing" >"$work/log" 2>&1; then
  fail "build.sh succeeded without a build folder"
fi
grep -q "Build it first: cmake --build" "$work/log" || fail "no hint to build: $(cat "$work/log")"
[[ ! -e $work/nothing ]] || fail "build.sh made its output folder without its programs"

# A rebuild into another folder: the same eight pages, and the script shows the two findings.
BUILD_DIR=$build_dir bash examples/build.sh "$work/house" >"$work/log" 2>&1 ||
  fail "build.sh failed: $(cat "$work/log")"
grep -q "page 2, link 3: dead-link: leads to page 9" "$work/log" || fail "no dead link shown"
grep -q "page 7: unreachable" "$work/log" || fail "no unreachable page shown"
diff <(cd examples/house && ls) <(cd "$work/house" && ls) || fail "other files than committed"
if [[ $(uname -m) == x86_64 ]]; then
  for page in examples/house/page*.pag; do
    cmp "$page" "$work/house/${page##*/}" || fail "$page differs from its rebuild"
  done
else
  # The JPEG library's floating-point DCT may round differently on other processors.
  echo "not comparing bytes on $(uname -m): the committed pages were encoded on x86_64"
fi
echo "ok"
