#include "decode/multipartbuffer.h"

bool MultipartBuffer::Start(const QString &part)
{
    if (limit > 0 && part.size() > limit) {
        text.clear();
        dropped = true;
        return false;
    }
    text = part;
    dropped = false;
    return true;
}

bool MultipartBuffer::Append(const QString &part)
{
    if (dropped)
        return false;
    if (limit > 0 && text.size() + part.size() > limit) {
        // Release the memory at once; the text cannot be completed any more.
        text = QString();
        dropped = true;
        return false;
    }
    text.append(part);
    return true;
}
