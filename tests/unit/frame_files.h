#pragma once
// Picture files for the picture frame's headless tests. A frame shows only
// paths with a drive letter, so the test works in a folder of its own whose
// "C:" sub-folder such paths reach (a backslash is a separator here).
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "logo/pic_frame_abc.h"
#include "platform/toolkit/form.h"
#include "platform/services/imaging.h"
#include "tests/unit/headless_fixture.h"

class FrameFilesTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        old_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() / ("ms-frames-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_ / "C:" / "pics");
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(old_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    static std::wstring Path(const std::wstring& name) { return L"C:\\pics\\" + name; }
    // Written where the fake library writes (a plain path), then moved in.
    static std::wstring WritePicture(const std::wstring& name, const plat::Picture& p) {
        const std::filesystem::path plain = std::filesystem::current_path() / "picture.tmp";
        EXPECT_TRUE(plat::SavePictureAsBmp(p, plain.wstring()));
        std::filesystem::rename(plain, std::filesystem::path(L"C:/pics/" + name));
        return Path(name);
    }
    static std::wstring WriteText(const std::wstring& name, const std::string& text) {
        std::ofstream(std::filesystem::path(L"C:/pics/" + name), std::ios::binary) << text;
        return Path(name);
    }
    // A dark bar on white, with a white hole: the white is see-through.
    static plat::Picture Logo120x40() {
        plat::Picture p = plat::Picture::Create(120, 40, plat::Rgb(255, 255, 255));
        p.Draw().FillRect({10, 5, 110, 35}, plat::Rgb(20, 40, 160));
        p.Draw().FillRect({50, 15, 70, 25}, plat::Rgb(255, 255, 255));
        return p;
    }

    // A form carrying frames, as a host of the control.
    class Host : public plat::Form {
    public:
        Host() : Form(Style()), frame(*this), other(*this), captioned(*this) { SetScaleMode(plat::ScaleMode::Pixels); }
        logo::PicFrame frame, other;
        logo::PicFrameabc captioned;

    private:
        static plat::WindowStyle Style() {
            plat::WindowStyle s;
            s.bounds = {0, 0, 600, 400};
            return s;
        }
    };

private:
    std::filesystem::path old_, dir_;
};
