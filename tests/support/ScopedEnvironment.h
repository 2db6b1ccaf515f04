#pragma once
// An environment variable set for as long as the object lives, then put back
// as it was (unset when it was not set).

#include <optional>
#include <string>

class CScopedEnvironment {
public:
    CScopedEnvironment(std::string name, const std::string& value);
    ~CScopedEnvironment();
    CScopedEnvironment(const CScopedEnvironment&) = delete;
    CScopedEnvironment& operator=(const CScopedEnvironment&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};
