#include "shell/command_run.h"

#include "editor/variants.h"
#include "encoding/ModSavePic.h"
#include "platform/services/console.h"
#include "platform/services/instance_request.h"
#include "platform/services/picture_bytes.h"
#include "platform/services/system.h"
#include "platform/toolkit/forms.h"
#include "shell/countdown.h"
#include "shell/frm_main.h"
#include "shell/recent_snips.h"
#include "shell/rwini.h"
#include "shell/snip_delivery.h"
#include "window/window_forms.h"

namespace shell {

namespace {

constexpr std::int32_t kJpegQuality = 80;
constexpr std::int32_t kTiffColorDepth = 24;
constexpr std::int32_t kTiffCompressionNone = 6;

int Failed(const std::wstring& why) {
    plat::WriteConsoleLine(L"Morrowen Snip: " + why, true);
    return kExitError;
}

// The picture to the clipboard, or to the file as the save dialog's road
// writes it (the format from the extension); never a message box: a script
// reads the line and the code.
int Deliver(const plat::Picture& picture, const std::wstring& savePath) {
    if (savePath.empty()) {
        if (!plat::ClipboardPutPicture(picture)) return Failed(L"the clipboard is held by another program");
        return kExitDelivered;
    }
    const ModSavePic::SaveResult saved =
        ModSavePic::WritePictureFile(picture, savePath, ModSavePic::FormatWord(savePath), kJpegQuality,
                                     kTiffColorDepth, kTiffCompressionNone);
    if (!saved.ok) return Failed(L"could not save: " + saved.description);
    return kExitDelivered;
}

bool EditorOpen() {
    return plat::LoadedForm<aaa>() || plat::LoadedForm<bing>() || plat::LoadedForm<asd>() ||
           plat::LoadedForm<asdd>();
}

// No copy runs: this process opens the editor itself and waits for it.
int SnipHere(CommandAction action, const std::wstring& savePath) {
    plat::Picture delivered;
    WatchDeliveries([&delivered](const plat::Picture& p) { delivered = p; });
    if (action == CommandAction::Region)
        plat::Forms<aaa>().Show();
    else
        plat::Forms<asd>().Command1_Click();
    while (EditorOpen()) {
        plat::WaitForEvents();
        plat::DoEvents();
    }
    plat::DoEvents();  // lets the unloaded windows be freed
    WatchDeliveries(nullptr);
    if (delivered.Empty()) {
        plat::WriteConsoleLine(L"Morrowen Snip: cancelled", true);
        return kExitCancelled;
    }
    if (savePath.empty()) return kExitDelivered;  // the editor put it on the clipboard
    // The editor's copy road put the snip on the clipboard too; it stays there:
    // nothing in the program empties the clipboard.
    return Deliver(delivered, savePath);
}

// The countdown beside the pointer, in this process; false when the user
// called it off with a click.
bool CountDown(int seconds) {
    bool done = false;
    plat::Forms<frmCountdown>().Start(seconds, [&done] { done = true; });
    while (plat::LoadedForm<frmCountdown>()) {
        plat::WaitForEvents();
        plat::DoEvents();
    }
    return done;
}

// "region" or "window", with ":SECONDS" when the running copy counts down first.
std::wstring Request(CommandAction action, int delaySeconds) {
    std::wstring r = action == CommandAction::Region ? L"region" : L"window";
    if (delaySeconds > 0) r += L":" + std::to_wstring(delaySeconds);
    return r;
}

int Last(const std::wstring& savePath) {
    const plat::InstanceAnswer answer = plat::AskRunningInstance(frmMain::kCaption, L"last");
    if (!answer.reached) return Failed(L"no recent snip: the program is not running");
    if (answer.code != kExitDelivered) return Failed(L"no recent snip yet");
    plat::Picture picture;
    if (!plat::DecodePictureBytes(answer.data, picture)) return Failed(L"the recent snip could not be read");
    return Deliver(picture, savePath);
}

}  // namespace

int RunCommandLine(const CommandLine& command) {
    if (!command.error.empty()) {
        plat::WriteConsoleLine(L"Morrowen Snip: " + command.error, true);
        plat::WriteConsoleLine(UsageText(), true);
        return kExitError;
    }
    // Whatever the windows opened below would store (the magnifier's
    // default, a logo slot) stays out of a.ini.
    rwini::HoldWrites(true);
    if (command.action == CommandAction::Help) {
        plat::WriteConsoleLine(UsageText());
        return kExitDelivered;
    }
    const bool snip = command.action == CommandAction::Region || command.action == CommandAction::Window;
    // A snip handed to the running copy counts down there.
    const bool handOver = snip && command.savePath.empty() &&
                          plat::AskRunningInstance(frmMain::kCaption, L"ping").reached;
    if (handOver) {
        const plat::InstanceAnswer answer =
            plat::AskRunningInstance(frmMain::kCaption, Request(command.action, command.delaySeconds));
        if (answer.reached && answer.code == kExitDelivered) return kExitDelivered;
        return Failed(L"the running copy did not take the snip");
    }
    if (command.delaySeconds > 0 && !CountDown(command.delaySeconds)) {
        plat::WriteConsoleLine(L"Morrowen Snip: cancelled", true);
        return kExitCancelled;
    }
    switch (command.action) {
        case CommandAction::Screen:
            // The whole screen, as the editor freezes it.
            return Deliver(plat::CaptureScreen(plat::Rect{0, 0, plat::ScreenWidthPx(), plat::ScreenHeightPx()}),
                           command.savePath);
        case CommandAction::Last:
            return Last(command.savePath);
        case CommandAction::Region:
        case CommandAction::Window:
            return SnipHere(command.action, command.savePath);
        case CommandAction::Help:
        case CommandAction::None:
            break;
    }
    return kExitDelivered;
}

int AnswerCommandRequest(const std::wstring& request, std::vector<std::uint8_t>& data, std::function<void()>& after) {
    if (request == L"ping") return kExitDelivered;
    const size_t colon = request.find(L':');
    const std::wstring mode = request.substr(0, colon);
    if (mode == L"region" || mode == L"window") {
        const int row = mode == L"region" ? 1 : 3;
        int seconds = 0;
        if (colon != std::wstring::npos) {
            const CommandLine delay = ParseCommandLine({L"--screen", L"--delay", request.substr(colon + 1)});
            if (!delay.error.empty()) return kExitError;
            seconds = delay.delaySeconds;
        }
        after = [row, seconds] {
            const auto start = [row] {
                if (frmMain* main = plat::LoadedForm<frmMain>()) main->StartSnipMode(row);
            };
            if (seconds > 0)
                plat::Forms<frmCountdown>().Start(seconds, start);
            else
                start();
        };
        return kExitDelivered;
    }
    if (request == L"last") {
        if (Recent().Entries().empty()) return kExitCancelled;
        data = Recent().Entries().front().png;
        return kExitDelivered;
    }
    return kExitError;
}

}  // namespace shell
