#!/usr/bin/env python3
"""scripts/check-translations.py [TS...]

Fails when a translation in resources/translations/*.ts is incomplete: an
entry unfinished, obsolete, empty or missing for an id of the message tables
(resources/strings/strings.tsv, own.tsv), or lacking a placeholder %1..%5 of
its English text. Run scripts/update-translations.py after changing a table.
"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent
TABLES = [ROOT / 'resources/strings/strings.tsv', ROOT / 'resources/strings/own.tsv']
PLACEHOLDER = re.compile(r'%[1-5]')


def table_entries():
    entries = {}
    for table in TABLES:
        for line in table.read_text(encoding='utf-8').splitlines():
            if line and not line.startswith('#') and '\t' in line:
                number, text = line.split('\t', 1)
                if number.isdigit():
                    entries[number] = text
    return entries


def check(ts_path, entries):
    faults = []
    seen = set()
    for context in ET.parse(ts_path).getroot().iter('context'):
        if context.findtext('name') != 'Messages':
            continue
        for message in context.iter('message'):
            number = message.findtext('comment') or ''
            source = message.findtext('source') or ''
            translation = message.find('translation')
            text = translation.text or '' if translation is not None else ''
            kind = translation.get('type') if translation is not None else None
            where = f'{ts_path.name}: {number}'
            if entries.get(number) != source:
                faults.append(f'{where}: English text differs from the table')
                continue
            seen.add(number)
            if kind in ('unfinished', 'obsolete', 'vanished'):
                faults.append(f'{where}: {kind}')
            if not text.strip():
                faults.append(f'{where}: empty translation')
            for placeholder in sorted(set(PLACEHOLDER.findall(source)) - set(PLACEHOLDER.findall(text))):
                faults.append(f'{where}: {placeholder} missing')
    faults += [f'{ts_path.name}: {n}: missing' for n in sorted(set(entries) - seen, key=int)]
    return faults


def main():
    paths = [pathlib.Path(a) for a in sys.argv[1:]] or sorted((ROOT / 'resources/translations').glob('*.ts'))
    entries = table_entries()
    faults = [f for p in paths for f in check(p, entries)]
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
