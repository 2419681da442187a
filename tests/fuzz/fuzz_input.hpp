// What the libFuzzer targets share: reading numbers and texts off the input, and failing loudly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// A broken property aborts, so libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(cond) \
    ((cond) ? (void)0    \
            : (std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #cond), std::abort()))

namespace fuzz {

// Takes values off the front of the input; an exhausted input reads as zeros and empty texts.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::uint32_t U32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return v;
    }
    // lo..hi, both included (hi - lo below 2^32).
    long long Range(long long lo, long long hi) {
        const std::uint64_t span = static_cast<std::uint64_t>(hi - lo) + 1;
        const std::uint64_t raw = span <= 256 ? Byte() : span <= 65536 ? (Byte() | Byte() << 8) : U32();
        return lo + static_cast<long long>(raw % span);
    }
    bool Bool() { return Byte() & 1; }
    // Bytes up to the next zero byte (dropped) or the end of the input.
    std::string Text() {
        std::string text;
        while (pos_ < size_ && data_[pos_] != 0) text.push_back(static_cast<char>(data_[pos_++]));
        if (pos_ < size_) ++pos_;
        return text;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
        pos_ = size_;
        return text;
    }
    bool Empty() const { return pos_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace fuzz
