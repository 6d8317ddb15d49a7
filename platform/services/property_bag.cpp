#include "platform/services/property_bag.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace plat {

namespace {

constexpr std::uint8_t kMagic[4] = {'M', 'S', 'P', 'B'};
constexpr std::uint16_t kVersion = 1;
constexpr std::uint8_t kPictureKind = 1;

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes) c = table[(c ^ b) & 255] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void U8(std::uint32_t v) { out_.push_back(static_cast<std::uint8_t>(v)); }
    void U16(std::uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Varint(std::uint64_t v) {
        for (; v >= 0x80; v >>= 7) U8(static_cast<std::uint32_t>(v & 0x7F) | 0x80);
        U8(static_cast<std::uint32_t>(v));
    }
    void Pixel(std::uint32_t p) {
        U8(p);
        U8(p >> 8);
        U8(p >> 16);
    }
    void Bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }

private:
    std::vector<std::uint8_t>& out_;
};

// Reads from a span; every read past the end fails and leaves the reader failed.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
    bool Ok() const { return ok_; }
    bool AtEnd() const { return pos_ == in_.size(); }
    std::uint32_t U8() {
        if (pos_ >= in_.size()) {
            ok_ = false;
            return 0;
        }
        return in_[pos_++];
    }
    // Each read in its own statement: the operands of | have no order.
    std::uint32_t U16() {
        const std::uint32_t lo = U8();
        return lo | U8() << 8;
    }
    std::uint32_t U32() {
        const std::uint32_t lo = U16();
        return lo | U16() << 16;
    }
    std::uint64_t Varint() {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 63; shift += 7) {
            const std::uint32_t b = U8();
            v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) return v;
        }
        ok_ = false;  // longer than any count can be
        return 0;
    }
    std::uint32_t Pixel() {
        const std::uint32_t lo = U16();
        return lo | U8() << 16;
    }
    std::span<const std::uint8_t> Bytes(std::size_t n) {
        if (n > in_.size() - pos_) {
            ok_ = false;
            return {};
        }
        const auto s = in_.subspan(pos_, n);
        pos_ += n;
        return s;
    }

private:
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// The pixels of p in row order, the unused fourth byte dropped.
std::vector<std::uint32_t> PixelsOf(const Picture& p) {
    std::vector<std::uint32_t> px;
    px.reserve(static_cast<std::size_t>(p.Width()) * static_cast<std::size_t>(p.Height()));
    for (int y = 0; y < p.Height(); ++y) {
        const std::uint32_t* row = p.Row(y);
        for (int x = 0; x < p.Width(); ++x) px.push_back(row[x] & 0xFFFFFFu);
    }
    return px;
}

// Shorter runs go into literals: a run packet of two costs as much as the literal.
constexpr std::size_t kMinRun = 3;

std::size_t RunAt(const std::vector<std::uint32_t>& px, std::size_t i) {
    std::size_t j = i + 1;
    while (j < px.size() && px[j] == px[i]) ++j;
    return j - i;
}

std::vector<std::uint8_t> EncodePicture(const Picture& p) {
    std::vector<std::uint8_t> out;
    if (p.Empty()) return out;
    Writer w(out);
    w.U32(static_cast<std::uint32_t>(p.Width()));
    w.U32(static_cast<std::uint32_t>(p.Height()));
    const std::vector<std::uint32_t> px = PixelsOf(p);
    std::size_t i = 0;
    while (i < px.size()) {
        const std::size_t run = RunAt(px, i);
        if (run >= kMinRun) {
            w.Varint(static_cast<std::uint64_t>(run) * 2 + 1);
            w.Pixel(px[i]);
            i += run;
            continue;
        }
        std::size_t end = i + run;
        while (end < px.size()) {
            const std::size_t next = RunAt(px, end);
            if (next >= kMinRun) break;
            end += next;
        }
        w.Varint(static_cast<std::uint64_t>(end - i) * 2);
        for (; i < end; ++i) w.Pixel(px[i]);
    }
    return out;
}

