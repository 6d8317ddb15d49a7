// The toolbar's commands, the style bar and the history in a real editor
// form on the headless backend, driven by mouse input.
#include <vector>
#include <filesystem>

#include "editor/toolbar_layout.h"
#include "logo/sss.h"
#include "platform/headless/fake_dialogs.h"
#include "platform/headless/fake_shell.h"
#include "platform/services/imaging.h"
#include "platform/headless/headless.h"
#include "shell/frm_main.h"
#include "tests/unit/editor_test_support.h"

namespace {

using plat::kLeftButton;
using plat::kRightButton;

class ToolbarTest : public EditorTest {
protected:
    aaa& OpenWithSelection() {
        aaa& ed = Open<aaa>();
        Drag(H(ed), 100, 100, 500, 400);
        return ed;
    }
    // A left click in the middle of toolbar button `index`.
    static void Press(aaa& ed, int index) {
        const plat::Rect b = ed.Image2[index].BoundsInForm();
        const int x = (b.left + b.right) / 2, y = (b.top + b.bottom) / 2;
        headless::MouseDown(H(ed), kLeftButton, x, y);
        headless::MouseUp(H(ed), kLeftButton, x, y);
    }
    static plat::Color Shown(const aaa& ed, int x, int y) { return ed.SurfacePixel(x, y); }
};

TEST(ToolbarLayout, StyleBarGoesAboveTheToolbarWhenBelowHasNoRoom) {
    EXPECT_EQ(editor::StyleBarTop(500, 26, 37.333f, 1080), 529);
    EXPECT_FLOAT_EQ(editor::StyleBarTop(1020, 26, 37.333f, 1080), 1020 - 37.333f - 3);
    EXPECT_EQ(std::wstring(editor::ToolbarButtonName(editor::kAddEllipse)), L"Add an ellipse");
}

TEST_F(ToolbarTest, ToolPressesToggleTheStyleBarAndPresetTheSizes) {
    aaa& ed = OpenWithSelection();
    Press(ed, editor::kAddRectangle);
    ASSERT_TRUE(ed.Picture2.Visible());
    EXPECT_EQ(ed.Picture2.Left(), ed.Picture1.Left());
    EXPECT_EQ(ed.Picture2.Top(), ed.Picture1.Top() + 26 + 3);
    EXPECT_FLOAT_EQ(ed.Picture2.Width(), 3620 / 15.0f);
    EXPECT_TRUE(ed.ToolActive);
    EXPECT_EQ(ed.CurrentTool, L"Add a rectangle");
    EXPECT_EQ(ed.Text1.Text(), L"3");
    EXPECT_EQ(ed.Combo1.ListCount(), 6);
    EXPECT_EQ(ed.DrawWidth, 3);

    Press(ed, editor::kAddRectangle);  // the same tool again: the bar goes
    EXPECT_FALSE(ed.Picture2.Visible());
    Press(ed, editor::kAddText);
    Press(ed, editor::kAddEllipse);  // another tool keeps it and switches presets
    EXPECT_TRUE(ed.Picture2.Visible());
    EXPECT_EQ(ed.CurrentTool, L"Add an ellipse");

    Press(ed, editor::kAddText);
    EXPECT_EQ(ed.Text1.Text(), L"8");
    EXPECT_EQ(ed.Combo1.List(5), L"13");
    EXPECT_EQ(ed.DrawWidth, 3);  // the text tool keeps the drawing width
    ed.Combo1.SetListIndex(5);
    EXPECT_EQ(ed.Text1.Text(), L"13");
    EXPECT_EQ(ed.DrawWidth, 13);

    Press(ed, editor::kRedo);  // breaks the toggle: the next press keeps the bar
    Press(ed, editor::kAddText);
    EXPECT_TRUE(ed.Picture2.Visible());
}

// One outline, on the swatch of the current colour: hovering marks nothing,
// and three choices in a row leave only the last one outlined.
TEST_F(ToolbarTest, OnlyTheCurrentColoursSwatchIsOutlined) {
    aaa& ed = OpenWithSelection();
    Press(ed, editor::kAddArrow);
    auto outlined = [&] {
        std::vector<int> on;
        for (int i = 0; i < 16; ++i)
            if (ed.Pcolor[i].BorderLine()) on.push_back(i);
        return on;
    };
    EXPECT_EQ(outlined(), std::vector<int>{10});  // red, the opening colour
    const plat::Rect white = ed.Pcolor[8].BoundsInForm();
    headless::MouseMove(H(ed), 0, white.left + 3, white.top + 3);
    EXPECT_EQ(outlined(), std::vector<int>{10});
    for (int k : {8, 13, 4}) {
        const plat::Rect r = ed.Pcolor[k].BoundsInForm();
        headless::MouseDown(H(ed), kLeftButton, r.left + 3, r.top + 3);
        headless::MouseUp(H(ed), kLeftButton, r.left + 3, r.top + 3);
    }
    EXPECT_EQ(outlined(), std::vector<int>{4});
    headless::MouseDown(H(ed), kRightButton, white.left + 3, white.top + 3);
    headless::MouseUp(H(ed), kRightButton, white.left + 3, white.top + 3);
    EXPECT_EQ(ed.Pcolor[16].BackColor, plat::Rgb(255, 255, 255));
    EXPECT_EQ(outlined(), std::vector<int>{8});
    EXPECT_TRUE(ed.Loaded());
}

// Rectangles are drawn into the picture's pixels here, so each history step
// shows in the surface's picture.
TEST_F(ToolbarTest, RevertAndRedoStepThroughTheShapesAsFullCopiesWould) {
    aaa& ed = OpenWithSelection();
    const plat::Handle h = H(ed);
    Press(ed, editor::kAddRectangle);
    Drag(h, 150, 150, 250, 250);
    EXPECT_EQ(Shown(ed, 150, 200), plat::Rgb(255, 0, 0));  // the default colour
    Drag(h, 300, 300, 900, 900);  // held to the selection's corner
    EXPECT_EQ(Shown(ed, 500, 400), plat::Rgb(255, 0, 0));
    EXPECT_EQ(Shown(ed, 502, 402), screen_.Pixel(502, 402));  // a 3-pixel pen centred on the edge
    EXPECT_EQ(ed.HistoryEntries.Top(), 3);

    // A step changes the pixels shown in place: no screen-sized copy.
    const std::uint32_t* pixels = ed.PersistentImage().Row(0);
    Press(ed, editor::kRevert);
    EXPECT_EQ(Shown(ed, 450, 300), screen_.Pixel(450, 300));  // second rectangle gone
    EXPECT_EQ(Shown(ed, 150, 200), plat::Rgb(255, 0, 0));
    Press(ed, editor::kRedo);
    EXPECT_EQ(Shown(ed, 500, 400), plat::Rgb(255, 0, 0));
    Press(ed, editor::kRevert);
    EXPECT_EQ(ed.PersistentImage().Row(0), pixels);
    Drag(h, 120, 350, 180, 380);  // a third replaces the second's entry
    Press(ed, editor::kRedo);
    EXPECT_EQ(Shown(ed, 450, 300), screen_.Pixel(450, 300));
    EXPECT_EQ(ed.HistoryEntries.Position(), 3);

    Press(ed, editor::kRevert);
    Press(ed, editor::kRevert);
    EXPECT_EQ(Shown(ed, 150, 200), screen_.Pixel(150, 200));
    Press(ed, editor::kRevert);  // before the first entry: the selection goes
    EXPECT_EQ(ed.ModeTag, "draw");
    EXPECT_FALSE(ed.ToolActive);
    EXPECT_FALSE(ed.Picture1.Visible());
    EXPECT_FALSE(ed.Shape1.Visible());
    EXPECT_EQ(ed.Shape1.Width(), 0);
    EXPECT_TRUE(ed.Loaded());
}

TEST_F(ToolbarTest, AHandlePressCutsTheHistory) {
    aaa& ed = OpenWithSelection();
    const plat::Handle h = H(ed);
    Press(ed, editor::kAddRectangle);
    Drag(h, 150, 150, 250, 250);
    Press(ed, editor::kRevert);
    const plat::Rect handle = ed.Image1[6].BoundsInForm();
    headless::MouseDown(h, kLeftButton, handle.left + 1, handle.top + 1);
    headless::MouseUp(h, kLeftButton, handle.left + 1, handle.top + 1);
    EXPECT_EQ(ed.HistoryEntries.Top(), 1);
    Press(ed, editor::kRedo);
    EXPECT_EQ(Shown(ed, 150, 200), screen_.Pixel(150, 200));
}

TEST_F(ToolbarTest, ExitClosesWithoutCopyingAndAddFrameNamesTheEditor) {
    aaa& ed = OpenWithSelection();
    Press(ed, editor::kAddFrame);
    EXPECT_TRUE(ed.Picture3.Visible());
    EXPECT_TRUE(ed.Picture2.Visible());
    EXPECT_FALSE(ed.PicFont.Visible());  // covered by the panel
    EXPECT_FALSE(ed.ToolActive);
    Press(ed, editor::kExitSnip);
    EXPECT_FALSE(plat::LoadedForm<aaa>());
    EXPECT_TRUE(plat::ClipboardGetPicture().Empty());
}

}  // namespace

