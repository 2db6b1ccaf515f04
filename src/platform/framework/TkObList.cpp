#include "platform/framework/TkObList.h"

#include <algorithm>

namespace {

// Moves pos along one link and returns the node it left (null at the end).
template <typename Node>
Node* Step(Node*& pos, Node* Node::*link)
{
    Node* pNode = pos;
    if (pNode) pos = pNode->*link;
    return pNode;
}

}  // namespace

CTkObList::CTkObList(int nBlockSize) : m_nBlockSize(std::max(nBlockSize, 1)) {}

CTkObList::~CTkObList() = default;

CTkObList::Node* CTkObList::NewNode(Node* pPrev, Node* pNext, CTkObject* p)
{
    if (!m_pFree) {
        auto block = std::make_unique<Node[]>(std::size_t(m_nBlockSize));
        for (int i = m_nBlockSize - 1; i >= 0; --i) {
            block[std::size_t(i)].pNext = m_pFree;
            m_pFree = &block[std::size_t(i)];
        }
        m_blocks.push_back(std::move(block));
    }
    Node* pNode = m_pFree;
    m_pFree = pNode->pNext;
    *pNode = {pNext, pPrev, p};
    ++m_nCount;
    return pNode;
}

void CTkObList::FreeNode(Node* pNode)
{
    pNode->pNext = m_pFree;
    m_pFree = pNode;
    if (--m_nCount == 0) RemoveAll();
}

CTkObject*& CTkObList::None()
{
    m_pNone = nullptr;
    return m_pNone;
}

CTkObject*& CTkObList::GetHead() { return m_pHead ? m_pHead->data : None(); }
CTkObject* CTkObList::GetHead() const { return m_pHead ? m_pHead->data : nullptr; }
CTkObject*& CTkObList::GetTail() { return m_pTail ? m_pTail->data : None(); }
CTkObject* CTkObList::GetTail() const { return m_pTail ? m_pTail->data : nullptr; }

CTkObject* CTkObList::RemoveHead()
{
    CTkObject* p = GetHead();
    RemoveAt(m_pHead);
    return p;
}

CTkObject* CTkObList::RemoveTail()
{
    CTkObject* p = GetTail();
    RemoveAt(m_pTail);
    return p;
}

CTkObList::POSITION CTkObList::AddHead(CTkObject* p)
{
    Node* pNode = NewNode(nullptr, m_pHead, p);
    (m_pHead ? m_pHead->pPrev : m_pTail) = pNode;
    m_pHead = pNode;
    return pNode;
}

CTkObList::POSITION CTkObList::AddTail(CTkObject* p)
{
    Node* pNode = NewNode(m_pTail, nullptr, p);
    (m_pTail ? m_pTail->pNext : m_pHead) = pNode;
    m_pTail = pNode;
    return pNode;
}

void CTkObList::AddHead(const CTkObList& other)
{
    // Walk a copy, so that adding a list to itself ends.
    std::vector<CTkObject*> items;
    for (POSITION pos = other.GetHeadPosition(); pos;) items.push_back(other.GetNext(pos));
    std::for_each(items.rbegin(), items.rend(), [this](CTkObject* p) { AddHead(p); });
}

void CTkObList::AddTail(const CTkObList& other)
{
    std::vector<CTkObject*> items;
    for (POSITION pos = other.GetHeadPosition(); pos;) items.push_back(other.GetNext(pos));
    for (CTkObject* p : items) AddTail(p);
}

void CTkObList::RemoveAll()
{
    m_pHead = m_pTail = m_pFree = nullptr;
    m_nCount = 0;
    m_blocks.clear();
}

CTkObject*& CTkObList::GetNext(POSITION& pos)
{
    Node* pNode = Step(pos, &Node::pNext);
    return pNode ? pNode->data : None();
}

CTkObject* CTkObList::GetNext(POSITION& pos) const
{
    Node* pNode = Step(pos, &Node::pNext);
    return pNode ? pNode->data : nullptr;
}

CTkObject*& CTkObList::GetPrev(POSITION& pos)
{
    Node* pNode = Step(pos, &Node::pPrev);
    return pNode ? pNode->data : None();
}

CTkObject* CTkObList::GetPrev(POSITION& pos) const
{
    Node* pNode = Step(pos, &Node::pPrev);
    return pNode ? pNode->data : nullptr;
}

CTkObject*& CTkObList::GetAt(POSITION pos) { return pos ? pos->data : None(); }
CTkObject* CTkObList::GetAt(POSITION pos) const { return pos ? pos->data : nullptr; }

void CTkObList::SetAt(POSITION pos, CTkObject* p)
{
    if (pos) pos->data = p;
}

void CTkObList::RemoveAt(POSITION pos)
{
    if (!pos) return;
    (pos->pPrev ? pos->pPrev->pNext : m_pHead) = pos->pNext;
    (pos->pNext ? pos->pNext->pPrev : m_pTail) = pos->pPrev;
    FreeNode(pos);
}

CTkObList::POSITION CTkObList::InsertBefore(POSITION pos, CTkObject* p)
{
    if (!pos || pos == m_pHead) return AddHead(p);
    Node* pNode = NewNode(pos->pPrev, pos, p);
    pos->pPrev->pNext = pNode;
    pos->pPrev = pNode;
    return pNode;
}

CTkObList::POSITION CTkObList::InsertAfter(POSITION pos, CTkObject* p)
{
    if (!pos || pos == m_pTail) return AddTail(p);
    Node* pNode = NewNode(pos, pos->pNext, p);
    pos->pNext->pPrev = pNode;
    pos->pNext = pNode;
    return pNode;
}

CTkObList::POSITION CTkObList::Find(const CTkObject* p, POSITION startAfter) const
{
    for (POSITION pos = startAfter ? startAfter->pNext : m_pHead; pos; pos = pos->pNext) {
        if (pos->data == p) return pos;
    }
    return nullptr;
}

CTkObList::POSITION CTkObList::FindIndex(int index) const
{
    if (index < 0 || index >= m_nCount) return nullptr;
    POSITION pos = m_pHead;
    while (index-- > 0) pos = pos->pNext;
    return pos;
}
