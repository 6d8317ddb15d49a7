#include "platform/headless/fake_dialogs.h"

#include <deque>

namespace plat {

namespace {

// The answers queued for one kind of file dialog, and what it was asked.
struct DialogScript {
    std::deque<FileDialogResult> answers;
    std::vector<FileDialogRequest> requests;
    int unanswered = 0;

    FileDialogResult Answer(const FileDialogRequest& request) {
        requests.push_back(request);
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

}  // namespace

FileDialogResult ShowSaveFileDialog(const FileDialogRequest& request) { return SaveScript().Answer(request); }
FileDialogResult ShowOpenFileDialog(const FileDialogRequest& request) { return OpenScript().Answer(request); }

namespace fake {

void QueueSaveAnswer(std::wstring path, int filterIndex) { SaveScript().QueueChosen(std::move(path), filterIndex); }
void QueueSaveCancel() { SaveScript().QueueCancel(); }
void QueueSaveFailure(std::uint32_t error) { SaveScript().QueueFailure(error); }
const std::vector<FileDialogRequest>& SaveDialogRequests() { return SaveScript().requests; }
int UnansweredDialogs() { return SaveScript().unanswered; }
int PendingDialogAnswers() { return static_cast<int>(SaveScript().answers.size()); }

void QueueOpenAnswer(std::wstring path, int filterIndex) { OpenScript().QueueChosen(std::move(path), filterIndex); }
void QueueOpenCancel() { OpenScript().QueueCancel(); }
void QueueOpenFailure(std::uint32_t error) { OpenScript().QueueFailure(error); }
const std::vector<FileDialogRequest>& OpenDialogRequests() { return OpenScript().requests; }

void ResetDialogs() {
    SaveScript() = DialogScript{};
    OpenScript() = DialogScript{};
}

}  // namespace fake

}  // namespace plat
