#include "support/ScopedEnvironment.h"

#include <cstdlib>

CScopedEnvironment::CScopedEnvironment(std::string name, const std::string& value)
    : m_name(std::move(name))
{
    if (const char* pPrevious = std::getenv(m_name.c_str())) m_previous = pPrevious;
    setenv(m_name.c_str(), value.c_str(), 1);
}

CScopedEnvironment::~CScopedEnvironment()
{
    if (m_previous) {
        setenv(m_name.c_str(), m_previous->c_str(), 1);
    } else {
        unsetenv(m_name.c_str());
    }
}
