#!/usr/bin/env python3
"""scripts/check-texts.py [FILE...]

Fails when a text that a person reads is written into src/ as a bare string
literal instead of coming from a message table (GetMessageText with a
MessageId) or being marked for lupdate (tr, QCoreApplication::translate).
A literal counts as such a text when
  - it holds a word and is handed to a widget or message call (setText,
    setToolTip, ShowMessage, QLabel(...), name filters, ...), or
  - it reads as a sentence anywhere: a capital, three words or more, and a
    full stop, question mark, exclamation mark or colon at the end;
and a message is named by number (GetMessageText(171)) instead of by name.
Log lines (qWarning and the like) are not shown in a window and are left out.
tools/ stays English on purpose (its output is read by scripts).
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# Calls and constructors that put their text arguments on the screen.
SINKS = {
    'setText', 'setWindowTitle', 'setToolTip', 'setStatusTip', 'setWhatsThis', 'setPlaceholderText',
    'setLabelText', 'setTitle', 'setNameFilter', 'setNameFilters', 'addItem', 'addItems', 'insertItem',
    'insertItems', 'setItemText', 'setTabText', 'setTabToolTip', 'addTab', 'insertTab', 'setHeaderLabels',
    'setHorizontalHeaderLabels', 'setVerticalHeaderLabels', 'setHeaderData', 'addAction', 'addMenu',
    'setAccessibleName', 'setAccessibleDescription', 'setPrefix', 'setSuffix', 'setSpecialValueText',
    'setStatus', 'showMessage', 'ShowMessage', 'ShowMessageLater', 'AddButton', 'BrowseForFolder',
    'QAction', 'QLabel', 'QPushButton', 'QToolButton', 'QCheckBox', 'QRadioButton', 'QGroupBox', 'QMenu',
    'QMessageBox', 'QFileDialog', 'QInputDialog', 'getOpenFileName', 'getSaveFileName',
    'getExistingDirectory', 'getText', 'getItem', 'information', 'warning', 'critical', 'question', 'about',
    'QListWidgetItem', 'QTreeWidgetItem', 'QTableWidgetItem', 'QStandardItem',
}
# Calls that only carry a literal on to the call around them.
WRAPPERS = {'QStringLiteral', 'QLatin1String', 'QLatin1StringView', 'QString', 'QStringView',
            'fromLatin1', 'fromUtf8', 'fromLocal8Bit', 'QByteArrayLiteral', 'arg'}
TRANSLATED = {'tr', 'translate', 'QT_TR_NOOP', 'QT_TRANSLATE_NOOP', 'qtTrId', 'QT_TRID_NOOP'}
LOGS = {'qWarning', 'qDebug', 'qInfo', 'qCritical', 'qFatal', 'printf', 'fprintf', 'Q_ASSERT_X'}

# Files whose texts are records rather than screens: the request journal's
# lines and the tables only qspindrel-config creates stay English, so that
# scripts can read them whatever the language.
ALLOWED_FILES = ('src/journal/', 'src/config/ConfigSchema.cpp', 'src/config/JournalTable.cpp')
# Literals that hold words but are no text for a person.
ALLOWED_LITERALS = {
    'who cares',  # the caption of a column that is never shown
}
# Messages still named by number: the wizard's step sequence and titles,
# which move into a function of their own in another change.
NUMBERED_ALLOWED = ()


def scan(source):
    """The string literals of `source` as (start, end, text), adjacent pieces
    joined, and the source with comments and literals blanked out."""
    masked = list(source)
    pieces = []
    i, n = 0, len(source)
    while i < n:
        c = source[i]
        if source.startswith('//', i):
            j = source.find('\n', i)
            j = n if j < 0 else j
            masked[i:j] = ' ' * (j - i)
            i = j
        elif source.startswith('/*', i):
            j = source.find('*/', i + 2)
            j = n if j < 0 else j + 2
            masked[i:j] = re.sub(r'[^\n]', ' ', source[i:j])
            i = j
        elif c == '#' and source[source.rfind('\n', 0, i) + 1:i].strip() == '':
            j = source.find('\n', i)
            j = n if j < 0 else j
            masked[i:j] = ' ' * (j - i)
            i = j
        elif c == "'" and re.search(r'(^|[^\w])(u8|[uUL])?$', source[max(0, i - 3):i]):
            j = i + 1
            while j < n and source[j] != "'":
                j += 2 if source[j] == '\\' else 1
            masked[i:j + 1] = ' ' * (j + 1 - i)
            i = j + 1
        elif c == '"':
            start = i
            while start > 0 and source[start - 1] in 'uUL8R':
                start -= 1
            raw = 'R' in source[start:i]
            if raw:
                k = source.index('(', i)
                delim = ')' + source[i + 1:k] + '"'
                j = source.index(delim, k) + len(delim)
                text = source[k + 1:j - len(delim)]
            else:
                j = i + 1
                while source[j] != '"':
                    j += 2 if source[j] == '\\' else 1
                j += 1
                text = source[i + 1:j - 1]
            masked[start:j] = ' ' * (j - start)
            if pieces and source[pieces[-1][1]:start].strip() == '':
                pieces[-1] = (pieces[-1][0], j, pieces[-1][2] + text)
            else:
                pieces.append((start, j, text))
            i = j
        else:
            i += 1
    return pieces, ''.join(masked)


def enclosing(masked, pos):
    """The name of the call whose parentheses hold `pos` and where its name
    starts; (None, -1) at statement level. Braced lists inside a call are
    looked through."""
    depth = 0
    i = pos - 1
    while i >= 0:
        c = masked[i]
        if c in ')]}':
            depth += 1
        elif c in '([{':
            if depth:
                depth -= 1
            else:
                before = masked[:i].rstrip()
                if c == '{':
                    if before.endswith(('(', ',', '=', '{')) or before.endswith('return'):
                        i = len(before) - 1
                        continue
                    return None, -1
                if c == '[':
                    return None, -1
                m = re.search(r'([A-Za-z_][\w:]*)\s*$', before)
                if not m:  # a parenthesised expression
                    i -= 1
                    continue
                name = m.group(1)
                # A declaration such as QFileDialog dialog(...) names its type first.
                t = re.search(r'([A-Za-z_][\w:]*)[\s*&]+$', before[:m.start()])
                if t and t.group(1).split('::')[-1] in SINKS:
                    return t.group(1), m.start()
                return name, m.start()
        elif c == ';' and depth == 0:
            return None, -1
        i -= 1
    return None, -1


def words(text):
    text = re.sub(r'\\.', ' ', text)
    text = re.sub(r'%\d|%[-+ #0-9.]*[sdiufgxXcp]', ' ', text)
    return re.findall(r'[A-Za-z]{2,}', text)


def is_sentence(text):
    text = re.sub(r'(\\n|\\t|\s)+$', '', text)
    return bool(re.match(r'[A-Z]', text)) and len(words(text)) >= 3 and text[-1:] in '.?!:'


def check(path):
    rel = path.relative_to(ROOT).as_posix()
    source = path.read_text(encoding='utf-8')
    pieces, masked = scan(source)
    faults = []

    def line(pos):
        return source.count('\n', 0, pos) + 1

    if not rel.startswith(ALLOWED_FILES):
        for start, end, text in pieces:
            if not words(text) or text in ALLOWED_LITERALS:
                continue
            name, at = enclosing(masked, start)
            while name and name.split('::')[-1] in WRAPPERS:
                name, at = enclosing(masked, at)
            last = name.split('::')[-1] if name else ''
            if last in TRANSLATED or last in LOGS:
                continue
            if last in SINKS or name and name.startswith('QMessageBox'):
                faults.append(f'{rel}:{line(start)}: bare text "{text}" handed to {name}')
            elif is_sentence(text):
                faults.append(f'{rel}:{line(start)}: bare sentence "{text}"')
    if not rel.startswith(NUMBERED_ALLOWED):
        for m in re.finditer(r'\bGetMessageText\s*\(', masked):
            first = re.match(r'[^,)]*', source[m.end():]).group(0)
            if re.search(r'\b\d+\b', first):
                faults.append(f'{rel}:{line(m.start())}: message by number; name it with MessageId')
    return faults


def main(argv):
    files = [pathlib.Path(a).resolve() for a in argv] or sorted(
        p for p in (ROOT / 'src').rglob('*') if p.suffix in ('.cpp', '.h'))
    faults = [f for p in files for f in check(p)]
    for f in faults:
        print(f, file=sys.stderr)
    if faults:
        print(f'check-texts: {len(faults)} texts are neither in a message table nor marked for '
              'translation', file=sys.stderr)
        return 1
    print(f'check-texts: {len(files)} files, every text translatable')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
