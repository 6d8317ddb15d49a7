#include "editor/variants.h"

namespace editor {

const VariantTraits kAaaTraits{"aaa", false, false, 1, 1};
const VariantTraits kJieTraits{"jie", true, false, 1, 2};
const VariantTraits kBingTraits{"bing", false, true, 3, 3};
const VariantTraits kJie3Traits{"jie3", true, true, 3, 4};

}  // namespace editor
