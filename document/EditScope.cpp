#include "document/EditScope.h"

#include "document/KJDoc.h"
#include "model/SiteObject.h"

#include <algorithm>

CEditScope::CEditScope(CKJDoc& doc, CItem* page, CItem* container, CItem* item, const char* description)
    : m_doc(doc)
{
    Begin();
    if (m_bOutermost)
        m_bRecorded = m_doc.RecordUndo(page, container, item, description);
    Touch(item ? item : container);
}

CEditScope::CEditScope(CKJDoc& doc) : m_doc(doc) { Begin(); }

void CEditScope::Begin()
{
    m_bOutermost = m_doc.m_nEditDepth == 0;
    ++m_doc.m_nEditDepth;
    m_nObjectCounter = GetObjectCounter();
    m_nPageCounter = m_doc.m_nPageCounter;
    m_nItemCounter = m_doc.m_nItemCounter;
    m_nImageCounter = m_doc.m_nImageCounter;
    m_nUndoCount = m_doc.m_undo.GetCount();
    m_nRollbackMark = m_doc.m_editRollback.size();
    // An edit is a change: the outermost scope marks the project at its end.
    m_doc.m_bEditChanged = m_doc.m_bEditChanged || m_bOutermost;
}

CEditScope::~CEditScope()
{
    if (m_bCancelled)
        return;
    if (--m_doc.m_nEditDepth == 0) {
        m_doc.m_editRollback.clear(); // the change stands
        m_doc.EndEdit();
    }
}

void CEditScope::Touch(CItem* object)
{
    if (object && !m_bCancelled)
        m_doc.m_editTouched.push_back(object);
}

void CEditScope::TouchSite()
{
    if (!m_bCancelled)
        m_doc.m_bEditSite = true;
}

void CEditScope::TouchStylesheet()
{
    if (!m_bCancelled)
        m_doc.m_bEditCss = true;
}

void CEditScope::SetHint(long hint)
{
    if (!m_bCancelled && hint > m_doc.m_nEditHint)
        m_doc.m_nEditHint = hint;
}

void CEditScope::Cancel()
{
    if (m_bCancelled)
        return;
    m_bCancelled = true;
    --m_doc.m_nEditDepth;
    // What lies outside the snapshot goes back first, newest first, so that the snapshot
    // reads over objects that exist again (textures its fills name).
    while (m_doc.m_editRollback.size() > m_nRollbackMark) {
        std::function<void()> putBack = std::move(m_doc.m_editRollback.back());
        m_doc.m_editRollback.pop_back();
        putBack();
    }
    if (!m_bOutermost)
        return; // the outer scope decides about the whole change
    if (m_bRecorded && m_doc.m_undo.GetCount() > m_nUndoCount) {
        std::unique_ptr<CUndoRecord> record = m_doc.m_undo.PopHead();
        CKJDoc::UndoOutcome ignored;
        // our own record, written moments ago: it reads back whole
        m_doc.RestoreRecord(*record, ignored);
    }
    // Names and serials drawn during the change are given back.
    SetObjectCounter(std::max(m_nObjectCounter, m_doc.HighestSerial()));
    m_doc.m_nPageCounter = m_nPageCounter;
    m_doc.m_nItemCounter = m_nItemCounter;
    m_doc.m_nImageCounter = m_nImageCounter;
    m_doc.m_editTouched.clear();
    m_doc.m_bEditSite = m_doc.m_bEditCss = m_doc.m_bEditChanged = false;
    m_doc.m_nEditHint = 0;
}