namespace {

// The window editors open armed, with no tool: a click shows the toolbar
// beside the preset selection, which stays put until "Revert" empties it.
TEST_F(EditorTest, AWindowEditorsFirstClickShowsTheToolbarBesideItsSelection) {
    bing& ed = Open<bing>();
    ed.Shape1.Move(300, 200, 400, 300);  // as the picked window presets it
    ed.Shape1.SetVisible(true);
    ASSERT_TRUE(ed.ToolActive);
    Drag(H(ed), 400, 300, 600, 450);  // a drag inside neither moves nor draws
    EXPECT_EQ(ed.CurrentSelection(), (editor::Selection{300, 200, 400, 300}));
    EXPECT_EQ(ed.HistoryEntries.Top(), 1);
    ASSERT_TRUE(ed.Picture1.Visible());
    EXPECT_EQ(ed.Picture1.Left(), 700 - 265);
    EXPECT_EQ(ed.Picture1.Top(), 504);
    ed.Image2[editor::kRevert].Click();
    EXPECT_FALSE(ed.ToolActive);
    EXPECT_EQ(ed.ModeTag, "draw");
    Drag(H(ed), 50, 50, 150, 120);  // now a new selection can be dragged out
    EXPECT_EQ(ed.CurrentSelection(), (editor::Selection{50, 50, 100, 70}));
}

}  // namespace

