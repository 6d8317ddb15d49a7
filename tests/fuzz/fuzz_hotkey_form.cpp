// The stored hotkey form as a hand-edited a.ini may hold it: parsing never
// fails badly, and what it accepts is a real key that writes back as itself.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "shell/hotkey_text.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::Text(data, size);
    if (const auto form = shell::ParseStoredForm(text)) {
        if (form->keyCode < 1 || form->keyCode > 254) fuzz::Broken("accepted a key code outside 1..254");
        const std::wstring stored = shell::StoredForm(*form);
        if (shell::ParseStoredForm(stored) != form) fuzz::Broken("the stored form does not read back as itself");
        (void)shell::HotKeyText(form->keyCode, form->ctrl, form->alt, form->shift);
    }
    // The display text takes any four numbers (a box's last key press).
    if (size >= 16) {
        std::int32_t v[4];
        std::memcpy(v, data, sizeof v);
        (void)shell::HotKeyText(v[0], v[1], v[2], v[3]);
    }
    return 0;
}
