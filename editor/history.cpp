#include "editor/history.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace editor {

namespace {

// Runs are 16-bit; wider pictures are kept whole.
constexpr int kMaxRunWidth = 65535;
// Differing pixels this close together share one run: a gap pixel costs no
// more than the header of a new run.
constexpr int kJoinGap = 1;

bool SameSize(const plat::Picture& a, const plat::Picture& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

}  // namespace

void History::Start(const plat::Picture& first) {
    current_ = first;
    changes_.clear();
    marks_ = {0};
    position_ = 1;
    started_ = true;
}

void History::Push(const plat::Picture& picture) { Push(picture, Marks()); }

void History::Push(const plat::Picture& picture, int marks) {
    if (!started_) {
        Start(picture);
        marks_ = {marks};
        return;
    }
    marks_.resize(static_cast<std::size_t>(position_));
    marks_.push_back(marks);
    changes_.resize(static_cast<std::size_t>(position_ - 1));
    changes_.push_back(Diff(current_, picture));
    current_ = picture;
    ++position_;
}

void History::Cut() {
    const int shown = Marks();
    while (position_ > 1) {
        Apply(changes_[static_cast<std::size_t>(position_ - 2)]);
        --position_;
    }
    changes_.clear();
    if (started_) marks_ = {shown};
}

std::optional<plat::Picture> History::Revert() {
    if (position_ <= 1) return std::nullopt;
    Apply(changes_[static_cast<std::size_t>(position_ - 2)]);
    --position_;
    return current_;
}

std::optional<plat::Picture> History::Redo() {
    if (position_ >= Top()) return std::nullopt;
    Apply(changes_[static_cast<std::size_t>(position_ - 1)]);
    ++position_;
    return current_;
}

std::size_t History::Bytes() const {
    auto pictureBytes = [](const plat::Picture& p) {
        return static_cast<std::size_t>(p.Width()) * static_cast<std::size_t>(p.Height()) * sizeof(std::uint32_t);
    };
    std::size_t total = sizeof(*this) + pictureBytes(current_);
    for (const Change& c : changes_)
        total += sizeof(Change) + c.runsPerRow.capacity() * sizeof(std::uint16_t) + c.runs.capacity() * sizeof(Run) +
                 c.pixels.capacity() * sizeof(std::uint32_t) + pictureBytes(c.whole);
    return total;
}

// Records current's pixels where next differs; neither picture is changed.
History::Change History::Diff(const plat::Picture& current, const plat::Picture& next) {
    Change c;
    if (!SameSize(current, next) || current.Empty() || current.Width() > kMaxRunWidth) {
        c.isWhole = true;
        c.whole = current;
        return c;
    }
    const int width = current.Width(), height = current.Height();
    const auto rowBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    int first = -1, last = -1;
    for (int y = 0; y < height; ++y)
        if (std::memcmp(current.Row(y), next.Row(y), rowBytes) != 0) {
            if (first < 0) first = y;
            last = y;
        }
    if (first < 0) return c;
    c.firstRow = first;
    c.runsPerRow.assign(static_cast<std::size_t>(last - first + 1), 0);
    for (int y = first; y <= last; ++y) {
        const std::uint32_t* cur = current.Row(y);
        const std::uint32_t* nxt = next.Row(y);
        std::uint16_t& count = c.runsPerRow[static_cast<std::size_t>(y - first)];
        int x = 0;
        while (x < width) {
            if (cur[x] == nxt[x]) {
                ++x;
                continue;
            }
            const int start = x;
            int end = x + 1;  // one past the last differing pixel of this run
            for (int probe = end; probe < width && probe <= end + kJoinGap; ++probe)
                if (cur[probe] != nxt[probe]) end = probe + 1;
            c.runs.push_back({static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end - start)});
            c.pixels.insert(c.pixels.end(), cur + start, cur + end);
            ++count;
            x = end;
        }
    }
    c.runs.shrink_to_fit();
    c.pixels.shrink_to_fit();
    return c;
}

void History::Apply(Change& c) {
    if (c.isWhole) {
        std::swap(current_, c.whole);
        return;
    }
    // The pixels may be shared with the picture the editor shows: changed on a copy.
    if (current_.Shared()) current_ = current_.Copy();
    std::size_t run = 0, pixel = 0;
    for (std::size_t row = 0; row < c.runsPerRow.size(); ++row) {
        std::uint32_t* line = current_.MutableRow(c.firstRow + static_cast<int>(row));
        for (std::uint16_t i = 0; i < c.runsPerRow[row]; ++i, ++run) {
            const Run r = c.runs[run];
            std::swap_ranges(line + r.x, line + r.x + r.length, c.pixels.begin() + static_cast<std::ptrdiff_t>(pixel));
            pixel += r.length;
        }
    }
}

}  // namespace editor
