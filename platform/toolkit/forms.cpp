#include "platform/toolkit/forms.h"

#include <algorithm>
#include <vector>

#include "platform/services/message_pump.h"

namespace plat {
namespace {
std::vector<std::unique_ptr<Form>>& Graveyard() {
    static std::vector<std::unique_ptr<Form>> forms;
    return forms;
}
}  // namespace

void DisposeLater(std::unique_ptr<Form> form) {
    // Every loop frees what is idle between its messages.
    static const bool hooked = (AddAfterDispatchHook(&CollectUnloadedForms), true);
    (void)hooked;
    if (form) Graveyard().push_back(std::move(form));
}

void CollectUnloadedForms() {
    auto& forms = Graveyard();
    // Deleting a form may unload others; take the idle ones out first.
    std::vector<std::unique_ptr<Form>> idle;
    for (auto it = forms.begin(); it != forms.end();) {
        if (!(*it)->Busy()) {
            idle.push_back(std::move(*it));
            it = forms.erase(it);
        } else {
            ++it;
        }
    }
    idle.clear();
}

}  // namespace plat
