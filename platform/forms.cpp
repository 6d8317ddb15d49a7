#include "platform/forms.h"

#include <algorithm>
#include <vector>

namespace plat {
namespace {
std::vector<std::unique_ptr<Form>>& Graveyard() {
    static std::vector<std::unique_ptr<Form>> forms;
    return forms;
}
}  // namespace

void DisposeLater(std::unique_ptr<Form> form) {
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
