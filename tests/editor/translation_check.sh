#!/usr/bin/env bash
# Checks the editor's English translation: lupdate finds no text in the sources that the
# translation file lacks, lrelease reports no unfinished or untranslated text, and no
# translation is empty or still Japanese.
# Usage: translation_check.sh SOURCE_DIR WORK_DIR LUPDATE LRELEASE
set -euo pipefail
source_dir=$1
work=$2
lupdate=$3
lrelease=$4
committed="$source_dir/editor/translations/pagemaker_en.ts"

rm -rf "$work"
mkdir -p "$work"
cp "$committed" "$work/pagemaker_en.ts"
mapfile -t sources < <(find "$source_dir/editor" -name '*.cpp' -o -name '*.h' | sort)
"$lupdate" "${sources[@]}" -I "$source_dir" -no-obsolete -locations none -source-language ja -target-language en \
  -ts "$work/pagemaker_en.ts" >"$work/lupdate.log" 2>&1
cat "$work/lupdate.log"
"$lrelease" "$work/pagemaker_en.ts" -qm "$work/pagemaker_en.qm" >"$work/lrelease.log" 2>&1
cat "$work/lrelease.log"

status=0
if grep -q "Ignored .* untranslated" "$work/lrelease.log" ||
  ! grep -q "(\([0-9]*\) finished and 0 unfinished)" "$work/lrelease.log"; then
  echo "FAILED: texts without a finished translation (run the update_translations target and" \
    "translate them in editor/translations/pagemaker_en.ts)"
  status=1
fi
python3 - "$work/pagemaker_en.ts" <<'PYTHON' || status=1
import re, sys
import xml.etree.ElementTree as ET
japanese = re.compile('[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]')
bad = []
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    name = context.findtext('name')
    for message in context.iter('message'):
        source = message.findtext('source') or ''
        translation = message.find('translation')
        text = (translation.text or '') if translation is not None else ''
        if translation is None or translation.get('type') in ('unfinished', 'vanished', 'obsolete'):
            bad.append((name, source, 'unfinished'))
        elif not text.strip():
            bad.append((name, source, 'empty'))
        elif japanese.search(text):
            bad.append((name, source, 'still Japanese: ' + text))
for name, source, why in bad:
    print(f'FAILED: {name}: {source!r}: {why}')
sys.exit(1 if bad else 0)
PYTHON
exit $status
