#pragma once
// One snapshot of the document: the memory file its undo serialisation wrote.

#include "platform/framework/TkMemFile.h"
#include "platform/framework/TkMemento.h"

#include <memory>

class CVxDocMemento : public CTkMemento {
public:
    CVxDocMemento() = default;
    ~CVxDocMemento() override;

    // Drops the file held, if any, and holds pFile (which may be null).
    void SetState(std::unique_ptr<CTkMemFile> pFile);
    CTkMemFile* GetState() const { return m_pState.get(); }

private:
    std::unique_ptr<CTkMemFile> m_pState;
};
