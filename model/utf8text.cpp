#include "model/utf8text.h"

bool Utf8Text::Decode(const QByteArray &bytes, QString *text)
{
    // Qt's decoder drops a leading byte order mark; it is kept here, so that
    // the caller sees every character the bytes hold.
    static const char Bom[] = "\xef\xbb\xbf";
    const bool bom = bytes.startsWith(Bom);
    const QByteArray body =
        QByteArray::fromRawData(bytes.constData() + (bom ? 3 : 0), bytes.size() - (bom ? 3 : 0));
    // The decoder puts U+FFFD where a sequence is not well formed; encoding
    // the result again then gives other bytes, whereas a well-formed text
    // (a U+FFFD that was really there included) comes back byte for byte.
    QString decoded = QString::fromUtf8(body.constData(), body.size());
    if (decoded.toUtf8() != body)
        return false;
    if (bom)
        decoded.prepend(QChar(0xfeff));
    *text = std::move(decoded);
    return true;
}
