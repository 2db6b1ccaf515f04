#include "platform/framework/TkFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

std::string CTkFormatArg::AsText() const
{
    if (const auto* p = std::get_if<std::string>(&m_value)) return *p;
    if (const auto* p = std::get_if<long long>(&m_value)) return std::to_string(*p);
    char buffer[32];
    const double value = std::get<double>(m_value);
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool CTkFormatArg::AsInteger(long long& value) const
{
    if (const auto* p = std::get_if<long long>(&m_value)) {
        value = *p;
        return true;
    }
    if (const auto* p = std::get_if<double>(&m_value)) {
        // Truncates as a C cast does, where that is defined.
        if (!(std::fabs(*p) < 9.2e18)) return false;
        value = static_cast<long long>(*p);
        return true;
    }
    const std::string& text = std::get<std::string>(m_value);
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool CTkFormatArg::AsReal(double& value) const
{
    if (const auto* p = std::get_if<double>(&m_value)) {
        value = *p;
        return true;
    }
    if (const auto* p = std::get_if<long long>(&m_value)) {
        value = static_cast<double>(*p);
        return true;
    }
    const std::string& text = std::get<std::string>(m_value);
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

namespace {

constexpr std::size_t kMaxDigits = 3;

// One parsed printf directive.
struct Directive {
    std::string flags;
    std::string widthAndPrecision;
    int nBits = 32;  // integer width chosen by the length modifier
    char conversion = 0;
    std::size_t length = 0;  // characters of the format it covers

    // The directive for snprintf with the flags the conversion defines: a flag
    // that C leaves undefined for it is dropped.
    std::string Printf(const char* lengthModifier, char conv, const char* undefinedFlags) const
    {
        std::string text = "%";
        for (const char c : flags) {
            if (!std::strchr(undefinedFlags, c)) text += c;
        }
        return text + widthAndPrecision + lengthModifier + conv;
    }
};

bool IsOneOf(char c, const char* set)
{
    return c != '\0' && std::strchr(set, c) != nullptr;
}

std::size_t SkipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i;
}

// Parses the directive at format[start] == '%'; false when it is not one.
bool ParseDirective(std::string_view format, std::size_t start, Directive& d)
{
    std::size_t i = start + 1;
    while (i < format.size() && IsOneOf(format[i], "-+ #0")) ++i;
    d.flags = std::string(format.substr(start + 1, i - start - 1));
    const std::size_t widthStart = i;
    std::size_t digitsEnd = SkipDigits(format, i);
    // Widths and precisions stay small, so no text can ask for a huge buffer.
    if (digitsEnd - i > kMaxDigits) return false;
    i = digitsEnd;
    if (i < format.size() && format[i] == '.') {
        digitsEnd = SkipDigits(format, i + 1);
        if (digitsEnd - (i + 1) > kMaxDigits) return false;
        i = digitsEnd;
    }
    d.widthAndPrecision = std::string(format.substr(widthStart, i - widthStart));
    if (format.substr(i, 2) == "hh") {
        d.nBits = 8;
        i += 2;
    } else if (format.substr(i, 2) == "ll") {
        d.nBits = 64;
        i += 2;
    } else if (i < format.size() && IsOneOf(format[i], "hlLjz")) {
        d.nBits = format[i] == 'h' ? 16 : (format[i] == 'l' ? 32 : 64);
        ++i;
    }
    if (i >= format.size() || !IsOneOf(format[i], "diuxXofFeEgGsS")) return false;
    d.conversion = format[i];
    d.length = i + 1 - start;
    return true;
}

// Only a directive built by Directive::Printf, with one of the conversions above,
// reaches snprintf, so no format text can make it read beyond its one argument.
template <typename T>
std::string Print(const std::string& directive, T value)
{
    const int n = std::snprintf(nullptr, 0, directive.c_str(), value);
    if (n <= 0) return {};
    std::string out(std::size_t(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), directive.c_str(), value);
    out.resize(std::size_t(n));
    return out;
}

long long SignExtend(long long v, int nBits)
{
    if (nBits >= 64) return v;
    const auto mask = (1ULL << nBits) - 1;
    const auto u = static_cast<unsigned long long>(v) & mask;
    const auto sign = 1ULL << (nBits - 1);
    return static_cast<long long>((u ^ sign) - sign);
}

unsigned long long Truncate(long long v, int nBits)
{
    const auto u = static_cast<unsigned long long>(v);
    return nBits >= 64 ? u : u & ((1ULL << nBits) - 1);
}

std::string FormatOne(const Directive& d, const CTkFormatArg& arg)
{
    if (IsOneOf(d.conversion, "sS")) {
        return Print(d.Printf("", 's', "+ #0"), arg.AsText().c_str());
    }
    if (IsOneOf(d.conversion, "fFeEgG")) {
        double v = 0;
        return arg.AsReal(v) ? Print(d.Printf("", d.conversion, ""), v) : arg.AsText();
    }
    long long v = 0;
    if (!arg.AsInteger(v)) return arg.AsText();
    if (IsOneOf(d.conversion, "di")) {
        return Print(d.Printf("ll", 'd', "#"), SignExtend(v, d.nBits));
    }
    return Print(d.Printf("ll", d.conversion, ""), Truncate(v, d.nBits));
}

}  // namespace

std::string TkFormatString(std::string_view format, const std::vector<CTkFormatArg>& args)
{
    std::string out;
    std::size_t nextArg = 0;
    const auto argText = [&args](std::size_t index) {
        return index < args.size() ? args[index].AsText() : std::string();
    };
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        Directive d;
        if (format.substr(i, 2) == "%%") {
            out += '%';
            i += 2;
        } else if (ParseDirective(format, i, d)) {
            if (nextArg < args.size()) out += FormatOne(d, args[nextArg]);
            ++nextArg;
            i += d.length;
        } else if (i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            out += argText(std::size_t(format[i + 1] - '1'));
            i += 2;
        } else {
            out += format[i++];
        }
    }
    return out;
}
