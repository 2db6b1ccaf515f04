#pragma once
// The program's version values, compiled in: "CompanyName" and "ProductName"
// name the settings folder and file, the rest show in the about box.

#include <string>
#include <string_view>

class CTkVersionInfo {
public:
    // Empty for a name without a value.
    std::string GetValue(std::string_view name) const;
};
