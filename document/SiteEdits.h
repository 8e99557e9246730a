// Changes to the site's structure (pages, folders, masters, attached files, the page
// width) and the texts the page commands show, without any window. Callers hold the
// edit scope; each function changes the document only as it says.
#pragma once
#include "framework/core/CString.h"
#include "model/WString.h"

#include <memory>

class CFileRecord;
class CFolder;
class CItem;
class CKJDoc;
class CMasterItem;
class CPage;
class CSiteObject;

// A new page after after (at the end without one), titled, in folder, named from name
// (made safe).
CPage* InsertSitePage(CKJDoc& doc, CPage* after, const CWString& title, CFolder* folder, const CString& name);
// The number a new folder is proposed with: the name counter, or the first number after
// it that no folder's id bears (ids must stay unique among folders). Changes nothing.
int NextFolderNumber(const CKJDoc& doc);
// A new folder under parent with id NextFolderNumber; the name counter grows by two.
CFolder* InsertSiteFolder(CKJDoc& doc, CFolder* parent, const CString& name);
// A new master "Master %d", as wide as the site, given as second master to every page
// that has none; appended to the masters.
CMasterItem* InsertSiteMaster(CKJDoc& doc);
// File name, folder and PHP extension of a page.
void RenameSitePage(CKJDoc& doc, CPage& page, const CString& name, CFolder* folder, bool php);
// Name and parent of a folder; false (nothing changed) when the parent is the folder
// itself or lies inside it.
bool RenameSiteFolder(CKJDoc& doc, CFolder& folder, const CString& name, CFolder* parent);
// Base name and folder of an attached file (the extension stays).
void RenameSiteFile(CKJDoc& doc, CFileRecord& file, const CString& name, CFolder* folder);
// Takes a page or master out of the document and returns it, with every reference to
// it and to its items dropped and the undo list cleared (its snapshots could bring back
// pointers to it). The caller destroys it once nothing shows it.
std::unique_ptr<CItem> DetachSitePage(CKJDoc& doc, CPage* page);
std::unique_ptr<CItem> DetachSiteMaster(CKJDoc& doc, CMasterItem* master);
// Removes an attached file; links re-resolved, undo list cleared. False when unknown.
bool DeleteSiteFile(CKJDoc& doc, CFileRecord* file);
// The site page width applied to every page, band and master; false when unchanged.
bool SetSitePageWidth(CKJDoc& doc, int width);

// The page's HTML as an upload writes it (View Source).
CString BuildPageSource(CKJDoc& doc, CPage* page);
// The address Preview Online opens: the root address with one "/" before the page's
// site path. False when the root is not an http or https address.
bool MakePreviewOnlineAddress(const CString& root, const CString& pagePath, CString& address);
