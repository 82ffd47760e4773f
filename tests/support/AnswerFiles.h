#pragma once

#include "KnowledgeBaseFixture.h"
#include "answers/RtfCodec.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>

// Answer documents for the window tests: written from plain text, read back as plain text, and
// made impossible to write. Header-only, for the tests that link the RTF codec.

inline QByteArray rtfOf(const QString &text)
{
    QTextDocument doc;
    doc.setPlainText(text);
    return writeRtf(doc);
}

// The plain text of an answer file, or "<unreadable>" / "<not rtf>".
inline QString textOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<unreadable>");
    QTextDocument doc;
    if (!readRtf(file.readAll(), &doc))
        return QStringLiteral("<not rtf>");
    return doc.toPlainText();
}

// Turns a category's answer document into a folder: neither readable as a file nor replaceable
// by one, which holds also for root, who may write read-only files.
inline void makeUnwritable(const KnowledgeBaseFixture &kb, const QString &code)
{
    const QString path = kb.dataFile(code + QStringLiteral(".rtf"));
    QFile::remove(path);
    QDir().mkpath(path + QStringLiteral("/blocker"));
}
