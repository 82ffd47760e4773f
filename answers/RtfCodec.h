#pragma once

#include <QByteArray>

class QTextDocument;

// Answer documents as the Windows RichEdit control and WordPad write them.

// Replaces the document's content with the RTF document. Returns false, leaving the document
// empty, when the bytes are not RTF at all, so the caller can show them as plain text.
bool readRtf(const QByteArray &rtf, QTextDocument *doc);

// The whole document as RTF in the RichEdit dialect (code page 936).
QByteArray writeRtf(const QTextDocument &doc);
