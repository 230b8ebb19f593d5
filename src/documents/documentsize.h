#pragma once
// How large a file the program opens as a document, from what a document costs
// in memory. Measured with the program holding 100 MB files (resident memory
// once loaded, peak while loading): 80-character lines 400 MB; one line 420 MB,
// 800 MB at its peak while the line is shaped; 50 million 1-character lines
// 7 GB. So about 4 bytes a byte (the text in UTF-16 is 2, the buffers of the
// read and the display the rest) and 140 bytes a line (each line is a block of
// the document, with its node in two trees and its layout).

#include <QtGlobal>

namespace zp {

class DocumentSize
{
public:
    // The editing control counts positions in int, so a text of more than
    // 2^31 characters cannot be held at all; a file of 1 GiB is far beyond
    // what anyone edits by hand and stays clear of that with room to spare.
    static constexpr qint64 MaxBytes = qint64(1) << 30;
    static constexpr qint64 CostPerByte = 4;
    static constexpr qint64 CostPerLine = 140;

    // room: the memory the process may still take (-1: unknown, no limit).
    explicit DocumentSize(qint64 room) : m_room(room) {}

    // Adds a block of the file's bytes; false once the bytes so far exceed
    // the limits.
    bool add(const char *bytes, qint64 count);
    // The same before any byte is read, for a file of size bytes.
    bool fits(qint64 size) const { return fits(size, 0); }

private:
    bool fits(qint64 bytes, qint64 lines) const;

    qint64 m_room;
    qint64 m_bytes = 0;
    qint64 m_lines = 0;
    bool m_endsInCr = false; // a CR ended the last block: an LF next ends the same line
};

} // namespace zp
