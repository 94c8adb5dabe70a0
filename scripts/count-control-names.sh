#!/usr/bin/env bash
# Counts the uses of the form's control names (Text23, Label20, Command6, ...) in src/ outside
# the places they belong: the tag comment at a declaration (a comment after code on the same
# line) and widget object names (setObjectName). Prints each remaining use, then the count.
#   scripts/count-control-names.sh [FOLDER...]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
[[ $# -gt 0 ]] || set -- src
python3 - "$@" <<'PY'
import os, re, sys
name = re.compile(r'\b_?(text|label|command|combo|frame|picture|image|option|timer|form|check)[0-9]+[a-z0-9]*', re.I)
total = 0
for root in sys.argv[1:]:
    for folder, _, files in os.walk(root):
        for f in sorted(files):
            if not f.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(folder, f)
            for number, line in enumerate(open(path, encoding='utf-8'), 1):
                code, _, comment = line.partition('//')
                # Object names: a string that is exactly a control name, or a style-sheet selector.
                code = re.sub(r'"' + name.pattern + r'(\(%?\d\))?(%1)?"', '""', code, flags=re.I)
                code = re.sub(r'#' + name.pattern, '#', code, flags=re.I)
                if code.strip():
                    comment = ''  # a comment after code is the declaration's tag
                for m in name.finditer(code + ' ' + comment):
                    total += 1
                    print(f'{path}:{number}: {m.group(0)}')
print(total)
PY
