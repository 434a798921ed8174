#pragma once

#include <QDateTime>
#include <QString>

// One part-program file as the editor holds it: the text with "\n" line
// breaks, and how the file wrote it, so that saving changes nothing but the
// edit. Encoding: UTF-8 when the bytes are valid UTF-8 with at least one
// multi-byte character, else Latin-1, which maps every byte to one character
// and back.
class EditorDocument
{
public:
    enum class Encoding { Latin1, Utf8 };
    enum class LineEnding { Lf, CrLf, Cr };

    bool Load(const QString &path, QString *error);
    // Writes `text` ("\n" line breaks) through a temporary file that replaces
    // the file only when complete. Nothing is written when the text does not
    // fit the encoding.
    bool Save(const QString &text, QString *error);

    QString FilePath() const { return m_path; }
    QString Text() const { return m_text; }
    Encoding FileEncoding() const { return m_encoding; }
    LineEnding FileLineEnding() const { return m_lineEnding; }
    bool HasUtf8Bom() const { return m_bom; }
    // More than one kind of line ending: saving writes FileLineEnding() for all.
    bool HasMixedLineEndings() const { return m_mixedLineEndings; }
    // Another program wrote or removed the file since it was loaded or saved.
    bool ChangedOnDisk() const;

    // First character that the file's encoding cannot hold; -1 when all fit.
    int FirstUnencodable(const QString &text) const;

    QString EncodingName() const;
    QString LineEndingName() const;

    // The editor widget's raw text: its paragraph separators become "\n".
    static QString FromEditorText(QString raw);

private:
    void Decode(const QByteArray &bytes);
    QByteArray Encode(const QString &text) const;
    void RememberDiskState();

    QString m_path;
    QString m_text;
    Encoding m_encoding = Encoding::Latin1;
    LineEnding m_lineEnding = LineEnding::Lf;
    bool m_bom = false;
    bool m_mixedLineEndings = false;
    QDateTime m_diskModified;
    qint64 m_diskSize = -1;
};
