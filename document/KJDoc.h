// The website project document: owns everything a project holds (pages with their items,
// masters, folders, header and footer bands, textures, site files, guides, CSS classes,
// named strings, site text styles, the two site backgrounds, site, Facebook and FTP
// settings, undo snapshots), reads and writes the project file and turns the ids stored
// in it back into pointers. It needs no window: the GUI's document template wraps it.
#pragma once
#include "document/UndoRecord.h"
#include "framework/core/CArchive.h"
#include "framework/core/CString.h"
#include "model/FillStyle.h"
#include "model/Item.h"
#include "model/PublishContext.h"
#include "model/SiteObject.h"
#include "model/TextStyle.h"
#include "model/WString.h"

#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CFolder;
class CHeaderFooterItem;
class CItem;
class CItemLink;
class CMasterItem;
class CPage;
class CParagraphItem;
class CPicture;
class CFormItem;
class CWizardState;

// A guide line of the editor: the object holds the position first, the record stores the
// vertical flag first.
class CGuide {
public:
    virtual ~CGuide() = default;
    virtual void Serialize(CArchive& ar);
    int m_nPosition = 0;
    int m_bVertical = 0;
    int m_bHorizontal = 0;
};

// A named string of the site: name, then value.
class CNamedString {
public:
    void Serialize(CArchive& ar);
    CWString m_name;
    CWString m_value;
};

// A file carried unchanged into the site; its record is the root record alone.
class CFileRecord : public CSiteObject {
public:
    CFileRecord() { m_nType = 39; }
};

// Thrown after the "newer version" message was shown, so the open reports nothing more.
class CProjectVersionException : public CArchiveException {
public:
    explicit CProjectVersionException(const CString& fileName) : CArchiveException(badSchema, fileName) {}
};

template <typename T> using COwnedList = std::vector<std::unique_ptr<T>>;

// The update hints: repaint, refill the site tree, make the hint object the current
// page, centre the page, refresh the texture entries.
enum : long { HINT_REPAINT = 0, HINT_FILL_TREE = 1, HINT_SET_PAGE = 2, HINT_CENTER = 3, HINT_TEXTURES = 4 };

class CKJDoc {
public:
    CKJDoc();
    virtual ~CKJDoc();
    CKJDoc(const CKJDoc&) = delete;
    CKJDoc& operator=(const CKJDoc&) = delete;

    // --- the framework's document part ---------------------------------------------
    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    const CString& GetPathName() const { return m_strPathName; }
    const CString& GetTitle() const { return m_strTitle; }
    void SetPathName(const CString& path);
    void SetTitle(const CString& title) { m_strTitle = title; }

    // The default one-page site.
    virtual bool OnNewDocument();
    // Reads a project file into this freshly constructed document (any content is
    // dropped first); a failure is shown as the system's message, leaves the document
    // empty and returns false.
    bool OnOpenDocument(const CString& path);
    // Writes the project safely (temporary file renamed over the target).
    bool OnSaveDocument(const CString& path);
    // Save and Save As: an empty path asks through the save-path hook (Save As).
    virtual bool DoSave(const CString& pathName, bool replace = true);
    // Asks the user for a path to save to (GUI); returns empty for Cancel.
    std::function<CString(const CString& proposedName)> m_askSavePath;

    // Both directions of the project file.
    virtual void Serialize(CArchive& ar);

    // --- content ---------------------------------------------------------------
    void ResetToNewSite();
    CPage* AddPage(CPage* layoutFrom, const CWString* title);
    CParagraphItem* NewParagraph();
    void ApplyPageWidth();
    void CollectAllItems(CItemList& out) const;
    CItem* FindItemById(int id) const;
    CItem* FindObjectById(int id) const;
    CPicture* FindItemByRef(int pictureId) const;
    CFolder* FindFolderById(int id) const;
    bool RemoveItemReferences(CItem* target);
    void UpdateItemLinks();
    void CollectLinkRecords(std::vector<CItemLink*>& out) const;
    void BindItemClasses();
    void BindItemClass(CItem& item) const;
    CPage* FindIndexPage() const;
    bool CheckItemName(const CString& name, const CItem* self, CPage* page) const;
    bool FindItemByName(const CString& fileName, const CItem* self, CPage* page) const;
    void FreeDocumentContent();
    void FixupPageAfterLoad(CPage* page);
    void ResolveLinks(const CPublishContext& context);
    // A page base name made from text that is safe as a file name and unique in folder.
    CString MakeUniquePageName(const CString& wanted, const CFolder* folder, const CPage* self) const;

