#pragma once
// The editor's undo history: a numbered list of pictures (entry 1 the captured
// screen, one more for each committed shape) with a current position and a
// highest entry that "Redo" may reach. It answers exactly as a list of full
// copies would, but keeps one whole picture (the entry now current) and, for
// every later entry, only the pixels that differ from the entry before it, so
// an entry costs memory in proportion to what changed.
//
// Pictures handed in and out share their pixels with the history instead of
// being copied (a screen-sized copy per step would double the editor's
// memory): whoever draws on one makes it its own first when it is Shared(),
// as forms do with their surface, and so does the history.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/services/picture.h"

namespace editor {

class History {
public:
    // Starts afresh with `first` as entry 1: position and top are 1.
    void Start(const plat::Picture& first);

    // A new entry after the current one; entries after the current one are
    // dropped first. On a history never started, the picture becomes entry 1.
    void Push(const plat::Picture& picture);
    // The same, the new entry counting `marks` numbered marks (step badges)
    // where a plain Push carries the current entry's count over.
    void Push(const plat::Picture& picture, int marks);

    // Back to entry 1 alone (position and top 1); the caller's picture is not
    // touched, so what it shows stays in it.
    void Cut();

    // One step back: the picture of the entry now current.
    // nullopt at entry 1: the position stays 1 (top unchanged) and the caller
    // keeps its picture and discards the selection.
    std::optional<plat::Picture> Revert();

    // One step forward: the picture of the entry now current; nullopt at the
    // top, where nothing changes.
    std::optional<plat::Picture> Redo();

    int Position() const { return position_; }  // 0 before Start
    // The numbered marks the current entry shows (0 before Start); after a
    // Cut, entry 1 keeps the count of the picture the caller still shows.
    int Marks() const { return marks_.empty() ? 0 : marks_[static_cast<std::size_t>(position_ - 1)]; }
    // The picture of the entry now current.
    const plat::Picture& Current() const { return current_; }
    int Top() const { return static_cast<int>(changes_.size()) + (started_ ? 1 : 0); }
    // Memory held: the current picture's pixels and every entry's changes.
    std::size_t Bytes() const;

private:
    // What turns one entry into its neighbour: the differing pixels row by row
    // as runs, holding the other side's values; applying it swaps them with the
    // current picture's, so the same record steps back and forward. When the
    // two pictures differ in size it holds the other picture whole instead.
    struct Run {
        std::uint16_t x, length;
    };
    struct Change {
        int firstRow = 0;
        std::vector<std::uint16_t> runsPerRow;  // from firstRow on
        std::vector<Run> runs;
        std::vector<std::uint32_t> pixels;
        plat::Picture whole;
        bool isWhole = false;
    };

    static Change Diff(const plat::Picture& current, const plat::Picture& next);
    void Apply(Change& c);

    plat::Picture current_;        // the pixels of entry position_
    std::vector<Change> changes_;  // changes_[i] leads from entry i + 1 to entry i + 2
    std::vector<int> marks_;       // marks_[i]: the marks of entry i + 1
    int position_ = 0;
    bool started_ = false;
};

}  // namespace editor
