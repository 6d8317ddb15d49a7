#pragma once
// The vendor's web site: help pages, FAQ and home page are addressed from here
// only, so a move of the site is a change of one line.
#include <string>
#include <string_view>

namespace shell {

inline constexpr std::wstring_view kVendorSite = L"https://www.morrowen.com/snip/";

// The address of a page of the site; "" gives the site's root.
inline std::wstring VendorPage(std::wstring_view page) {
    std::wstring url(kVendorSite);
    url += page;
    return url;
}

}  // namespace shell
