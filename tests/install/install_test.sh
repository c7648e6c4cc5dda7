#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, as a package would, and checks that every file a
# desktop user gets is in place and well formed.
# Usage: install_test.sh BUILD_DIR VERSION
set -uo pipefail
build_dir=$1
version=$2
destdir=$(mktemp -d)
trap 'rm -rf "$destdir"' EXIT
root=$destdir/usr
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

expect_file() {
  [[ -f $1 && -s $1 ]] || fail "missing or empty: ${1#"$destdir"}"
}

# Width and height of a PNG file from its IHDR chunk.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}

DESTDIR=$destdir cmake --install "$build_dir" --prefix /usr >/dev/null || fail "cmake --install"

# The two programs.
for program in pagemaker pagetool; do
  [[ -x $root/bin/$program ]] || fail "not an executable: /usr/bin/$program"
done
[[ $("$root/bin/pagetool" --version) == "pagetool $version" ]] || fail "pagetool --version"

# The desktop entry: valid, named as the program is, opening page files in the editor.
entry=$root/share/applications/mokepontasu-pagemaker.desktop
expect_file "$entry"
messages=$(desktop-file-validate "$entry" 2>&1) && [[ -z $messages ]] ||
  fail "desktop-file-validate: $messages"
grep -qx 'Name=もけぽんたす ページメーカー' "$entry" || fail "the entry's name"
grep -qx 'Name\[en\]=Mokepontasu Page Maker' "$entry" || fail "the entry's English name"
grep -qx 'Exec=pagemaker %f' "$entry" || fail "the entry must hand the editor the file it opens"
grep -qx 'MimeType=application/x-mokepontasu-page;' "$entry" ||
  fail "the entry must name the MIME type of page files"
grep -qx 'Icon=mokepontasu-pagemaker' "$entry" || fail "the entry's icon"
grep -qE '^Categories=(.*;)?Graphics;' "$entry" || fail "the entry's category"
grep -q '^GenericName=' "$entry" || fail "the entry's generic name"
grep -q '^Comment=' "$entry" || fail "the entry's comment"
grep -q '^Comment\[en\]=' "$entry" || fail "the entry's English comment"
grep -q '^Comment\[ja\]=' "$entry" || fail "the entry's Japanese comment"

# The icon in the hicolor theme, at 32 x 32 and larger, for the program and for page files.
for size in 32 48 64 128 256; do
  for icon in apps/mokepontasu-pagemaker mimetypes/application-x-mokepontasu-page; do
    file=$root/share/icons/hicolor/${size}x${size}/$icon.png
    expect_file "$file"
    [[ -f $file && $(png_size "$file") == "${size}x${size}" ]] || fail "$icon is not ${size}x${size}"
  done
done

# The MIME type: the database that update-mime-database builds from it gives *.pag its type.
mime_packages=$root/share/mime/packages
expect_file "$mime_packages/mokepontasu-pagemaker.xml"
update-mime-database "$root/share/mime" 2>/dev/null || fail "update-mime-database"
grep -qx 'application/x-mokepontasu-page:\*\.pag' "$root/share/mime/globs" ||
  fail "*.pag has no MIME type of its own"

# The manual page, made from pagetool --help: it renders and describes every command.
manual=$root/share/man/man1/pagetool.1.gz
expect_file "$manual"
rendered=$(MANWIDTH=80 LC_ALL=C.UTF-8 man -l "$manual" 2>&1) || fail "man -l pagetool.1.gz"
for text in "SYNOPSIS" "もけぽんたす ページメーカー" "Commands:" "--clear-link N" "Exit status:"; do
  grep -qF -- "$text" <<<"$rendered" || fail "the manual page lacks \"$text\""
done
for command in new edit info check extract bmp decode render check-document graph site; do
  grep -qE "^ +$command " <<<"$rendered" || fail "the manual page lacks the command $command"
done

if ((failures > 0)); then
  echo "$failures failures"
  exit 1
fi
echo "every installed file is in place"
