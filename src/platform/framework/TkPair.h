#pragma once

template <typename T>
struct CTkPair {
    T x{};
    T y{};
    friend bool operator==(const CTkPair&, const CTkPair&) = default;
};
