#include "platform/framework/TkVersionInfo.h"

#include <algorithm>
#include <array>
#include <utility>

#ifndef GLYPHAR_VERSION
#define GLYPHAR_VERSION "0.0.0"
#endif

namespace {

constexpr auto kValues = std::to_array<std::pair<std::string_view, std::string_view>>({
    {"CompanyName", "Glyphar"},
    {"ProductName", "Glyphar"},
    {"ProductVersion", GLYPHAR_VERSION},
    {"FileDescription", "Editor for Windows metafile pictures"},
    {"LegalCopyright", "Copyright (C) the Glyphar developers"},
});

}  // namespace

std::string CTkVersionInfo::GetValue(std::string_view name) const
{
    const auto* it = std::find_if(kValues.begin(), kValues.end(),
                                  [name](const auto& value) { return value.first == name; });
    return it != kValues.end() ? std::string(it->second) : std::string();
}
