#include "document/UndoRecord.h"

std::size_t CUndoStack::GetTotalSize() const
{
    std::size_t sum = 0;
    for (const auto& r : m_records)
        sum += r->GetSize();
    return sum;
}

void CUndoStack::Trim(std::size_t limit)
{
    std::size_t sum = GetTotalSize();
    while (!m_records.empty() && sum > limit) {
        sum -= m_records.back()->GetSize();
        m_records.pop_back();
    }
}

void CUndoStack::Push(std::unique_ptr<CUndoRecord> record, std::size_t limit)
{
    if (!record)
        return;
    Trim(limit);
    m_records.push_front(std::move(record));
}

std::unique_ptr<CUndoRecord> CUndoStack::PopHead()
{
    if (m_records.empty())
        return nullptr;
    std::unique_ptr<CUndoRecord> r = std::move(m_records.front());
    m_records.pop_front();
    return r;
}

void CUndoStack::DiscardHead()
{
    if (!m_records.empty())
        m_records.pop_front();
}

void CUndoStack::Clear()
{
    m_records.clear();
}
