#include "platform/headless/fake_dialogs.h"

#include <deque>

namespace plat {

namespace {

struct DialogScript {
    std::deque<FileDialogResult> answers;
    std::vector<FileDialogRequest> saveRequests;
    int unanswered = 0;
};

DialogScript& Script() {
    static DialogScript script;
    return script;
}

}  // namespace

FileDialogResult ShowSaveFileDialog(const FileDialogRequest& request) {
    auto& s = Script();
    s.saveRequests.push_back(request);
    if (s.answers.empty()) {
        ++s.unanswered;
        return {};
    }
    FileDialogResult r = s.answers.front();
    s.answers.pop_front();
    // The real dialog cannot hand back a path that does not fit its buffer.
    if (r.Chosen() && static_cast<int>(r.path.size()) >= request.bufferChars)
        return {DialogOutcome::Failed, {}, 0, 0x3003 /* FNERR_BUFFERTOOSMALL */};
    return r;
}

namespace fake {

void QueueSaveAnswer(std::wstring path, int filterIndex) {
    Script().answers.push_back({DialogOutcome::Chosen, std::move(path), filterIndex, 0});
}
void QueueSaveCancel() { Script().answers.push_back({DialogOutcome::Cancelled, {}, 0, 0}); }
void QueueSaveFailure(std::uint32_t error) { Script().answers.push_back({DialogOutcome::Failed, {}, 0, error}); }
const std::vector<FileDialogRequest>& SaveDialogRequests() { return Script().saveRequests; }
int UnansweredDialogs() { return Script().unanswered; }
int PendingDialogAnswers() { return static_cast<int>(Script().answers.size()); }
void ResetDialogs() { Script() = DialogScript{}; }

}  // namespace fake

}  // namespace plat