namespace {

TEST_F(ToolbarTest, ACopyIsAnnouncedByTheTrayIconAndExitIsNot) {
    plat::Forms<frmMain>().Show();
    plat::Forms<frmMain>().FinishStartUp();  // as its timer does after the first paint
    const std::size_t before = plat::fake::Balloons().size();
    Press(OpenWithSelection(), editor::kSaveToClipboard);
    ASSERT_EQ(plat::fake::Balloons().size(), before + 1);
    EXPECT_EQ(plat::fake::Balloons().back().text, L"A snip of 400 x 300 pixels is on the clipboard.");
    Press(OpenWithSelection(), editor::kExitSnip);
    EXPECT_EQ(plat::fake::Balloons().size(), before + 1);
    plat::UnloadForm<frmMain>();
    plat::UnloadForm<sss>();  // loaded by the main window's start-up
}

}  // namespace

namespace {

// "Save" keeps the snip in memory: the clipboard stays the user's, and a
// picture another program copies while the dialog is open is not what is saved.
TEST_F(ToolbarTest, SaveWritesTheGrabAndNeverTouchesTheClipboard) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "toolbar_save_road";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const plat::Picture users = plat::Picture::Create(9, 9, plat::Rgb(1, 2, 3));
    const plat::Picture others = plat::Picture::Create(50, 50, plat::Rgb(255, 255, 0));
    ASSERT_TRUE(plat::ClipboardPutPicture(users));

    // A cancel and a failed save leave the editor open with its selection.
    aaa& ed = OpenWithSelection();
    plat::fake::QueueSaveCancel();
    Press(ed, editor::kSave);
    plat::fake::QueueSaveAnswer((dir / "no such folder" / "a.png").wstring());
    headless::KeyDown(H(ed), 'S', plat::kCtrlMask);
    ASSERT_EQ(plat::LoadedForm<aaa>(), &ed);
    EXPECT_EQ(headless::MessageBoxes().size(), 1u);  // the failure, told
    EXPECT_TRUE(ed.Shape1.Visible());
    EXPECT_TRUE(ed.Picture1.Visible());
    EXPECT_TRUE(ed.Image1[0].Visible());
    EXPECT_EQ(headless::ClipboardWrites(), 1);
    EXPECT_TRUE(plat::SamePixels(plat::ClipboardGetPicture(), users));

    const std::wstring path = (dir / "shot.png").wstring();
    plat::fake::WhileNextSaveDialogIsOpen([&] { ASSERT_TRUE(plat::ClipboardPutPicture(others)); });
    plat::fake::QueueSaveAnswer(path);
    Press(ed, editor::kSave);
    EXPECT_EQ(plat::LoadedForm<aaa>(), nullptr);
    plat::Picture back;
    ASSERT_EQ(plat::LoadPictureFile(path, back), plat::gp::Ok);
    EXPECT_TRUE(plat::SamePixels(back, screen_.Crop({100, 100, 500, 400})));
    EXPECT_EQ(headless::ClipboardWrites(), 2);  // the user's and the other program's only
    EXPECT_TRUE(plat::SamePixels(plat::ClipboardGetPicture(), others));
    fs::remove_all(dir);
}

}  // namespace
