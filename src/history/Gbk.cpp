#include "history/Gbk.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>

namespace qv {

namespace {

class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; on an invalid or incomplete sequence it writes
    // replacement and skips the bytes given by skip(input).
    template <typename Skip>
    std::string Convert(std::string_view input, std::string_view replacement, Skip skip)
    {
        std::string out;
        out.reserve(input.size() * 3 / 2 + 16);
        char buffer[4096];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t r = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (r != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: replace the offending sequence and go on.
            out.append(replacement);
            const std::size_t n = std::min(inLeft, skip(std::string_view(in, inLeft)));
            in += n;
            inLeft -= n;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

    // Converts one character's bytes whole: up to three output bytes packed with their
    // count in the top byte, or 0 when the input is not exactly one convertible character.
    std::uint32_t One(std::string_view input)
    {
        char buffer[8];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        const std::size_t r = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
        const auto count = static_cast<std::size_t>(outPtr - buffer);
        if (r == static_cast<std::size_t>(-1) || inLeft != 0 || count == 0 || count > 3)
            return 0;
        std::uint32_t packed = static_cast<std::uint32_t>(count) << 24;
        for (std::size_t k = 0; k < count; ++k)
            packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(buffer[k])) << (8 * k);
        return packed;
    }

private:
    iconv_t m_cd;
};

std::size_t Utf8SequenceLength(std::string_view s)
{
    const unsigned char c = static_cast<unsigned char>(s[0]);
    std::size_t n = 1;
    if (c >= 0xF0)
        n = 4;
    else if (c >= 0xE0)
        n = 3;
    else if (c >= 0xC0)
        n = 2;
    // Do not swallow following bytes that are not continuation bytes.
    std::size_t i = 1;
    while (i < n && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
        ++i;
    return i;
}

// Each character met before, in both directions, so iconv looks at every distinct
// character once per thread instead of at every byte of every file. A character the
// cache cannot take (a byte sequence that is not one well-formed character, or one that
// does not convert to exactly one character) sends the whole text to iconv, so the result
// is always iconv's own.
class CharCache
{
public:
    // GBK bytes to UTF-8; false when iconv must do the whole text.
    bool ToUtf8(std::string_view gbk, std::string& out)
    {
        // Every two GBK bytes become at most three UTF-8 bytes, every other byte one.
        out.resize(gbk.size() + gbk.size() / 2 + 1);
        char* to = out.data();
        const auto* p = reinterpret_cast<const unsigned char*>(gbk.data());
        const auto* end = p + gbk.size();
        while (p < end) {
            if (*p < 0x80) {
                *to++ = static_cast<char>(*p++);
                continue;
            }
            if (end - p < 2)
                return false;
            const unsigned key = static_cast<unsigned>(p[0]) << 8 | p[1];
            std::uint32_t entry = Utf8Table()[key];
            if (entry == 0) {
                entry = LookUpUtf8(p);
                if (entry == 0)
                    return false;
                Utf8Table()[key] = entry;
            }
            to = Unpack(to, entry);
            p += 2;
        }
        out.resize(static_cast<std::size_t>(to - out.data()));
        return true;
    }

    // UTF-8 to GBK; false when iconv must do the whole text.
    bool ToGbk(std::string_view utf8, std::string& out)
    {
        // No character takes more bytes in GBK than in UTF-8.
        out.resize(utf8.size());
        char* to = out.data();
        const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
        const auto* end = p + utf8.size();
        while (p < end) {
            if (*p < 0x80) {
                *to++ = static_cast<char>(*p++);
                continue;
            }
            const std::size_t length = WellFormedLength(p, end);
            if (length == 0)
                return false;
            unsigned code = 0;
            if (length == 2)
                code = (p[0] & 0x1Fu) << 6 | (p[1] & 0x3Fu);
            else
                code = (p[0] & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
            std::uint32_t entry = GbkTable()[code];
            if (entry == 0) {
                entry = LookUpGbk(p, length);
                if (entry == 0 || (entry >> 24) > length)
                    return false;
                GbkTable()[code] = entry;
            }
            to = Unpack(to, entry);
            p += length;
        }
        out.resize(static_cast<std::size_t>(to - out.data()));
        return true;
    }

private:
    // An entry holds up to three output bytes, the count in the top byte; 0 is unknown.
    static char* Unpack(char* to, std::uint32_t entry)
    {
        const unsigned count = entry >> 24;
        for (unsigned k = 0; k < count; ++k)
            *to++ = static_cast<char>((entry >> (8 * k)) & 0xFF);
        return to;
    }

    // The length of the well-formed two- or three-byte sequence at p; 0 for anything else.
    static std::size_t WellFormedLength(const unsigned char* p, const unsigned char* end)
    {
        const auto cont = [](unsigned char c) { return (c & 0xC0) == 0x80; };
        const std::ptrdiff_t left = end - p;
        if (p[0] >= 0xC2 && p[0] <= 0xDF)
            return left >= 2 && cont(p[1]) ? 2 : 0;
        if (p[0] >= 0xE0 && p[0] <= 0xEF && left >= 3 && cont(p[1]) && cont(p[2])) {
            if (p[0] == 0xE0 && p[1] < 0xA0)
                return 0; // overlong
            if (p[0] == 0xED && p[1] >= 0xA0)
                return 0; // a surrogate
            return 3;
        }
        return 0;
    }

    // One character through iconv: the packed result, or 0 unless the input converts
    // whole to one to three bytes.
    static std::uint32_t Convert(Converter& converter, const unsigned char* in, std::size_t length)
    {
        if (!converter.Valid())
            return 0;
        return converter.One(std::string_view(reinterpret_cast<const char*>(in), length));
    }
    std::uint32_t LookUpUtf8(const unsigned char* p)
    {
        static thread_local Converter converter("UTF-8", "GBK");
        return Convert(converter, p, 2);
    }
    std::uint32_t LookUpGbk(const unsigned char* p, std::size_t length)
    {
        static thread_local Converter converter("GBK", "UTF-8");
        return Convert(converter, p, length);
    }

    std::uint32_t* Utf8Table()
    {
        if (!m_toUtf8)
            m_toUtf8 = std::make_unique<std::uint32_t[]>(0x10000);
        return m_toUtf8.get();
    }
    std::uint32_t* GbkTable()
    {
        if (!m_toGbk)
            m_toGbk = std::make_unique<std::uint32_t[]>(0x10000);
        return m_toGbk.get();
    }

    std::unique_ptr<std::uint32_t[]> m_toUtf8; // by lead byte << 8 | trail byte
    std::unique_ptr<std::uint32_t[]> m_toGbk;  // by code point (the BMP only)
};

CharCache& Cache()
{
    static thread_local CharCache cache;
    return cache;
}

} // namespace

bool IsAscii(std::string_view text)
{
    // Eight bytes at a time, in blocks the compiler can widen further; a full basket is
    // some 21 MB.
    const char* p = text.data();
    std::size_t left = text.size();
    while (left >= 256) {
        std::uint64_t high = 0;
        for (int k = 0; k < 32; ++k) {
            std::uint64_t word;
            std::memcpy(&word, p + 8 * k, 8);
            high |= word;
        }
        if ((high & 0x8080808080808080ull) != 0)
            return false;
        p += 256;
        left -= 256;
    }
    unsigned char high = 0;
    for (std::size_t i = 0; i < left; ++i)
        high |= static_cast<unsigned char>(p[i]);
    return high < 0x80;
}

std::string GbkToUtf8(std::string_view gbk)
{
    if (IsAscii(gbk))
        return std::string(gbk);
    std::string out;
    if (Cache().ToUtf8(gbk, out))
        return out;
    thread_local Converter converter("UTF-8", "GBK");
    if (!converter.Valid())
        return std::string(gbk);
    return converter.Convert(gbk, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; });
}

std::string Utf8ToGbk(std::string_view utf8)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    std::string out;
    if (Cache().ToGbk(utf8, out))
        return out;
    thread_local Converter converter("GBK", "UTF-8");
    if (!converter.Valid())
        return std::string(utf8);
    return converter.Convert(utf8, "?", Utf8SequenceLength);
}

} // namespace qv
