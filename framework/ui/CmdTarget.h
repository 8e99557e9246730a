// Command routing by numeric id. Each target keeps a map from command ids to handlers
// and to update handlers (enable, check, text); windows route a command through the
// chain view, document, child frame, main frame, application.
#pragma once
#include "framework/core/CString.h"
#include "framework/core/Types.h"
#include <functional>
#include <map>

// Command ids of the framework.
enum : UINT {
    ID_SEPARATOR = 0,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_LAST = 57631,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    AFX_IDS_IDLEMESSAGE = 57345,
};

// The state an update handler gives a menu item, toolbar button or status pane.
class CCmdUI {
public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    UINT m_nID;

    void Enable(BOOL on = TRUE) { m_bEnabled = on != 0; m_bEnableSet = true; }
    void SetCheck(int check = 1) { m_nCheck = check; }
    void SetRadio(BOOL on = TRUE) { m_nCheck = on ? 1 : 0; }
    void SetText(const char* text) { m_strText = text; m_bTextSet = true; }

    bool m_bEnabled = true;
    bool m_bEnableSet = false;
    int m_nCheck = -1;          // -1: not set by the handler
    CString m_strText;
    bool m_bTextSet = false;
};

enum class CmdMode {
    Execute, // run the command handler
    Update,  // run the update handler
    Probe,   // only report whether a command handler exists
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // TRUE when this target or one it routes to handled the request.
    virtual BOOL OnCmdMsg(UINT id, CmdMode mode, CCmdUI* pUI);

protected:
    void OnCommand(UINT id, std::function<void()> handler);
    void OnCommandRange(UINT first, UINT last, std::function<void(UINT)> handler);
    void OnUpdateCommand(UINT id, std::function<void(CCmdUI*)> handler);
    void OnUpdateCommandRange(UINT first, UINT last, std::function<void(CCmdUI*)> handler);
    // This target's own maps only.
    BOOL DispatchOwn(UINT id, CmdMode mode, CCmdUI* pUI);

private:
    struct Range {
        UINT first, last;
        std::function<void(UINT)> command;
        std::function<void(CCmdUI*)> update;
    };
    std::map<UINT, std::function<void()>> m_commands;
    std::map<UINT, std::function<void(CCmdUI*)>> m_updates;
    std::vector<Range> m_ranges;
};

// Runs a command through a chain; FALSE when no target handles it.
BOOL ExecuteCommand(CCmdTarget* target, UINT id);
// Fills ui through the chain: the first update handler wins; without one the item is
// enabled exactly when some target has a command handler for it.
void UpdateCommand(CCmdTarget* target, CCmdUI& ui, bool disableIfNoHandler = true);
