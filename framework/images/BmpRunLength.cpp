#include "images/BmpRunLength.h"

namespace {

// The write position of the expansion. A row that has been filled to its width moves on
// to the next one only when the next pixel comes (or an end of line does), so that both
// encoders that end each row with an escape and those that run on across rows place
// their pixels right.
class RunCursor {
public:
    RunCursor(const BmpLayout& layout, DecodeTarget& rows) : layout(layout), rows(rows), x(0), y(0) {}

    bool done() const { return y >= layout.height; }

    void put(unsigned index)
    {
        if (x == layout.width) {
            x = 0;
            ++y;
        }
        if (done())
            return;
        rows.row(layout.surfaceRow(y))[x] = layout.table.colors[index];
        ++x;
    }

    void endLine()
    {
        x = 0;
        ++y;
    }

    // A delta past the row's end carries on over the following rows.
    void move(unsigned dx, unsigned dy)
    {
        uint64_t column = x + static_cast<uint64_t>(dx);
        uint64_t row = y + static_cast<uint64_t>(dy) + column / layout.width;
        x = static_cast<unsigned long>(column % layout.width);
        y = row < layout.height ? static_cast<unsigned long>(row) : layout.height;
    }

private:
    const BmpLayout& layout;
    DecodeTarget& rows;
    unsigned long x;
    unsigned long y;
};

enum Escape { EndOfLine = 0, EndOfBitmap = 1, Delta = 2 };

} // namespace

void expandRunLength(const BmpLayout& layout, DecodeTarget& rows)
{
    rows.fill(layout.table.colors[0]);
    const bool fourBits = layout.compression == BmpLayout::RunLength4;
    const unsigned char* in = layout.pixels;
    const unsigned char* end = layout.pixels + layout.pixelBytes;
    RunCursor cursor(layout, rows);
    while (!cursor.done() && end - in >= 2) {
        const unsigned count = in[0];
        const unsigned value = in[1];
        in += 2;
        if (count > 0) {
            // A run: one index repeated, or two alternating nibbles, high first.
            for (unsigned i = 0; i < count && !cursor.done(); ++i)
                cursor.put(fourBits ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == EndOfLine) {
            cursor.endLine();
        } else if (value == EndOfBitmap) {
            return;
        } else if (value == Delta) {
            if (end - in < 2)
                return;
            cursor.move(in[0], in[1]);
            in += 2;
        } else {
            // Literal indices, padded to a whole number of 16-bit words; data that ends
            // early ends the bitmap.
            const unsigned literals = value;
            const size_t bytes = fourBits ? (literals + 3) / 4 * 2 : (literals + 1) & ~1u;
            const size_t available = static_cast<size_t>(end - in);
            for (unsigned i = 0; i < literals && !cursor.done(); ++i) {
                const size_t at = fourBits ? i / 2 : i;
                if (at >= available)
                    return;
                cursor.put(fourBits ? ((i & 1) ? in[at] & 0x0F : in[at] >> 4) : in[at]);
            }
            if (bytes > available)
                return;
            in += bytes;
        }
    }
}
