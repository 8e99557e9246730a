// Undo snapshots: each record holds the archive bytes of one object, written with the
// in-memory version, and the ids that say where they belong. The stack owns its records
// and is bounded by the total size of their bytes, not by their number.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/DataBlock.h"
#include <cstdint>
#include <deque>
#include <memory>

class CUndoRecord {
public:
    CUndoRecord() = default;
    virtual ~CUndoRecord() = default;
    CUndoRecord(const CUndoRecord&) = delete;
    CUndoRecord& operator=(const CUndoRecord&) = delete;

    std::size_t GetSize() const { return m_state.Size(); }

    std::int32_t m_nPageId = 0;      // page (or other top object) the view showed; 0 none
    std::int32_t m_nContainerId = 0; // container recorded or holding the recorded item
    std::int32_t m_nItemId = 0;      // recorded item; 0 when the container was recorded
    CDataBlock m_state;              // the object's record, nothing else
    CString m_strDescription;        // already translated
};

class CUndoStack {
public:
    static constexpr std::size_t kSizeLimit = 10000000;

    bool IsEmpty() const { return m_records.empty(); }
    std::size_t GetCount() const { return m_records.size(); }
    // Newest record, or null.
    CUndoRecord* GetHead() const { return m_records.empty() ? nullptr : m_records.front().get(); }
    // Record i counted from the newest (0).
    CUndoRecord* GetAt(std::size_t i) const { return i < m_records.size() ? m_records[i].get() : nullptr; }
    std::size_t GetTotalSize() const;

    // Deletes the oldest records while the total is above the limit (the caller pushes
    // afterwards, so the new record is not counted).
    void Trim(std::size_t limit = kSizeLimit);
    // Trims, then pushes the record as the newest.
    void Push(std::unique_ptr<CUndoRecord> record, std::size_t limit = kSizeLimit);
    // Takes the newest record out of the stack (the caller restores and drops it).
    std::unique_ptr<CUndoRecord> PopHead();
    void DiscardHead();
    void Clear();

private:
    std::deque<std::unique_ptr<CUndoRecord>> m_records; // front = newest
};
