#pragma once
// The snips the user copied or saved lately, kept in memory as PNG bytes so
// that a closed editor never costs the picture. Nothing here touches the disk.
#include <cstdint>
#include <ctime>
#include <deque>
#include <string>
#include <vector>

#include "platform/services/picture.h"

namespace shell {

struct RecentSnip {
    std::vector<std::uint8_t> png;
    int width = 0;
    int height = 0;
    std::time_t takenAt = 0;
};

class RecentSnips {
public:
    static constexpr size_t kMaxEntries = 10;
    // The most the entries may hold in all: a screen of noise or photos hardly
    // compresses, and older entries then make room (the newest always stays).
    static constexpr size_t kMaxBytes = 40u * 1024 * 1024;

    explicit RecentSnips(size_t maxBytes = kMaxBytes) : maxBytes_(maxBytes) {}

    // Keeps the picture as the newest entry; the oldest goes past kMaxEntries.
    // False when it could not be compressed (nothing is kept then).
    bool Keep(const plat::Picture& snip, std::time_t takenAt);
    // The same with the picture already compressed.
    void KeepPng(std::vector<std::uint8_t> png, int width, int height, std::time_t takenAt);
    // Newest first.
    const std::deque<RecentSnip>& Entries() const { return entries_; }
    // The compressed bytes held in all.
    size_t Bytes() const;
    void Clear() { entries_.clear(); }

private:
    size_t maxBytes_;
    std::deque<RecentSnip> entries_;
};

// The running program's list.
RecentSnips& Recent();

// A menu line for an entry: its local time and its size, "14:03:09  800 x 600".
std::wstring RecentSnipLabel(const RecentSnip& snip);

// Whether snips are kept at all: a.ini [RecentSnips] Keep, 1 (the default) or 0.
bool RecentSnipsWanted();
void SetRecentSnipsWanted(bool on);

}  // namespace shell
