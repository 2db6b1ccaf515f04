#pragma once
// printf-style formatting of string-table texts, with the arguments checked at
// run time instead of trusted: %s, %d, %ld, %u, %x, %hX, %.2f and the like, %%,
// and the positional inserts %1 to %9. A missing argument inserts nothing; a
// text given for a number is parsed, and inserted as it is when it is no number.

#include <concepts>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class CTkFormatArg {
public:
    CTkFormatArg(std::string_view text) : m_value(std::string(text)) {}
    CTkFormatArg(const std::string& text) : m_value(text) {}
    CTkFormatArg(const char* text) : m_value(std::string(text ? text : "")) {}
    template <std::integral T>
    CTkFormatArg(T value) : m_value(static_cast<long long>(value))
    {
    }
    template <std::floating_point T>
    CTkFormatArg(T value) : m_value(static_cast<double>(value))
    {
    }

    std::string AsText() const;
    bool AsInteger(long long& value) const;
    bool AsReal(double& value) const;

private:
    std::variant<long long, double, std::string> m_value;
};

std::string TkFormatString(std::string_view format, const std::vector<CTkFormatArg>& args);

template <typename... Args>
std::string TkFormat(std::string_view format, const Args&... args)
{
    return TkFormatString(format, {CTkFormatArg(args)...});
}