    // --- Website Wizard and contact form ------------------------------------------
    // Fills the emptied project with the wizard's sample site from the record.
    void BuildThemeWebsite(CWizardState& state);
    // A new contact form with the chosen rows (sixteen values, see CContactFormOptions),
    // named "Form%d" through the item counter; the caller owns it until it places it.
    CFormItem* BuildContactForm(std::array<std::int32_t, 16> options);

    // --- undo --------------------------------------------------------------------
    // Returns whether a snapshot was recorded (a null container records nothing).
    bool RecordUndo(CItem* page, CItem* container, CItem* item, const char* description);
    void TrimUndo() { m_undo.Trim(); }
    void DiscardLastUndo() { m_undo.DiscardHead(); }
    void ClearUndo() { m_undo.Clear(); }
    // The bytes of an object as an undo snapshot or clipboard record holds them, and
    // the reverse (the object reads its old state back).
    static void WriteSnapshot(CItem& object, CDataBlock& out);
    static void ReadSnapshot(CItem& object, const CDataBlock& bytes);

    // What Edit/Undo did, for the view: the restored item or container and the page the
    // record names (each null when not found), or the message of a damaged record.
    struct UndoOutcome {
        bool consumed = false;
        CItem* item = nullptr;
        CItem* container = nullptr;
        CPage* page = nullptr;
        CString error;
    };
    // Takes the newest snapshot off the list and reads it back over the object it was taken
    // from. A record whose objects are gone is consumed without effect; a damaged one
    // changes nothing and gives its message.
    UndoOutcome Undo();
    // The largest serial any object of the project bears.
    int HighestSerial() const;

    // --- names and textures -------------------------------------------------------------
    // The next name of a pattern such as "Input%d" from the item counter; numbers another
    // item's name bears are skipped (the counter moves past them).
    CString TakeItemName(const char* pattern);
    // "Texture%d" from the texture counter, skipping names of textures in the list.
    CString TakeTextureName();
    // The number of a new class of a kind from the class counter, skipping numbers whose
    // class name is already in the list.
    int TakeClassNumber(int kind);
    static CString TakeName(const char* pattern, int& counter, const std::function<bool(const CString&)>& taken);
    // Removes a texture of the list and clears every fill (items, classes, the document's
    // own) that shows it, as one change; a null or unknown texture is ignored.
    void DeleteTexture(CPicture* texture);
    // Every fill record of the project except the style classes' own.
    void ForEachFill(const std::function<void(CFillStyle&)>& visit);

    // --- edits ----------------------------------------------------------------------
    // Called once at the end of every user change with its update hint (the GUI document
    // updates its views and site tree from it).
    std::function<void(long hint)> m_onEdited;
    bool IsEditing() const { return m_nEditDepth > 0; }
    // --- background editor: changes outside a scope's snapshot -------------------------
    // Registers how to put back a change the open scope's snapshot does not hold (the
    // texture list, a texture's pixels, the document's own fills). Cancelling a scope runs
    // what was registered since it began, newest first; the end of the outermost scope
    // drops them. Outside a scope nothing is registered.
    void OnEditCancel(std::function<void()> putBack);
    // OnEditCancel with the texture's current bytes, read back over it on Cancel.
    void KeepTextureForCancel(CPicture& texture);
    // OnEditCancel with the fill's current values.
    void KeepFillForCancel(CFillStyle& fill);
    // Appends a texture to the list; Cancel takes it out again.
    void AddTexture(std::unique_ptr<CPicture> texture);
    // The number of fills (items, pages, bands, masters, classes, the document's) other
    // than except that show the texture.
    int CountTextureUses(const CPicture* texture, const CFillStyle* except = nullptr);

