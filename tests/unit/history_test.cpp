// The compact history against a plain list of full copies, and what it costs.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "editor/history.h"
#include "editor/pixelate.h"
#include "headless_fixture.h"
#include "platform/services/picture.h"

namespace editor {
namespace {

// The reference: every entry a full copy, positions kept as the editor keeps them.
// Each entry also counts the numbered marks (step badges) it shows.
struct FullCopies {
    std::vector<plat::Picture> entries;
    std::vector<int> marks;
    int position = 0, top = 0;

    int Marks() const { return position ? marks[static_cast<std::size_t>(position - 1)] : 0; }
    void Push(const plat::Picture& p) { Push(p, Marks()); }
    void Push(const plat::Picture& p, int m) {
        if (entries.empty()) {
            entries = {p.Copy()};
            marks = {m};
            position = top = 1;
            return;
        }
        ++position;
        top = position;
        entries.resize(static_cast<std::size_t>(position - 1));
        marks.resize(static_cast<std::size_t>(position - 1));
        entries.push_back(p.Copy());
        marks.push_back(m);
    }
    // The caller keeps showing its picture: entry 1 takes over its marks.
    void Cut() {
        marks = {Marks()};
        position = top = 1;
        entries.resize(1);
    }
    std::optional<plat::Picture> Revert() {
        if (--position >= 1) return entries[static_cast<std::size_t>(position - 1)].Copy();
        position = 1;
        return std::nullopt;
    }
    std::optional<plat::Picture> Redo() {
        if (++position > top) {
            position = top;
            return std::nullopt;
        }
        return entries[static_cast<std::size_t>(position - 1)].Copy();
    }
};

bool ExactlyEqual(const std::optional<plat::Picture>& a, const std::optional<plat::Picture>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x)
            if (a->Row(y)[x] != b->Row(y)[x]) return false;
    return true;
}

// A random change to the picture: a filled or framed rectangle (partly off
// the picture at times), a few stray pixels, nothing at all, or, rarely, a
// picture of another size, or a pixelated area.
void Scribble(plat::Picture& p, std::mt19937& rng) {
    // Its pixels may be the history's: drawn on a copy, as the editor does.
    if (p.Shared()) p = p.Copy();
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const plat::Color colour = plat::Rgb(pick(0, 2) * 120, pick(0, 2) * 120, pick(0, 2) * 120);
    const int w = p.Width(), h = p.Height();
    const plat::Rect r{pick(-8, w), pick(-8, h), pick(-8, w + 8), pick(-8, h + 8)};
    switch (pick(0, 10)) {
        case 0: case 1: case 2: p.Draw().FillRect(r, colour); break;
        case 3: case 4: case 5: p.Draw().FrameRect(r, colour, pick(1, 4)); break;
        case 6: case 7:
            for (int i = 0; i < 5; ++i) p.MutableRow(pick(0, h - 1))[pick(0, w - 1)] = static_cast<std::uint32_t>(rng());
            break;
        case 8: break;
        case 9: PixelateArea(p, r, pick(4, 9)); break;
        default:
            if (pick(0, 5) == 0) p = plat::Picture::Create(pick(20, 40), pick(15, 30), colour);
            break;
    }
}

class HistoryTest : public HeadlessTest {};

TEST_F(HistoryTest, AnswersLikeFullCopiesThroughRandomPushRevertRedoAndCut) {
    // Pushes are plain shapes, or badges that count one mark more, or a
    // pixelated area (a plain change of many pixels).
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 rng(seed);
        plat::Picture background = plat::Picture::Create(37, 23, plat::Rgb(10, 20, 30));
        History history;
        FullCopies model;
        history.Start(background);
        model.Push(background);
        for (int step = 0; step < 1500; ++step) {
            const int op = std::uniform_int_distribution<int>(0, 19)(rng);
            std::optional<plat::Picture> ours, theirs;
            if (op < 8) {
                Scribble(background, rng);
                if (op == 0) {
                    history.Push(background, history.Marks() + 1);
                    model.Push(background, model.Marks() + 1);
                } else {
                    history.Push(background);
                    model.Push(background);
                }
            } else if (op < 13) {
                ours = history.Revert();
                theirs = model.Revert();
            } else if (op < 19) {
                ours = history.Redo();
                theirs = model.Redo();
            } else {
                history.Cut();
                model.Cut();
            }
            ASSERT_TRUE(ExactlyEqual(ours, theirs)) << "seed " << seed << " step " << step;
            ASSERT_EQ(history.Position(), model.position) << "seed " << seed << " step " << step;
            ASSERT_EQ(history.Top(), model.top) << "seed " << seed << " step " << step;
            ASSERT_EQ(history.Marks(), model.Marks()) << "seed " << seed << " step " << step;
            if (ours) background = *ours;
        }
    }
}

