#include "platform/headless/fake_dialogs.h"

#include <deque>
#include <utility>

namespace plat {

namespace {

// The answers queued for one kind of file dialog, and what it was asked.
struct DialogScript {
    std::deque<FileDialogResult> answers;
    std::vector<FileDialogRequest> requests;
    int unanswered = 0;
    std::function<void()> whileOpen;

    FileDialogResult Answer(const FileDialogRequest& request) {
        requests.push_back(request);
        if (auto action = std::exchange(whileOpen, nullptr)) action();
        if (answers.empty()) {
            ++unanswered;
            return {};
        }
        FileDialogResult r = answers.front();
        answers.pop_front();
        // The real dialog cannot hand back a path that does not fit its buffer.
        if (r.Chosen() && static_cast<int>(r.path.size()) >= request.bufferChars)
            return {DialogOutcome::Failed, {}, 0, 0x3003 /* FNERR_BUFFERTOOSMALL */};
        return r;
    }
    void QueueChosen(std::wstring path, int filterIndex) {
        answers.push_back({DialogOutcome::Chosen, std::move(path), filterIndex, 0});
    }
    void QueueCancel() { answers.push_back({DialogOutcome::Cancelled, {}, 0, 0}); }
    void QueueFailure(std::uint32_t error) { answers.push_back({DialogOutcome::Failed, {}, 0, error}); }
};

DialogScript& SaveScript() {
    static DialogScript script;
    return script;
}
DialogScript& OpenScript() {
    static DialogScript script;
    return script;
}

// A dialog that picks one value (a colour, a font): its queued answers.
template <class Request, class Result>
struct ValueScript {
    std::deque<Result> answers;

    Result Next(const Request&) {
        if (answers.empty()) return {};
        Result r = answers.front();
        answers.pop_front();
        return r;
    }
};

ValueScript<ColorDialogRequest, ColorDialogResult>& Colors() {
    static ValueScript<ColorDialogRequest, ColorDialogResult> script;
    return script;
}
ValueScript<FontDialogRequest, FontDialogResult>& Fonts() {
    static ValueScript<FontDialogRequest, FontDialogResult> script;
    return script;
}

}  // namespace

FileDialogResult ShowSaveFileDialog(const FileDialogRequest& request) { return SaveScript().Answer(request); }
FileDialogResult ShowOpenFileDialog(const FileDialogRequest& request) { return OpenScript().Answer(request); }

ColorDialogResult ShowColorDialog(const ColorDialogRequest& request) {
    ColorDialogResult r = Colors().Next(request);
    if (!r.Chosen()) r.color = request.color;
    return r;
}

FontDialogResult ShowFontDialog(const FontDialogRequest& request) {
    FontDialogResult r = Fonts().Next(request);
    if (!r.Chosen()) r.font = request.font;
    return r;
}

namespace fake {

void QueueSaveAnswer(std::wstring path, int filterIndex) { SaveScript().QueueChosen(std::move(path), filterIndex); }
void QueueSaveCancel() { SaveScript().QueueCancel(); }
void QueueSaveFailure(std::uint32_t error) { SaveScript().QueueFailure(error); }
const std::vector<FileDialogRequest>& SaveDialogRequests() { return SaveScript().requests; }
int UnansweredDialogs() { return SaveScript().unanswered; }
int PendingDialogAnswers() { return static_cast<int>(SaveScript().answers.size()); }
void WhileNextSaveDialogIsOpen(std::function<void()> action) { SaveScript().whileOpen = std::move(action); }

void QueueOpenAnswer(std::wstring path, int filterIndex) { OpenScript().QueueChosen(std::move(path), filterIndex); }
void QueueOpenCancel() { OpenScript().QueueCancel(); }
void QueueOpenFailure(std::uint32_t error) { OpenScript().QueueFailure(error); }
const std::vector<FileDialogRequest>& OpenDialogRequests() { return OpenScript().requests; }

void QueueColorAnswer(Color color) { Colors().answers.push_back({DialogOutcome::Chosen, color, 0}); }
void QueueFontAnswer(Font font) { Fonts().answers.push_back({DialogOutcome::Chosen, font, 0}); }

void ResetDialogs() {
    SaveScript() = DialogScript{};
    OpenScript() = DialogScript{};
    Colors() = {};
    Fonts() = {};
}

}  // namespace fake

}  // namespace plat
