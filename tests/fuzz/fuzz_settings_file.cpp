// The main window starting from whatever a.ini holds (hand-edited, cut short,
// another program's values). The input, split at NUL bytes, is the logo path
// and the six hotkey values (a missing part is a missing key). The window
// reads them, shows them in its boxes and registers them, on the headless
// backend. It never fails badly, and it registers real keys only, each from a
// row that shows one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/toolkit/forms.h"
#include "platform/headless/fake_hotkeys.h"
#include "platform/headless/fake_profile.h"
#include "platform/headless/headless.h"
#include "platform/services/system.h"
#include "shell/frm_main.h"
#include "shell/hotkey_text.h"
#include "shell/rwini.h"
#include "tests/fuzz/fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    headless::Reset();
    const std::wstring input = fuzz::Text(data, size);
    std::size_t at = 0;
    for (int part = 0; part < 7 && at <= input.size(); ++part) {
        const std::size_t end = std::min(input.find(L'\0', at), input.size());
        const std::wstring value = input.substr(at, end - at);
        if (part == 0) fake_profile::SetValue(rwini::IniPath(), L"logo", L"logo", value);
        else fake_profile::SetValue(rwini::IniPath(), L"HotKey", std::to_wstring(part - 1), value);
        at = end + 1;
    }
    // Loading runs Form_Load, where a.ini is read; painting the window is no part of it.
    frmMain& f = plat::Forms<frmMain>();

    int shown = 0;
    for (int i = 0; i < f.txtHotKey.Count(); ++i) {
        const auto form = shell::ParseStoredForm(f.txtHotKey[i].Tag);
        if (!form) fuzz::Broken("a row keeps a stored form that does not parse");
        shown += f.txtHotKey[i].Text() != shell::kNotSetHotKey;
    }
    int registered = 0;
    for (const fake_hotkeys::Registration& r : fake_hotkeys::Registrations()) {
        if (r.keyCode < 1 || r.keyCode > 254) fuzz::Broken("registered a key code outside 1..254");
        ++registered;
    }
    if (registered > shown) fuzz::Broken("more hotkeys registered than rows showing one");

    plat::UnloadForm<frmMain>();
    plat::DoEvents();
    fake_hotkeys::Reset();
    return 0;
}
