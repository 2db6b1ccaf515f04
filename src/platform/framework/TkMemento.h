#pragma once
// The base of the snapshots an originator makes of itself and reads back. Each
// kind of memento owns its own state through a typed owner, so that the state
// is destroyed by its own destructor.

class CTkMemento {
public:
    virtual ~CTkMemento() = default;
    CTkMemento(const CTkMemento&) = delete;
    CTkMemento& operator=(const CTkMemento&) = delete;

protected:
    CTkMemento() = default;
};
