#pragma once
// The framework's list of object pointers, addressed by positions that stay valid
// while other elements are inserted or removed. It does not own its objects.

#include <memory>
#include <vector>

class CTkObject;

class CTkObList {
    struct Node;

public:
    using POSITION = Node*;

    explicit CTkObList(int nBlockSize = 10);
    virtual ~CTkObList();
    CTkObList(const CTkObList&) = delete;
    CTkObList& operator=(const CTkObList&) = delete;

    int GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    CTkObject*& GetHead();
    CTkObject* GetHead() const;
    CTkObject*& GetTail();
    CTkObject* GetTail() const;
    CTkObject* RemoveHead();
    CTkObject* RemoveTail();
    POSITION AddHead(CTkObject* p);
    POSITION AddTail(CTkObject* p);
    void AddHead(const CTkObList& other);
    void AddTail(const CTkObList& other);
    void RemoveAll();

    POSITION GetHeadPosition() const { return m_pHead; }
    POSITION GetTailPosition() const { return m_pTail; }
    // Return the element at pos and move pos to the next (previous) one, null at the end.
    CTkObject*& GetNext(POSITION& pos);
    CTkObject* GetNext(POSITION& pos) const;
    CTkObject*& GetPrev(POSITION& pos);
    CTkObject* GetPrev(POSITION& pos) const;
    CTkObject*& GetAt(POSITION pos);
    CTkObject* GetAt(POSITION pos) const;
    void SetAt(POSITION pos, CTkObject* p);
    void RemoveAt(POSITION pos);
    POSITION InsertBefore(POSITION pos, CTkObject* p);  // null pos: at the head
    POSITION InsertAfter(POSITION pos, CTkObject* p);   // null pos: at the tail
    POSITION Find(const CTkObject* p, POSITION startAfter = nullptr) const;
    POSITION FindIndex(int index) const;

private:
    struct Node {
        Node* pNext;
        Node* pPrev;
        CTkObject* data;
    };
    Node* NewNode(Node* pPrev, Node* pNext, CTkObject* p);
    void FreeNode(Node* pNode);
    CTkObject*& None();

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    int m_nCount = 0;
    // Nodes come from blocks of m_nBlockSize; freed nodes wait in a free list
    // until the list is empty again.
    int m_nBlockSize;
    std::vector<std::unique_ptr<Node[]>> m_blocks;
    Node* m_pFree = nullptr;
    // What the element accessors answer for a missing element.
    CTkObject* m_pNone = nullptr;
};
