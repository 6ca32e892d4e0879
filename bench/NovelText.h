// SPDX-License-Identifier: MIT
#pragma once
// What the made-up benchmark novels share: numbers that are the same on every
// platform, Chinese numerals, and a buffered writer of lines that counts the
// bytes the text will take once stored in GBK or Big5.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::bench {

// splitmix64: tiny, and the same numbers on every platform and library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    // True with probability `percent` / 100.
    bool Percent(int percent) { return Between(0, 99) < percent; }
    template <typename T> const T& Pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(Between(0, static_cast<int>(from.size()) - 1))];
    }

private:
    std::uint64_t m_state;
};

inline std::string ChineseNumeral(int n) {
    static const std::array<const char*, 10> kDigits{"零", "一", "二", "三", "四",
                                                     "五", "六", "七", "八", "九"};
    const int hundreds = n / 100;
    const int tens = n / 10 % 10;
    const int units = n % 10;
    std::string text;
    if (hundreds > 0) {
        text += std::string(kDigits[hundreds]) + "百";
        if (tens == 0 && units != 0) {
            text += "零";
        }
    }
    if (tens > 0) {
        if (!(tens == 1 && hundreds == 0)) {
            text += kDigits[tens];
        }
        text += "十";
    }
    if (units > 0) {
        text += kDigits[units];
    }
    return text;
}

// Lines into a file through a buffer, each ended by `lineEnd`.
class LineSink {
public:
    LineSink(std::FILE* out, std::string_view lineEnd) : m_out(out), m_lineEnd(lineEnd) {}

    void Line(const std::string& text) {
        m_buffer += text;
        m_buffer += m_lineEnd;
        for (const unsigned char c : text) {
            // Lead bytes of UTF-8 count 2 (one double-byte character), continuation bytes 0.
            m_stored += c < 0x80 ? 1 : (c >= 0xC0 ? 2 : 0);
        }
        m_stored += m_lineEnd.size();
        if (m_buffer.size() > (1u << 20)) {
            Flush();
        }
    }
    void Flush() {
        if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out) != m_buffer.size()) {
            std::perror("lumarin-gen-novel");
            std::exit(1);
        }
        m_buffer.clear();
    }
    std::uint64_t stored() const { return m_stored; }

private:
    std::FILE* m_out;
    std::string_view m_lineEnd;
    std::string m_buffer;
    std::uint64_t m_stored = 0;
};

// The second kind of novel: mostly dialogue (see DialogueNovel.cpp).
void WriteDialogueNovel(std::FILE* out, std::uint64_t target);

} // namespace lumarin::bench
