#pragma once
// The four editor windows built from the one editor design.
#include "editor/snip_editor.h"

namespace editor {

extern const VariantTraits kAaaTraits;
extern const VariantTraits kJieTraits;
extern const VariantTraits kBingTraits;
extern const VariantTraits kJie3Traits;

}  // namespace editor

// Region snip.
class aaa : public editor::SnipEditor {
public:
    aaa() : SnipEditor(editor::kAaaTraits) {}
};

// Region snip with the user's logo.
class jie : public editor::SnipEditor {
public:
    jie() : SnipEditor(editor::kJieTraits) {}
};

// Window snip.
class bing : public editor::SnipEditor {
public:
    bing() : SnipEditor(editor::kBingTraits) {}
};

// Window snip with the user's logo.
class jie3 : public editor::SnipEditor {
public:
    jie3() : SnipEditor(editor::kJie3Traits) {}
};
