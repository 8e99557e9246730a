#include "framework/ui/Resources.h"

#include <map>

namespace {
std::map<UINT, CString>& Table()
{
    static std::map<UINT, CString> table;
    return table;
}

const CMenu::Item* FindIn(const std::vector<CMenu::Item>& items, UINT id)
{
    for (const auto& item : items) {
        if (!item.isPopup && !item.separator && item.id == id)
            return &item;
        if (item.isPopup)
            if (const auto* found = FindIn(item.popup, id))
                return found;
    }
    return nullptr;
}
} // namespace

void AfxRegisterStrings(std::initializer_list<std::pair<UINT, const char*>> strings)
{
    for (const auto& [id, text] : strings)
        Table()[id] = text;
}

void AfxRegisterString(UINT id, const char* text) { Table()[id] = text; }

BOOL AfxLoadString(UINT id, CString& text)
{
    auto it = Table().find(id);
    if (it == Table().end()) {
        text.Empty();
        return FALSE;
    }
    text = it->second;
    return TRUE;
}

const CMenu::Item* CMenu::Find(UINT id) const { return FindIn(items, id); }
