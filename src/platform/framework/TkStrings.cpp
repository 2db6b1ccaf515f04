#include "platform/framework/TkStrings.h"

#include "resources/VxStrings.h"

std::string TkLoadString(unsigned id)
{
    const char* text = VxGetString(id);
    return text ? text : std::string();
}

std::string TkExtractSubString(std::string_view full, int iSubString, char chSep)
{
    if (iSubString < 0) return {};
    std::size_t begin = 0;
    for (int i = 0; i < iSubString; ++i) {
        begin = full.find(chSep, begin);
        if (begin == std::string_view::npos) return {};
        ++begin;
    }
    return std::string(full.substr(begin, full.find(chSep, begin) - begin));
}