TEST_F(HistoryTest, RevertAtTheFirstEntryKeepsTheRedoTailAndHandsBackNothing) {
    plat::Picture clean = plat::Picture::Create(30, 20), marked = clean.Copy();
    marked.Draw().FillRect({2, 2, 9, 9}, plat::Rgb(255, 0, 0));
    History history;
    EXPECT_FALSE(history.Revert());
    EXPECT_FALSE(history.Redo());
    history.Push(clean);  // never started: becomes entry 1
    history.Push(marked);
    ASSERT_TRUE(ExactlyEqual(history.Revert(), clean.Copy()));
    EXPECT_FALSE(history.Revert());
    EXPECT_EQ(history.Position(), 1);
    EXPECT_EQ(history.Top(), 2);
    // The returned picture shares the history's pixels, and says so: a caller
    // that draws on it copies it first and changes no entry.
    std::optional<plat::Picture> again = history.Redo();
    ASSERT_TRUE(ExactlyEqual(again, marked.Copy()));
    ASSERT_TRUE(again->Shared());
    *again = again->Copy();
    again->Draw().FillRect({0, 0, 30, 20}, plat::Rgb(0, 0, 255));
    EXPECT_TRUE(ExactlyEqual(history.Revert(), clean.Copy()));
    EXPECT_TRUE(ExactlyEqual(history.Redo(), marked.Copy()));
}

TEST_F(HistoryTest, AnEntryCostsWhatChangedNotThePicture) {
    plat::Picture p = plat::Picture::Create(1000, 800);
    History history;
    history.Start(p);
    const std::size_t whole = 1000u * 800u * 4u;
    std::size_t before = history.Bytes();
    EXPECT_GE(before, whole);
    EXPECT_LT(before, whole + 1000);

    auto costOf = [&](auto draw) {
        if (p.Shared()) p = p.Copy();
        draw();
        history.Push(p);
        const std::size_t now = history.Bytes(), cost = now - before;
        before = now;
        return cost;
    };
    const std::size_t nothing = costOf([] {});
    const std::size_t small = costOf([&] { p.Draw().FillRect({10, 10, 20, 20}, plat::Rgb(0, 0, 0)); });
    const std::size_t large = costOf([&] { p.Draw().FillRect({100, 100, 300, 300}, plat::Rgb(0, 0, 0)); });
    // An outline costs its border, not the area it encloses.
    const std::size_t outline = costOf([&] { p.Draw().FrameRect({400, 100, 900, 600}, plat::Rgb(255, 0, 0), 3); });
    EXPECT_LT(nothing, 200u);
    EXPECT_GE(small, 100u * 4u);
    EXPECT_LT(small, 100u * 4u + 300u);
    EXPECT_GE(large, 40000u * 4u);
    // Beyond the pixels: a count for each row of the band and a header for each run.
    EXPECT_LT(large, 40000u * 4u + 200u * 6u + 300u);
    const std::size_t border = (500u * 500u - 494u * 494u) * 4u;
    EXPECT_GE(outline, border);
    EXPECT_LT(outline, border + 500u * 10u + 300u);
}

}  // namespace
}  // namespace editor
