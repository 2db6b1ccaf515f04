#include "document/VxDocState.h"

#include "document/VxDoc.h"
#include "document/VxDocMemento.h"

CVxDocState::CVxDocState(CVxDoc& doc) : m_pDocument(&doc), m_pMemento(doc.CreateMemento()) {}

CVxDocState::~CVxDocState() = default;

void CVxDocState::Restore()
{
    if (m_pDocument && m_pMemento) m_pDocument->SetMemento(*m_pMemento);
}
