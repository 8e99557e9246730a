// The connection document: one FTP connection per window, its settings saved as a ".ftp"
// file, and the commands that connect, disconnect, edit the settings, refresh both panes and
// run transfers and deletions on the entries its panes put into the selection.
#pragma once
#include "framework/ui/DocView.h"
#include "ftpexplorer/FtpIds.h"
#include "ftpexplorer/VFDocData.h"

class CLocalView;
class CFtpView;

class CVFDoc : public CDocument, public CVFDocData {
public:
    CVFDoc();
    ~CVFDoc() override;

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const CString& path) override;
    BOOL OnSaveDocument(const CString& path) override;

    // Connect command: asks for the details when there is no host; on failure asks again once.
    void OnConnect();
    void Disconnect();
    void OnConnectionProperties();
    // True when the connection answers, after one reconnection attempt when it did not.
    bool EnsureConnection();
    void OnRefresh();
    // Sends a special folder of the user to the local pane.
    void OnSpecialFolder(UINT id);

    // Runs the transfer dialog over the selection; targets are the document's remote folder
    // (upload) or localTarget, by default the document's local folder (download).
    void StartUpload();
    void StartDownload(const CString& localTarget = CString());
    // Deletion on the server (after the connection check) and on the local disk (after asking).
    void DeleteRemoteItems();
    void DeleteLocalItems();

    // The path bar texts this document shows while its window is active.
    CString PathBarLocalText() const { return m_strLocalFolder; }
    CString PathBarRemoteText() const;

    CLocalView* m_pLocalView = nullptr; // not owned
    CFtpView* m_pRemoteView = nullptr;  // not owned

private:
    CView* LocalViewAsSender() const;
    void RunTransfer(bool upload, CString target);
    void UpdatePathBar();
};

// Runs f with the wait cursor shown.
template <class F> void WithWaitCursor(F&& f);
void BeginWaitCursor();
void EndWaitCursor();
template <class F> void WithWaitCursor(F&& f)
{
    BeginWaitCursor();
    try {
        f();
    } catch (...) {
        EndWaitCursor();
        throw;
    }
    EndWaitCursor();
}
