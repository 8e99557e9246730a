// Site generation: the whole project written as a static website into the output folder
// of a publish context, every written file listed in the context for the upload. One run
// serves the previews, the upload, the word count and the export to a folder; the
// context's mode says which.
#pragma once
#include "framework/core/CString.h"

class CKJDoc;
class CPage;
class CPageOutput;
class CPublishContext;

// Writes the site into context.m_strOutputFolder (created when missing) and lists every
// written file. 1 when the whole site was written; 0 when a file or folder could not be
// written: the run stops there, error (when given) receives a message naming the file,
// and only files actually written are listed. Every page keeps where it was written in
// m_strExtra1 and its name on the server in m_strExtra2. A page, stylesheet or stored
// file whose output differs from the last run of the same mode counts as changed again
// for the upload. In the previews and the upload an output folder that is a link or
// belongs to someone else is refused.
int GenerateWebsite(CKJDoc& doc, CPublishContext& context, CString* error = nullptr);

// Fills the head fields of a page's output record, lets the page write its body and CSS,
// adds the social-network tab when the site has it, assembles the page and replaces the
// site's named-string placeholders in the final text.
void BuildPageHtml(CKJDoc& doc, CPage* page, CPageOutput& out);

// The sliding social-network tab: its CSS, the slide script and the like-box frame.
void BuildFacebookTab(const CKJDoc& doc, CPage* page, CPageOutput& out);

// The address of the stylesheet from a page: "../" per folder level, then the name under
// which the stylesheet is written.
CString GetStylesheetHref(const CKJDoc& doc, const CPage* page);

// The folder name an export uses under the chosen folder: the project file's name
// without extension, or the document title for a project never saved; made safe, never
// hidden (leading dots go) and never empty ("website").
CString GetExportProjectName(const CKJDoc& doc);

// Website/Export to Folder once a folder was chosen: remembers the folder in the project,
// writes the site into chosen folder + project name (mode 3, everything listed) and shows
// the message when it fails. 1 on success; outputFolder receives where the site went.
int ExportWebsiteToFolder(CKJDoc& doc, const CString& chosenFolder, CString* outputFolder = nullptr);
