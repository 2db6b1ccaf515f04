#include "document/VxDocMemento.h"

#include <utility>

CVxDocMemento::~CVxDocMemento() = default;

void CVxDocMemento::SetState(std::unique_ptr<CTkMemFile> pFile)
{
    m_pState = std::move(pFile);
}
