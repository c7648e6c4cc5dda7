#!/usr/bin/env bash
# Builds the sample document, a house of eight pages, from its sources with pagetool:
#
#   bash examples/build.sh [OUTDIR]        (OUTDIR: examples/house unless given)
#
# 1. draw_example_pictures draws every picture as a BMP file into a temporary folder, with a
#    list (house.txt) of the pages and of the links on each: where its rectangle lies, the page
#    it leads to, and its slot picture.
# 2. `pagetool new` makes each page from its background.
# 3. `pagetool edit` adds each page's links and their slot pictures, in place.
# 4. `pagetool check` looks at each new file, and the pages go into OUTDIR together.
# 5. `pagetool check-document` lists what the house has on purpose: the boarded-up cellar door
#    in the hall leads to page 9, which has no file, and nothing leads up to the attic, page 7.
#
# The programs come from the build folder BUILD_DIR (default: build, in this repository). The
# same sources and programs give the same page files, byte for byte.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$repo/build}
out=$(realpath -m "${1:-$repo/examples/house}")
draw=$build/examples/draw_example_pictures
pagetool=$build/tool/pagetool

for program in "$draw" "$pagetool"; do
  if [[ ! -x $program ]]; then
    echo "build.sh: $program is missing." >&2
    echo "Build it first: cmake --build ${BUILD_DIR:-build} --target draw_example_pictures pagetool" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=$work/pictures
house=$work/house
list=$pictures/house.txt
mkdir -p "$house"

# 1. The pictures, and the list of pages and links:
#      page NUMBER BACKGROUND
#      link PAGE LINK LEFT TOP RIGHT BOTTOM LINKPAGE SLOTPICTURE
"$draw" "$pictures"

# 2. One page file for each page line, with its background. A page that gets no background is
#    saved with a white 640 x 480 placeholder.
pages=()
while read -r kind number background; do
  [[ $kind == page ]] || continue
  "$pagetool" new "$house/page$number.pag" --background "$pictures/$background"
  pages+=("$number")
done <"$list"

# 3. The links of each page, in one edit: link N gets its slot picture in slot N, and
#    --link N=LEFT,TOP,RIGHT,BOTTOM,LINKPAGE,BITMAP sets the link itself. edit may write its
#    output over its input; the background's bytes are written back unchanged.
for number in "${pages[@]}"; do
  options=()
  while read -r kind page link left top right bottom target picture; do
    [[ $kind == link && $page == "$number" ]] || continue
    options+=(--slot "$link=$pictures/$picture")
    options+=(--link "$link=$left,$top,$right,$bottom,$target,$link")
  done <"$list"
  page_file=$house/page$number.pag
  "$pagetool" edit "$page_file" "$page_file" "${options[@]}"
done

# 4. Each file on its own: its streams and link table where its header says. Then the pages
#    replace the document's old ones in OUTDIR all together, so that a failure above leaves
#    OUTDIR as it was.
for number in "${pages[@]}"; do
  "$pagetool" check "$house/page$number.pag" >/dev/null
done
mkdir -p "$out"
rm -f "$out"/page[0-9]*.pag
cp "$house"/page*.pag "$out"/
shown=$out  # as the user would type it: relative to the current folder when inside it
if [[ $shown == "$PWD"/* ]]; then shown=${shown#"$PWD"/}; fi
echo "${#pages[@]} pages written to $shown"

# 5. The document as a whole. check-document exits with 1 when it finds something, as it does
#    here: any other status is a failure.
pattern=$shown/page%d.pag
echo "pagetool check-document '$pattern':"
status=0
"$pagetool" check-document "$pattern" || status=$?
if [[ $status -ne 1 ]]; then
  echo "build.sh: check-document should have found the dead link and the unreachable page" \
    "(exit status $status)" >&2
  exit 1
fi