// Empty on any inconsistency: the packets must cover the picture exactly.
Picture DecodePicture(std::span<const std::uint8_t> payload) {
    if (payload.empty()) return {};
    Reader r(payload);
    const std::uint64_t width = r.U32(), height = r.U32();
    if (!r.Ok() || width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF ||
        width * height > PropertyBag::kMaxPixels)
        return {};
    const std::uint64_t total = width * height;
    // Check the packets before allocating what a corrupt size could ask for.
    auto walk = [&](auto&& put) {
        Reader in(payload.subspan(8));
        std::uint64_t done = 0;
        while (done < total) {
            const std::uint64_t n = in.Varint();
            const std::uint64_t count = n / 2;
            if (!in.Ok() || count == 0 || count > total - done) return false;
            if (n & 1) {
                const std::uint32_t px = in.Pixel();
                if (!in.Ok()) return false;
                put(count, px);
            } else {
                for (std::uint64_t k = 0; k < count; ++k) {
                    const std::uint32_t px = in.Pixel();
                    if (!in.Ok()) return false;
                    put(1, px);
                }
            }
            done += count;
        }
        return in.AtEnd();
    };
    if (!walk([](std::uint64_t, std::uint32_t) {})) return {};
    Picture pic = Picture::Create(static_cast<int>(width), static_cast<int>(height), 0);
    if (pic.Empty()) return {};
    // Row by row, fetching each row once: the packets arrive in pixel order.
    int y = 0;
    std::uint64_t x = 0;
    std::uint32_t* row = pic.MutableRow(0);
    walk([&](std::uint64_t count, std::uint32_t px) {
        while (count > 0) {
            const std::uint64_t n = std::min(count, width - x);
            std::fill_n(row + x, n, px);
            x += n;
            count -= n;
            if (x == width) {
                x = 0;
                row = ++y < pic.Height() ? pic.MutableRow(y) : nullptr;
            }
        }
    });
    return pic;
}

}  // namespace

PropertyBag::PropertyBag(std::span<const std::uint8_t> contents) {
    if (contents.size() < 12) return;
    const auto body = contents.first(contents.size() - 4);
    Reader tail(contents.last(4));
    if (tail.U32() != Crc32(body)) return;
    Reader r(body);
    for (std::uint8_t m : kMagic)
        if (r.U8() != m) return;
    if (r.U16() != kVersion) return;
    const std::uint32_t count = r.U16();
    std::vector<Entry> entries;
    for (std::uint32_t i = 0; i < count && r.Ok(); ++i) {
        Entry e;
        const std::uint32_t nameLength = r.U16();
        for (std::uint32_t k = 0; k < nameLength; ++k) e.name.push_back(static_cast<wchar_t>(r.U16()));
        const std::uint32_t kind = r.U8();
        const auto payload = r.Bytes(r.U32());
        if (!r.Ok() || kind != kPictureKind) return;
        e.payload.assign(payload.begin(), payload.end());
        entries.push_back(std::move(e));
    }
    if (!r.Ok() || !r.AtEnd()) return;
    entries_ = std::move(entries);
}

void PropertyBag::WriteProperty(const std::wstring& name, const Picture& value) {
    std::vector<std::uint8_t> payload = EncodePicture(value);
    for (Entry& e : entries_)
        if (e.name == name) {
            e.payload = std::move(payload);
            return;
        }
    entries_.push_back({name.substr(0, 0xFFFF), std::move(payload)});
}

Picture PropertyBag::ReadProperty(const std::wstring& name) const {
    for (const Entry& e : entries_)
        if (e.name == name) return DecodePicture(e.payload);
    return {};
}

std::vector<std::uint8_t> PropertyBag::Contents() const {
    std::size_t size = 12;
    for (const Entry& e : entries_) size += 7 + e.name.size() * 2 + e.payload.size();
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    out.reserve(size);
    Writer w(out);
    w.U16(kVersion);
    w.U16(static_cast<std::uint32_t>(std::min<std::size_t>(entries_.size(), 0xFFFF)));
    for (std::size_t i = 0; i < entries_.size() && i < 0xFFFF; ++i) {
        const Entry& e = entries_[i];
        w.U16(static_cast<std::uint32_t>(e.name.size()));
        for (wchar_t c : e.name) w.U16(static_cast<std::uint32_t>(c) & 0xFFFF);
        w.U8(kPictureKind);
        w.U32(static_cast<std::uint32_t>(e.payload.size()));
        w.Bytes(e.payload);
    }
    w.U32(Crc32(out));
    return out;
}

}  // namespace plat
