// Texts padded by NULs, and windows of a text assembled from them.
//
// A padded piece is a text of at most 16 characters in a 16-byte slot
// padded with NULs, with at least kPadBefore NULs before the slot and
// kPadAfter after it.  The 16 bytes read at (piece - d) are then the
// piece moved d places on, with NULs wherever it is not, for any d from
// -kPadAfter to kPadBefore.  So any 16 bytes of a text made of
// padded pieces laid end to end are the OR of one such read per piece, and
// the text can be put together in registers straight from the tables.
//
// The point is what this avoids: building the text in memory piece by
// piece and then copying it on.  That copy reads bytes just written by
// stores of other sizes and offsets, which the processor cannot forward
// from its store buffer; it waits for them to reach the cache instead.  The
// padded tables are written when the library loads or the settings are
// read, long before any call reads them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fmt {

inline constexpr size_t kPadBefore = 32;
inline constexpr size_t kPadAfter = 16;
// Padded pieces kept one after another: a slot and the NULs before the next.
inline constexpr size_t kPaddedStride = 16 + kPadBefore;

// A padded piece: its text and length.
struct PaddedText {
    const char *at;
    size_t len;
};

// The empty piece.
struct PaddedNothing {
    alignas(16) char bytes[kPadBefore + 16 + kPadAfter]{};
};
inline constexpr PaddedNothing kPaddedNothing{};
inline constexpr PaddedText kNoText{kPaddedNothing.bytes + kPadBefore, 0};

// "0" to "99" as "%d" prints them, then "00" to "99" as "%02d" does,
// padded.
struct PaddedDigits {
    static constexpr size_t kEntries = 200;
    char bytes[kPadBefore + kEntries * kPaddedStride]{};
    constexpr PaddedDigits() {
        for (size_t i = 0; i < kEntries; ++i) {
            const size_t value = i % 100;
            char *entry = bytes + kPadBefore + i * kPaddedStride;
            if (value >= 10 || i >= 100)
                *entry++ = static_cast<char>('0' + value / 10);
            *entry = static_cast<char>('0' + value % 10);
        }
    }
};
inline constexpr PaddedDigits kPaddedDigits{};

// Entry i of the padded digits: below 100 the value i as "%d" prints it
// (one digit below 10), from 100 on the value i - 100 with two digits.
inline constexpr size_t kTwoDigitEntries = 100;
inline PaddedText PaddedDigitsEntry(size_t i) {
    return PaddedText{kPaddedDigits.bytes + kPadBefore + i * kPaddedStride,
                      2u - static_cast<size_t>(i < 10)};
}

// value (below 100) as "%d" or, when twoDigits, as "%02d" prints it.
inline PaddedText PaddedNumber(uint32_t value, bool twoDigits) {
    return PaddedDigitsEntry(value + (twoDigits ? kTwoDigitEntries : 0));
}

// A text of at most 31 characters put together from padded pieces laid
// end to end, held as two 16-byte halves.  Every piece starts at or before
// the text's end and has only NULs past its own length, so the halves hold
// NULs past the text.  A piece's offset from the first half lies in 0 to
// 31 and from the second in -16 to 15, within its padding.
class RegisterText {
  public:
    // The longest text two halves hold with its NUL.
    static constexpr size_t kMaxLength = 31;

    // Adds piece at the end; the text must stay within kMaxLength.
    void Add(PaddedText piece) {
        const char *from = piece.at - at_;
        OrIn(first_, from);
        OrIn(second_, from + 16);
        at_ += piece.len;
    }

    // The 32 bytes of text and NULs.
    void Store32(char *to) const {
        std::memcpy(to, &first_, 16);
        std::memcpy(to + 16, &second_, 16);
    }

    // The text and its NUL, and nothing after them.
    void StoreText(char *to) const {
        const size_t size = at_ + 1;
        if (size > 16) {
            std::memcpy(to, &first_, 16);
            StoreStart(to + 16, second_, size - 16);
        } else {
            StoreStart(to, first_, size);
        }
    }

  private:
    using Bytes = uint8_t __attribute__((vector_size(16)));
    static_assert(std::endian::native == std::endian::little);

    // (Through a reference: passing vectors by value differs between
    // targets with and without vector registers.)
    static void OrIn(Bytes &half, const char *from) {
        Bytes bytes;
        std::memcpy(&bytes, from, 16);
        half |= bytes;
    }

    // The first n (1 to 16) bytes of half, through general registers.
    static void StoreStart(char *to, const Bytes &half, size_t n) {
        uint64_t word[2];
        std::memcpy(word, &half, 16);
        if (n >= 8) {
            std::memcpy(to, &word[0], 8);
            StoreStart(to + 8, word[1], n - 8);
        } else {
            StoreStart(to, word[0], n);
        }
    }

    // The first n (0 to 8) bytes of word, the low byte first, in at most
    // two overlapping moves.
    static void StoreStart(char *to, uint64_t word, size_t n) {
        if (n == 8) {
            std::memcpy(to, &word, 8);
        } else if (n >= 4) {
            const auto head = static_cast<uint32_t>(word);
            const auto tail = static_cast<uint32_t>(word >> (8 * (n - 4)));
            std::memcpy(to, &head, 4);
            std::memcpy(to + n - 4, &tail, 4);
        } else if (n >= 2) {
            const auto head = static_cast<uint16_t>(word);
            const auto tail = static_cast<uint16_t>(word >> (8 * (n - 2)));
            std::memcpy(to, &head, 2);
            std::memcpy(to + n - 2, &tail, 2);
        } else if (n == 1) {
            to[0] = static_cast<char>(word);
        }
    }

    size_t at_ = 0;
    Bytes first_{};
    Bytes second_{};
};

} // namespace fmt
