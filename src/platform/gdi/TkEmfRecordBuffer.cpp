#include "platform/gdi/TkEmfRecordBuffer.h"

#include <bit>
#include <cassert>

void CTkEmfRecordBuffer::Begin(DWORD type)
{
    assert(!m_bInRecord);
    m_recordStart = m_bytes.size();
    m_bInRecord = true;
    U32(type);
    U32(0);  // size, filled in by End
}

void CTkEmfRecordBuffer::End()
{
    assert(m_bInRecord);
    Pad4();
    PatchU32(m_recordStart + 4, DWORD(m_bytes.size() - m_recordStart));
    m_bInRecord = false;
    ++m_nRecords;
}

void CTkEmfRecordBuffer::U16(WORD value)
{
    m_bytes.push_back(std::uint8_t(value));
    m_bytes.push_back(std::uint8_t(value >> 8));
}

void CTkEmfRecordBuffer::U32(DWORD value)
{
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes.push_back(std::uint8_t(value >> shift));
}

void CTkEmfRecordBuffer::F32(float value)
{
    U32(std::bit_cast<DWORD>(value));
}

void CTkEmfRecordBuffer::Point(POINT p)
{
    I32(p.x);
    I32(p.y);
}

void CTkEmfRecordBuffer::Point16(POINT p)
{
    U16(WORD(p.x));
    U16(WORD(p.y));
}

void CTkEmfRecordBuffer::Size(SIZE s)
{
    I32(s.cx);
    I32(s.cy);
}

void CTkEmfRecordBuffer::Rect(const RECT& r)
{
    I32(r.left);
    I32(r.top);
    I32(r.right);
    I32(r.bottom);
}

void CTkEmfRecordBuffer::Bytes(std::span<const std::uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void CTkEmfRecordBuffer::Zeros(std::size_t count)
{
    m_bytes.resize(m_bytes.size() + count, 0);
}

void CTkEmfRecordBuffer::Pad4()
{
    Zeros((4 - m_bytes.size() % 4) % 4);
}

void CTkEmfRecordBuffer::PatchU32(std::size_t position, DWORD value)
{
    assert(position + 4 <= m_bytes.size());
    for (int i = 0; i < 4; ++i)
        m_bytes[position + i] = std::uint8_t(value >> (8 * i));
}
