// One user change to a project, from a command, a drag or a dialog. Taking a scope records
// the undo snapshot first; when the outermost scope ends the project is marked modified
// once, every page whose output the change touched goes back to "not uploaded", and the
// document's listeners get one update hint. Cancel puts back what the snapshot holds and
// drops it, so the project is as it was. Scopes taken while one is open join it.
#pragma once
#include "framework/core/CString.h"

class CItem;
class CKJDoc;
class CPage;

class CEditScope {
public:
    // Snapshot of item, or of container when item is null (page may be null). A null
    // container records nothing, as RecordUndo does; the change still counts.
    CEditScope(CKJDoc& doc, CItem* page, CItem* container, CItem* item, const char* description);
    // A change no container snapshot can restore (site settings, text styles).
    explicit CEditScope(CKJDoc& doc);
    ~CEditScope();
    CEditScope(const CEditScope&) = delete;
    CEditScope& operator=(const CEditScope&) = delete;

    // Whether this scope's snapshot was recorded (false when joined to an outer scope).
    bool Recorded() const { return m_bRecorded; }
    bool IsOutermost() const { return m_bOutermost; }

    // What changed: an item, group, page, band or master. The pages that show it are the
    // ones whose upload state is reset.
    void Touch(CItem* object);
    // Every page (and the stylesheet) publishes something else now.
    void TouchSite();
    // The stylesheet's text changed.
    void TouchStylesheet();
    // The update hint sent at the end (the largest one asked for wins).
    void SetHint(long hint);

    // Restores what the snapshot holds, drops it, and ends the scope without marking
    // anything. Changes outside the snapshot are the caller's to undo.
    void Cancel();

private:
    void Begin();

    CKJDoc& m_doc;
    bool m_bOutermost = false;
    bool m_bRecorded = false;
    bool m_bCancelled = false;
    bool m_bTouchedAny = false;
    // What the scope started from, for Cancel.
    int m_nObjectCounter = 0;
    int m_nPageCounter = 0, m_nItemCounter = 0, m_nImageCounter = 0;
    std::size_t m_nUndoCount = 0;
    std::size_t m_nRollbackMark = 0; // CKJDoc::OnEditCancel entries before this scope
};
