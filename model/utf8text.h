#ifndef UTF8TEXT_H
#define UTF8TEXT_H

#include <QByteArray>
#include <QString>

// Strict UTF-8 decoding, the same under every Qt version: a text is taken
// only when every byte belongs to a well-formed sequence (no overlong forms,
// no surrogates, nothing cut off at the end).
class Utf8Text
{
public:
    // True, with the text in *text, when bytes are well-formed UTF-8.
    static bool Decode(const QByteArray &bytes, QString *text);
};

#endif // UTF8TEXT_H
