#!/usr/bin/env python3
"""scripts/update-translations.py [LUPDATE]

Brings resources/translations/qspindrel_*.ts up to date with the message
tables (resources/strings/strings.tsv and own.tsv). lupdate cannot read the
tables, so each entry becomes a line QT_TRANSLATE_NOOP3("Messages", English,
id) of a temporary C++ file that lupdate reads; the id, as disambiguation,
keeps two ids with one English text apart. Entries whose English text
changed come back unfinished; entries gone from the tables are dropped.
"""
import pathlib
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
TABLES = [ROOT / 'resources/strings/strings.tsv', ROOT / 'resources/strings/own.tsv']


def entries():
    for table in TABLES:
        for line in table.read_text(encoding='utf-8').splitlines():
            if not line or line.startswith('#') or '\t' not in line:
                continue
            number, text = line.split('\t', 1)
            if number.isdigit():
                yield number, text


def literal(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '\\"') + '"'


def main():
    lupdate = sys.argv[1] if len(sys.argv) > 1 else '/usr/lib/qt6/bin/lupdate'
    ts_files = sorted(str(p) for p in (ROOT / 'resources/translations').glob('qspindrel_*.ts'))
    with tempfile.TemporaryDirectory() as tmp:
        source = pathlib.Path(tmp) / 'messages.cpp'
        source.write_text(''.join(f'QT_TRANSLATE_NOOP3("Messages", {literal(t)}, "{n}")\n'
                                  for n, t in entries()), encoding='utf-8')
        subprocess.run([lupdate, '-silent', '-no-obsolete', '-locations', 'none', str(source),
                        '-ts', *ts_files], check=True)


if __name__ == '__main__':
    main()
