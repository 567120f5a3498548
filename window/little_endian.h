#pragma once

#include <QByteArrayView>

namespace window {

// The unsigned number stored in size bytes from a place in a file, low byte
// first, as bitmap and icon files store theirs.
inline quint32 littleEndian(QByteArrayView bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

} // namespace window
