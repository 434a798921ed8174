#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class QTextDocument;

// One part-program file as the editor holds it, so that saving writes back
// exactly the bytes that were read except where the user changed lines.
// Encoding: UTF-8 when the bytes are valid UTF-8 with at least one multi-byte
// character, else Latin-1, which maps every byte to one character and back.
// Lines end where the editor widget starts a new block: at LF, CRLF, CR,
// U+2029 and the two frame marks U+FDD0 and U+FDD1; each line keeps its own
// ending, and lines the user adds take the file's most frequent one.
class EditorDocument
{
public:
    enum class Encoding { Latin1, Utf8 };
    enum class LineEnding { Lf, CrLf, Cr };

    static constexpr qint64 DefaultMaxBytes = 64 * 1024 * 1024;

    // Refuses what is not a plain file, and files over `maxBytes`.
    bool Load(const QString &path, QString *error, qint64 maxBytes = DefaultMaxBytes);
    // Writes the lines of `edited` (one per block, as the window shows the
    // text) through WriteFileSafely. Nothing is written when the text does not
    // fit the encoding.
    bool Save(const QTextDocument &edited, QString *error);

    QString FilePath() const { return m_path; }
    // The text as read, line endings included.
    QString Text() const { return m_text; }
    qsizetype LineCount() const { return m_lineStarts.size(); }
    // Line `index` without its ending.
    QStringView Line(qsizetype index) const;
    // True when the blocks of `shown` are this document's lines, so that a
    // save changes nothing the user did not change.
    bool Matches(const QTextDocument &shown) const;

    Encoding FileEncoding() const { return m_encoding; }
    // The ending given to new lines.
    LineEnding FileLineEnding() const { return m_lineEnding; }
    bool HasUtf8Bom() const { return m_bom; }
    bool HasMixedLineEndings() const { return m_mixedLineEndings; }
    // NUL bytes or control characters that no program text holds.
    bool IsBinary() const { return m_binary; }
    // Another program wrote or removed the file since it was loaded or saved.
    bool ChangedOnDisk() const;

    // First character that the file's encoding cannot hold; -1 when all fit.
    int FirstUnencodable(const QString &text) const;

    QString EncodingName() const;
    QString LineEndingName() const;

private:
    void Decode(const QByteArray &bytes);
    void IndexLines();
    QStringView Ending(qsizetype index) const;
    QString Merged(const QTextDocument &edited) const;
    QByteArray Encode(const QString &text) const;
    void RememberDiskState();

    QString m_path;
    QString m_text;
    QList<qsizetype> m_lineStarts;
    Encoding m_encoding = Encoding::Latin1;
    LineEnding m_lineEnding = LineEnding::Lf;
    bool m_bom = false;
    bool m_mixedLineEndings = false;
    bool m_binary = false;
    QDateTime m_diskModified;
    qint64 m_diskSize = -1;
};

// The line ending of a file without one on this system (EditorSystem_*.cpp).
EditorDocument::LineEnding NativeLineEnding();
