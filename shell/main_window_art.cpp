#include "shell/main_window_art.h"

namespace shell {
namespace {

plat::Color Mix(plat::Color a, plat::Color b, int num, int den) {
    auto ch = [&](int ca, int cb) { return ca + (cb - ca) * num / den; };
    return plat::Rgb(ch(plat::RedOf(a), plat::RedOf(b)), ch(plat::GreenOf(a), plat::GreenOf(b)),
                     ch(plat::BlueOf(a), plat::BlueOf(b)));
}

// A vertical gradient from `top` to `bottom` over the rows of r.
void Gradient(plat::Canvas& c, const plat::Rect& r, plat::Color top, plat::Color bottom) {
    const int h = r.Height();
    for (int y = 0; y < h; ++y) c.FillRect({r.left, r.top + y, r.right, r.top + y + 1}, Mix(top, bottom, y, h));
}

plat::Picture TitleButton() {
    plat::Picture p = plat::Picture::Create(33, 41, kTitleBlue);
    Gradient(p.Draw(), {0, 0, 33, 41}, plat::Rgb(0, 132, 246), plat::Rgb(0, 108, 214));
    return p;
}

}  // namespace

plat::Picture MainBackgroundPicture(int width, int height) {
    plat::Picture p = plat::Picture::Create(width, height, kWindowBody);
    plat::Canvas& c = p.Draw();
    Gradient(c, {0, 0, width, kTitleBandHeight}, plat::Rgb(0, 132, 246), plat::Rgb(0, 108, 214));
    c.FillRect({0, kTitleBandHeight, width, kTitleBandHeight + 1}, plat::Rgb(0, 90, 180));
    // The right column sits on a card of its own.
    const plat::Rect card{292, kTitleBandHeight + 10, width - 8, height - 10};
    c.FillRect(card, plat::Rgb(255, 255, 255));
    c.FrameRect(card, plat::Rgb(208, 220, 236), 1);
    // A crop mark beside the title: the program's sign.
    const plat::Color white = plat::Rgb(255, 255, 255);
    c.FillRect({14, 12, 30, 14}, white);
    c.FillRect({14, 12, 16, 28}, white);
    c.FillRect({22, 20, 38, 22}, white);
    c.FillRect({36, 20, 38, 36}, white);
    c.Text(44, 6, L"Morrowen Snip", plat::Font{L"Segoe UI", 11.0f, true}, white);
    return p;
}

plat::Picture HideButtonPicture() {
    plat::Picture p = TitleButton();
    p.Draw().FillRect({11, 20, 22, 22}, plat::Rgb(255, 255, 255));
    return p;
}

plat::Picture ExitButtonPicture() {
    plat::Picture p = TitleButton();
    plat::Canvas& c = p.Draw();
    for (int i = 0; i < 11; ++i) {
        c.FillRect({11 + i, 15 + i, 13 + i, 16 + i}, plat::Rgb(255, 255, 255));
        c.FillRect({21 - i, 15 + i, 23 - i, 16 + i}, plat::Rgb(255, 255, 255));
    }
    return p;
}

plat::Picture HelpIconPicture() {
    plat::Picture p = plat::Picture::Create(16, 16, kWindowBody);
    plat::Canvas& c = p.Draw();
    // A disc: rows of the circle's chords.
    static constexpr int kHalfChord[16] = {3, 5, 6, 7, 7, 8, 8, 8, 8, 8, 8, 7, 7, 6, 5, 3};
    for (int y = 0; y < 16; ++y) c.FillRect({8 - kHalfChord[y], y, 8 + kHalfChord[y], y + 1}, kTitleBlue);
    c.Text(5, 0, L"?", plat::Font{L"Segoe UI", 9.0f, true}, plat::Rgb(255, 255, 255));
    return p;
}

}  // namespace shell
