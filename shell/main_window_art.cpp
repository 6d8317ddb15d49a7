#include "shell/main_window_art.h"

namespace shell {
namespace {

constexpr plat::Color kWhite = plat::Rgb(255, 255, 255);

plat::Color Mix(plat::Color a, plat::Color b, int num, int den) {
    auto ch = [&](int ca, int cb) { return ca + (cb - ca) * num / den; };
    return plat::Rgb(ch(plat::RedOf(a), plat::RedOf(b)), ch(plat::GreenOf(a), plat::GreenOf(b)),
                     ch(plat::BlueOf(a), plat::BlueOf(b)));
}

// The title buttons are slices of the band itself, so they sit in it seamlessly.
plat::Picture TitleButton() {
    plat::Picture p = plat::Picture::Create(33, 41, kTitleBlue);
    for (int y = 0; y < 41; ++y) p.Draw().FillRect({0, y, 33, y + 1}, TitleBandColor(y));
    return p;
}

}  // namespace

plat::Color TitleBandColor(int y) {
    if (y >= kTitleBandHeight - 1) return plat::Rgb(0, 90, 180);  // the band's lower edge
    return Mix(plat::Rgb(0, 134, 248), plat::Rgb(0, 106, 212), y, kTitleBandHeight - 1);
}

plat::Picture MainBackgroundPicture(int width, int height) {
    plat::Picture p = plat::Picture::Create(width, height, kWindowBody);
    plat::Canvas& c = p.Draw();
    for (int y = 0; y < kTitleBandHeight; ++y) c.FillRect({0, y, width, y + 1}, TitleBandColor(y));
    c.FillRect(kRightCard, kCardColor);
    c.FrameRect(kRightCard, plat::Rgb(208, 220, 236), 1);
    // A thin outline keeps the borderless window apart from what lies behind it.
    c.FrameRect({0, kTitleBandHeight, width, height}, plat::Rgb(168, 184, 204), 1);
    c.FillRect({0, height - 1, width, height}, plat::Rgb(168, 184, 204));
    // Two crop corners beside the title: the program's sign, as on its icon.
    c.FillRect({14, 12, 26, 15}, kWhite);
    c.FillRect({14, 12, 17, 24}, kWhite);
    c.FillRect({26, 33, 38, 36}, kWhite);
    c.FillRect({35, 24, 38, 36}, kWhite);
    c.Text(46, 8, L"Morrowen Snip", plat::Font{L"Tahoma", 11.0f, true}, kWhite);
    return p;
}

plat::Picture HideButtonPicture() {
    plat::Picture p = TitleButton();
    p.Draw().FillRect({11, 20, 22, 22}, kWhite);
    return p;
}

plat::Picture ExitButtonPicture() {
    plat::Picture p = TitleButton();
    plat::Canvas& c = p.Draw();
    for (int i = 0; i < 11; ++i) {
        c.FillRect({11 + i, 15 + i, 13 + i, 16 + i}, kWhite);
        c.FillRect({21 - i, 15 + i, 23 - i, 16 + i}, kWhite);
    }
    return p;
}

plat::Picture HelpIconPicture() {
    plat::Picture p = plat::Picture::Create(16, 16, kWindowBody);
    plat::Canvas& c = p.Draw();
    // A disc: rows of the circle's chords.
    static constexpr int kHalfChord[16] = {3, 5, 6, 7, 7, 8, 8, 8, 8, 8, 8, 7, 7, 6, 5, 3};
    for (int y = 0; y < 16; ++y) c.FillRect({8 - kHalfChord[y], y, 8 + kHalfChord[y], y + 1}, kTitleBlue);
    // The question mark in whole pixels: sharp at this size on any system's fonts.
    static constexpr const char* kGlyph[9] = {".####.", "##..##", "....##", "...##.", "..##..",
                                              "..##..", "......", "..##..", "..##.."};
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 6; ++x)
            if (kGlyph[y][x] == '#') c.FillRect({5 + x, 3 + y, 6 + x, 4 + y}, kWhite);
    return p;
}

}  // namespace shell