    // --- the project: pages, masters, folders, files, guides, settings --------------
    int m_bBackupDone = 0;
    COwnedList<CPage> m_pages;
    COwnedList<CMasterItem> m_masters;
    COwnedList<CFolder> m_folders;
    COwnedList<CFileRecord> m_fileRecords;
    COwnedList<CGuide> m_guides;
    CUndoStack m_undo;
    COwnedList<CNamedString> m_namedStrings;
    COwnedList<CStyleClass> m_styleClasses;
    CSiteStyles m_styles;
    int m_nPreviewFrame = 0;
    int m_nGridX = 20, m_nGridY = 20;
    int m_nDuplicateDX = 10, m_nDuplicateDY = 10;
    int m_bGridOn = 0;
    int m_bShowGuides = 1;
    int m_nHtmlOption = 0;
    int m_nReserved = 0;
    COwnedList<CHeaderFooterItem> m_footerBands;
    COwnedList<CHeaderFooterItem> m_headerBands;
    COwnedList<CPicture> m_textures;
    int m_nPageCounter = 1;
    int m_nItemCounter = 1;
    int m_nImageCounter = 1;
    CString m_strAnalytics;
    CWString m_globalTitle;
    CString m_strCssFile = "styles.css";
    CString m_strLegacyText;
    int m_nCssUploadState = 0;
    int m_nSiteFilesUploadState = 0; // jQuery and the overlay pictures of the site (not archived)
    // The server names of the files and folders our last complete upload left on the
    // server, and where they went; what the site no longer makes is removed from there by
    // the next upload to the same place.
    CPublishedFiles m_published;
    CString m_strExportFolder;
    CString m_strRootUrl;
    CString m_strFacebookChannel = "Varnelo";
    int m_bFacebookConnect = 0;
    int m_bFacebookFaces = 1;
    int m_bFacebookStream = 0;
    int m_nFacebookStyle = 0;
    CString m_strFtpHost, m_strFtpUser, m_strFtpPassword;
    CString m_strFtpFolder = "/public_html/";
    int m_nFtpPort = 21;
    int m_bFtpPassive = 1;
    int m_nPageMargin = 0;
    int m_nPageWidth = 900;
    CFillStyle m_websiteBackground;
    CFillStyle m_allPagesBackground;
    int m_bStretchToBrowser = 0;
    int m_bCenterInBrowser = 1;
    int m_legacySettings[6] = {6, 2, 0x808080, 0xFFFFFF, 0, 0};
    CString m_strBrowserCommand;
    // The text colour last chosen in an HTML code editor of this project (not stored).
    COLORREF m_crLastHtmlText = 0;
    // Numbers for new class names and pasted textures (not stored; names already in use
    // are skipped, so a reopened project never repeats one).
    int m_nClassCounter = 1;
    int m_nTextureCounter = 1;
    // Digest of the text each object had in the last generation of each mode (not
    // stored): a text that differs has changed since, whatever changed it.
    std::unordered_map<std::uint64_t, std::size_t> m_outputDigests;

private:
    friend class CEditScope;
    // Reads record over its object; the outcome names what was restored. Throws on a
    // damaged record before anything changed.
    void RestoreRecord(const CUndoRecord& record, UndoOutcome& outcome);
    // The end of the outermost edit: marks, resets upload states, sends the hint.
    void EndEdit();
    void ResetUploadStatesFor(CItem* object);

    int m_nEditDepth = 0;
    std::vector<std::function<void()>> m_editRollback; // OnEditCancel, oldest first
    std::vector<CItem*> m_editTouched;
    bool m_bEditSite = false, m_bEditCss = false, m_bEditChanged = false;
    long m_nEditHint = 0;

    void ReadProject(CArchive& ar);
    void WriteProject(CArchive& ar);
    void WriteExtras(CArchive& ar);
    void ReadExtras(CArchive& ar, int version);
    void ValidateLoadedObjects(CArchive& ar);
    // After reading: the checks, then ids become pointers, each item visited once.
    void FinishLoad(CArchive& ar);
    // How ReadProject takes the extension section: recording the defaults first (any
    // archive), reading it once and throwing on damage (a file, which can be read again),
    // or leaving it out (that second reading).
    enum class ExtrasReading { RecordDefaults, Once, LeaveOut };
    ExtrasReading m_extrasReading = ExtrasReading::RecordDefaults;
    void ReconnectPictures();
    void BindObject(CItem& object);

    bool m_bModified = false;
    CString m_strPathName;
    CString m_strTitle;
};
